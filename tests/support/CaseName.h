#pragma once
// Names for the cases of parametrised tests, so that every test name says its case and stays
// the same from build to build (the default is the case's index, and CTest would add the
// parameter's raw bytes).
#include <gtest/gtest.h>

#include <cctype>
#include <string>

// The letters and digits of a case's description, each word capitalised:
// "size 0: no list" gives "Size0NoList".
inline std::string CaseName(const std::string& why) {
  std::string name;
  bool wordStart = true;
  for (const char c : why) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 128 && std::isalnum(u)) {
      name += wordStart ? static_cast<char>(std::toupper(u)) : c;
      wordStart = false;
    } else {
      wordStart = true;
    }
  }
  return name;
}

// The name generator of a suite whose cases carry their description in `why`.
struct NamedByWhy {
  template <class Case>
  std::string operator()(const testing::TestParamInfo<Case>& info) const {
    return CaseName(info.param.why);
  }
};
