#pragma once
#include <string>

// A progress line on stderr, rewritten in place, shown only when stderr is a terminal so that
// scripts and logs get nothing extra. The line is cleared when the object goes.
class Progress {
public:
  Progress();
  ~Progress();
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  void Show(const std::string& text);

private:
  bool enabled_;
  size_t shownLength_ = 0;
};
