#pragma once
#include <cstddef>
#include <string>

#include "archive/CodePage.h"

// The error box's text: a full stop is added when the last character sorts after "."
// (a letter or digit gets one; "!" or "." does not). Bytes compare unsigned, so a text
// ending in an accented letter gets one too. An empty text stays empty.
std::string ErrorBoxText(const std::string& message);

// A program name the Restart Manager reports, fit for a box or a log line. The name is the
// holding program's own choice: control characters (line breaks among them), and in UTF-8 the
// C1 controls, line and paragraph separators and the marks that reverse the direction of text,
// are dropped, and a name over ProgramNameMax bytes is cut at a whole character and ends in "...".
constexpr size_t ProgramNameMax = 100;
std::string ShownProgramName(const std::string& name, const CodePage& page = ProgramCodePage());
