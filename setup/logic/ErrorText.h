#pragma once
#include <string>

// The error box's text: a full stop is added when the last character sorts after "."
// (a letter or digit gets one; "!" or "." does not). Bytes compare unsigned, so a text
// ending in an accented letter gets one too. An empty text stays empty.
std::string ErrorBoxText(const std::string& message);
