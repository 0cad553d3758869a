set(QM_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# Test executables run under the WoW64 Wine (scripts/wine32/build-wine.sh): the system's Wine
# cannot start 32-bit code on this 64-bit-only Linux.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine32/wine-run)
