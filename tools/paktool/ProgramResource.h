#pragma once
#include <optional>
#include <string>

// The bytes of a raw-data (RCDATA) resource of a Windows program, found by its name in the
// program's resource section, as FindResource would, but read as a file on any system: paktool
// checks a distribution against the Setup.exe that carries its digests. Nothing when the
// program has no such resource; a file that is no Windows program raises std::runtime_error with
// the reason.
std::optional<std::string> ReadNamedRcData(const std::string& programPath, const std::string& name);
