#pragma once
#include <optional>
#include <string>

// Which registry view's Program Files: a 32-bit program on 64-bit Windows has two, and cannot
// ask for the 64-bit one by its known-folder ID.
enum class ProgramFilesView { Bits32, Bits64 };

// "ProgramFilesDir" of HKEY_LOCAL_MACHINE's Windows key in that view, as stored (up to 255
// bytes); nothing when it is missing, empty or longer.
std::optional<std::string> ProgramFilesDir(ProgramFilesView view);
