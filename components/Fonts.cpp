#include "Fonts.h"

int PointsToHeight(int points, int dpi) { return -MulDiv(points, dpi, 72); }

HFONT CreateUiFont(const char* face, int height, bool bold, bool underline) {
  LOGFONTA font = {};
  font.lfHeight = height;
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfUnderline = underline ? TRUE : FALSE;
  font.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
  return CreateFontIndirectA(&font);
}
