#pragma once
#include <string>

// "\r" and "\n" typed in an argument become CR and LF (a real CR LF passes unchanged).
std::string DecodeEscapes(const std::string& text);
// The reverse for display: CR, LF, tab and other control bytes as escapes.
std::string VisibleText(const std::string& text);
// An error text on one line: the message box's line breaks (CR) become " / ".
std::string OneLine(const std::string& text);
