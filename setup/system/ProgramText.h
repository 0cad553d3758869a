#pragma once
#include <optional>
#include <string>

#include "archive/WideText.h"

// Texts between Windows' UTF-16 and the program's code page: UTF-8 where Windows honours our
// manifest (Windows 10 1903 and later), the system's code page on older Windows.

// Nothing when the program's code page cannot represent every character (only an old one).
std::optional<std::string> ProgramText(const std::wstring& text);
// The text in UTF-8, as the log keeps it.
std::string Utf8Text(const std::wstring& text);

// A text of the installation record as this program reads it. An earlier Setup ran in the
// system's code page, and the record keeps texts as bytes: where the program runs in UTF-8,
// bytes that are no UTF-8 are such an earlier text and are read in the system's code page.
std::string FromEarlierRecord(const std::string& text);

// Whether the profile calls may change the INI file (in the Windows directory) and write
// newText into it. A program running in UTF-8 reads and writes a file without byte order mark
// as UTF-8: text of the system's code page already in it would come back as replacement
// characters, and a text that is not ASCII would reach the 16-bit Delphi, which reads the
// file in the system's code page, as other characters. Such a change is logged and refused.
bool ProfileKeepsText(const std::string& iniFile, const std::string& newText);
