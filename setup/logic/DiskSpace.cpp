#include "DiskSpace.h"

std::string KiloBytesText(int64_t bytes) {
  // Integer division truncates toward zero, which is what the label shows.
  return std::to_string(bytes / 1024) + " kB";
}

bool FreeSpaceIsEnough(int64_t spaceFree, int64_t spaceNeeded) {
  return spaceFree > spaceNeeded;
}
