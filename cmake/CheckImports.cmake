cmake_minimum_required(VERSION 3.25)
# Fails when a program imports a DLL that is not a Known DLL, or a function that a Known DLL
# forwards to one that is not: the loader resolves imports, and the forwarders behind them,
# before our first instruction, from the program's own folder first, so a DLL planted in the
# download folder beside Setup.exe would load with its rights. comctl32 is no Known DLL, but
# the manifest takes it from the side-by-side store. Windows' own DLLs are not on this machine,
# so the forwards that leave the Known DLLs are named here: advapi32 hands its SystemFunction
# and Crypt functions to cryptbase.dll and cryptsp.dll (SystemFunction036 is RtlGenRandom),
# which Windows before 10 1607, deaf to DependentLoadFlags, look for beside the program.
# Run as: cmake -DOBJDUMP=... -DPROGRAM=... -P, or with -DDUMP=file holding what objdump -p says.
set(allowed advapi32 comctl32 comdlg32 gdi32 kernel32 msvcrt ole32 oleaut32 shell32 user32)
set(forwarded_away "^advapi32:SystemFunction[0-9]+$" "^advapi32:Crypt[A-Z]")
if(DUMP)
  file(READ ${DUMP} dump)
  set(PROGRAM ${DUMP})
else()
  execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cannot read ${PROGRAM}")
  endif()
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
if(NOT imports)
  message(FATAL_ERROR "no imports found in ${PROGRAM}")
endif()
string(REPLACE ";" "," dump "${dump}")
string(REPLACE "\n" ";" lines "${dump}")
set(dll "")
foreach(line IN LISTS lines)
  if(line MATCHES "DLL Name: ([^.]+)\\.[dD][lL][lL]")
    string(TOLOWER "${CMAKE_MATCH_1}" dll)
    if(NOT dll IN_LIST allowed)
      message(FATAL_ERROR "${PROGRAM} imports ${dll}.dll, which is no Known DLL")
    endif()
  elseif(line STREQUAL "")
    set(dll "")
  elseif(dll AND line MATCHES "^\t[0-9a-fA-F]+\t +[0-9]+ +([A-Za-z_][A-Za-z0-9_]*)")
    set(function "${CMAKE_MATCH_1}")
    foreach(pattern IN LISTS forwarded_away)
      if("${dll}:${function}" MATCHES "${pattern}")
        message(FATAL_ERROR "${PROGRAM} imports ${function} of ${dll}.dll, which forwards it to a DLL that is no Known DLL")
      endif()
    endforeach()
  endif()
endforeach()
