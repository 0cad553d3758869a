#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// A byte count as the window shows it: kilobytes truncated toward zero, "%d kB"
// (so -1, a failed free-space query, shows "0 kB").
std::string KiloBytesText(int64_t bytes);

// Free space is shown on the normal background only when it exceeds what is needed;
// an equal amount already counts as too little.
bool FreeSpaceIsEnough(int64_t spaceFree, int64_t spaceNeeded);

// The space an installation needs: the application's unpacked size, the copy of Setup.exe,
// and the unpacked size of every ticked IDE option.
template <class Sizes, class Ticks>
int64_t RequiredSpace(int64_t applicationSize, int64_t setupFileSize, const Sizes& ideSizes, const Ticks& ticked) {
  int64_t total = applicationSize + setupFileSize;
  for (size_t i = 0; i < ideSizes.size() && i < ticked.size(); ++i) {
    if (ticked[i]) {
      total += ideSizes[i];
    }
  }
  return total;
}
