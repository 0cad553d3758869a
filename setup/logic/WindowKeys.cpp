#include "WindowKeys.h"

#include <cstddef>

#include "ControlIds.h"

int DefaultButtonOf(Sheet sheet) {
  switch (sheet) {
    case Sheet::Install: return NowBtn2;
    case Sheet::Update: return UpdateBtn;
    case Sheet::Uninstall: return UninstallBtn;
    case Sheet::Finished: return QuitBtn;
    case Sheet::Nothing: return CancelBtn5;
    default: return 0;
  }
}

int EscapeButtonOf(Sheet sheet) {
  switch (sheet) {
    case Sheet::Install: return CancelBtn3;
    case Sheet::Update: return CancelBtn2;
    case Sheet::Uninstall: return CancelBtn4;
    case Sheet::Finished: return QuitBtn;
    case Sheet::Nothing: return CancelBtn5;
    default: return 0;
  }
}

Sheet NextOfferedSheet(const std::array<bool, SheetCount>& offered, Sheet current, bool forward) {
  const int step = forward ? 1 : SheetCount - 1;
  for (int k = 1, page = static_cast<int>(current); k < SheetCount; ++k) {
    page = (page + step) % SheetCount;
    if (offered[static_cast<size_t>(page)]) return static_cast<Sheet>(page);
  }
  return current;
}
