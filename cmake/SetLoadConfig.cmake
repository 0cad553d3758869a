# Enters the program's load configuration (common/LoadConfig.cpp, in a section of its own,
# .ldcfg) in data directory entry 10 of its header: GNU ld 2.40 leaves that entry empty, and the
# loader reads nothing that it does not point at. The entry gets the section's address and the
# structure's own Size. Run after linking as: cmake -DOBJDUMP=... -DPROGRAM=... -P
function(read_le offset length out)
  file(READ ${PROGRAM} hex OFFSET ${offset} LIMIT ${length} HEX)
  set(value "")
  math(EXPR last "${length} - 1")
  foreach(i RANGE ${last} 0 -1)
    math(EXPR at "${i} * 2")
    string(SUBSTRING "${hex}" ${at} 2 byte)
    string(APPEND value ${byte})
  endforeach()
  math(EXPR value "0x${value}")
  set(${out} ${value} PARENT_SCOPE)
endfunction()

# Four bytes of a value, little-endian, as printf's octal escapes.
function(le_octal value out)
  set(text "")
  foreach(i RANGE 0 3)
    math(EXPR byte "(${value} >> (8 * ${i})) & 255")
    math(EXPR d1 "${byte} / 64")
    math(EXPR d2 "(${byte} / 8) % 8")
    math(EXPR d3 "${byte} % 8")
    string(APPEND text "\\${d1}${d2}${d3}")
  endforeach()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

execute_process(COMMAND ${OBJDUMP} -h ${PROGRAM} OUTPUT_VARIABLE sections RESULT_VARIABLE failed)
# "  3 .ldcfg  00000070  0000000140005000  0000000140005000  00002e00  2**2"
if(failed OR NOT sections MATCHES "\\.ldcfg +[0-9a-f]+ +([0-9a-f]+) +[0-9a-f]+ +([0-9a-f]+)")
  message(FATAL_ERROR "${PROGRAM} has no .ldcfg section")
endif()
set(address 0x${CMAKE_MATCH_1})
set(offset 0x${CMAKE_MATCH_2})
execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE headers)
string(REGEX MATCH "ImageBase[ \t]+([0-9a-f]+)" found "${headers}")
math(EXPR rva "${address} - 0x${CMAKE_MATCH_1}")
math(EXPR offset "${offset}")
read_le(${offset} 4 size)
read_le(60 4 header)                       # e_lfanew: the "PE\0\0" signature
math(EXPR magicAt "${header} + 24")
read_le(${magicAt} 2 magic)                # 0x10b: PE32, 0x20b: PE32+
if(magic EQUAL 267)
  math(EXPR entry "${magicAt} + 96 + 10 * 8")
else()
  math(EXPR entry "${magicAt} + 112 + 10 * 8")
endif()
le_octal(${rva} rvaBytes)
le_octal(${size} sizeBytes)
execute_process(
  COMMAND sh -c "printf '${rvaBytes}${sizeBytes}' | dd of=\"$0\" bs=1 seek=${entry} conv=notrunc status=none" ${PROGRAM}
  RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot write the load configuration entry of ${PROGRAM}")
endif()
# The header changed after the linker summed it: its checksum is summed again.
execute_process(COMMAND python3 ${CMAKE_CURRENT_LIST_DIR}/PeChecksum.py ${PROGRAM} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot write the checksum of ${PROGRAM}")
endif()
