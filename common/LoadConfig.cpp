// The loader's settings of both programs. DependentLoadFlags: the DLLs a program imports are
// loaded before its first instruction, from its own folder first, where a DLL planted beside
// Setup.exe in a download folder would run with administrator rights; this keeps them to the
// system directory (Windows 10 1607 and later read it, older ones ignore it). mingw's runtime
// has no load configuration and its linker neither takes /DEPENDENTLOADFLAG nor points the
// directory at _load_config_used: the structure lies in a section of its own, which
// cmake/SetLoadConfig.cmake enters in the program's header after linking.
#include <windows.h>

#ifdef __MINGW32__
// The fields in order: mingw's header still calls DependentLoadFlags Reserved1.
extern "C" __attribute__((section(".ldcfg"))) const IMAGE_LOAD_CONFIG_DIRECTORY _load_config_used = {
    sizeof(IMAGE_LOAD_CONFIG_DIRECTORY),  // Size
    0, 0, 0,                              // TimeDateStamp, MajorVersion, MinorVersion
    0, 0, 0,                              // GlobalFlagsClear, GlobalFlagsSet, CriticalSectionDefaultTimeout
    0, 0, 0, 0, 0,                        // DeCommit..., LockPrefixTable, MaximumAllocationSize, VirtualMemoryThreshold
    0, 0,                                 // ProcessHeapFlags and ProcessAffinityMask (in the order of the width)
    0,                                    // CSDVersion
    LOAD_LIBRARY_SEARCH_SYSTEM32,         // DependentLoadFlags
    0, 0, 0, 0,                           // EditList, SecurityCookie, SEHandlerTable, SEHandlerCount
};
#endif
