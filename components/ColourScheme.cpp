#include "ColourScheme.h"

namespace {
// Relative brightness, enough to tell light from dark (the weights of ITU-R BT.709).
long Brightness(unsigned long colour) {
  return 2126 * static_cast<long>(colour & 0xFF) + 7152 * static_cast<long>((colour >> 8) & 0xFF) +
         722 * static_cast<long>((colour >> 16) & 0xFF);
}
}  // namespace

bool FollowSystemColours(bool highContrastOn, unsigned long windowText, unsigned long buttonFace) {
  return highContrastOn || Brightness(windowText) > Brightness(buttonFace);
}
