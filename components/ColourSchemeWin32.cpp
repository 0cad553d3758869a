#include <windows.h>

#include "ColourScheme.h"

bool SystemColoursNow() {
  HIGHCONTRASTA contrast = {};
  contrast.cbSize = sizeof contrast;
  const bool on = SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
                  (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
  return FollowSystemColours(on, GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_BTNFACE));
}
