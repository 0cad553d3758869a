#pragma once
#include <string>

// "\r" and "\n" typed in an argument become CR and LF (a real CR LF passes unchanged).
std::string DecodeEscapes(const std::string& text);
// The reverse for display: UTF-8 as it is; CR, LF, tab, other control bytes and bytes that are
// no UTF-8 as escapes.
std::string VisibleText(const std::string& text);
// An error text on one line: the message box's line breaks (CR) become " / ".
std::string OneLine(const std::string& text);
