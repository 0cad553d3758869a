#pragma once

// Whether a window follows the system's colours instead of the fixed ones of its design: when
// high contrast is on, and on any scheme of light text on a dark face, where dark inks (navy,
// blue, black) would vanish. Colours as COLORREF values, 0x00BBGGRR.
bool FollowSystemColours(bool highContrastOn, unsigned long windowText, unsigned long buttonFace);

#ifdef _WIN32
// The same for the system's colours and high-contrast setting now.
bool SystemColoursNow();
#endif
