#include "PathFormsWin32.h"

#include <windows.h>

namespace {

// Asks fill (which takes a buffer and its room, and answers the length written, or the room
// needed when that is more) until the answer fits; empty on failure.
template <typename Fill>
std::string Grown(Fill fill) {
  std::string text(MAX_PATH, '\0');
  for (int attempt = 0; attempt < 3; ++attempt) {
    const DWORD length = fill(&text[0], static_cast<DWORD>(text.size()));
    if (length == 0) return std::string();
    if (length < text.size()) {
      text.resize(length);
      return text;
    }
    text.resize(static_cast<size_t>(length) + 1);  // the path may have grown meanwhile: asked again
  }
  return std::string();
}

}  // namespace

std::string FullPath(const std::string& path) {
  if (path.empty()) return std::string();
  return Grown([&](char* text, DWORD room) { return GetFullPathNameA(path.c_str(), room, text, nullptr); });
}

std::string LongPath(const std::string& path) {
  const std::string text =
      Grown([&](char* buffer, DWORD room) { return GetLongPathNameA(path.c_str(), buffer, room); });
  return text.empty() ? path : text;
}
