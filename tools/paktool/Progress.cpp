#include "Progress.h"

#include <cstdio>
#ifdef _WIN32
#include <io.h>
#define QM_IS_TERMINAL(stream) (_isatty(_fileno(stream)) != 0)
#else
#include <unistd.h>
#define QM_IS_TERMINAL(stream) (isatty(fileno(stream)) != 0)
#endif

Progress::Progress() : enabled_(QM_IS_TERMINAL(stderr)) {}

Progress::~Progress() { Show(""); }

void Progress::Show(const std::string& text) {
  if (!enabled_) return;
  const std::string line = text.size() > 78 ? text.substr(0, 75) + "..." : text;
  const size_t padding = shownLength_ > line.size() ? shownLength_ - line.size() : 0;
  std::fprintf(stderr, "\r%s%*s\r%s", line.c_str(), static_cast<int>(padding), "", line.c_str());
  std::fflush(stderr);
  shownLength_ = line.size();
}
