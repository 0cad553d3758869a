#pragma once
// Whether the final path of an open handle ("\\?\C:\...", "\\?\UNC\server\share\...", as
// GetFinalPathNameByHandle gives it) names path: ASCII letters compared without case, trailing
// backslashes ignored. A handle reached through a junction or symbolic link names the place
// the link leads to, so the two differ. Plain C++ without the standard library: the cleanup
// helper has no runtime and shares it.
inline bool SameFinalPath(const char* finalPath, const char* path) {
  const auto startsWith = [](const char* text, const char* prefix) {
    for (; *prefix; ++text, ++prefix)
      if (*text != *prefix) return false;
    return true;
  };
  const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
  // "\\?\UNC\server\share" is "\\server\share"; "\\?\C:\x" is "C:\x".
  const char* a = finalPath;
  bool unc = false;
  if (startsWith(a, "\\\\?\\UNC\\")) {
    a += 8;
    unc = true;
  } else if (startsWith(a, "\\\\?\\")) {
    a += 4;
  }
  const char* b = path;
  if (unc) {
    if (!startsWith(b, "\\\\")) return false;
    b += 2;
  }
  if (*b == '\0') return false;
  // A root keeps its backslash ("C:\"); any other trailing ones do not count.
  const auto end = [](const char* text) {
    const char* stop = text;
    while (*stop) ++stop;
    while (stop - text > 3 && stop[-1] == '\\') --stop;
    return stop;
  };
  const char* aEnd = end(a);
  const char* bEnd = end(b);
  if (aEnd - a != bEnd - b) return false;
  for (; a != aEnd; ++a, ++b)
    if (lower(*a) != lower(*b)) return false;
  return true;
}
