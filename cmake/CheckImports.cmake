cmake_minimum_required(VERSION 3.25)
# Fails when a program imports a DLL that is not a Known DLL: the loader resolves imports
# before our first instruction, from the program's own folder first, so a DLL planted in the
# download folder beside Setup.exe would load with its rights. comctl32 is no Known DLL, but
# the manifest takes it from the side-by-side store. Run as: cmake -DOBJDUMP=... -DPROGRAM=... -P
set(allowed advapi32 comctl32 comdlg32 gdi32 kernel32 msvcrt ole32 oleaut32 shell32 user32)
execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot read ${PROGRAM}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
if(NOT imports)
  message(FATAL_ERROR "no imports found in ${PROGRAM}")
endif()
foreach(line IN LISTS imports)
  string(REGEX REPLACE "DLL Name: ([^.]+)\\.[dD][lL][lL].*" "\\1" name "${line}")
  string(TOLOWER "${name}" name)
  if(NOT name IN_LIST allowed)
    message(FATAL_ERROR "${PROGRAM} imports ${name}.dll, which is no Known DLL")
  endif()
endforeach()
