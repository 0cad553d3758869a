#pragma once
// Window details of TSetupForm, shared by SetupMainForm.cpp and SetupPages.cpp.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <map>

#include "SetupMainForm.h"

enum class FontKind { Normal, Bold, Link, Finished };
constexpr int FontKindCount = 4;

// Colours a control is painted with; CLR_INVALID keeps the system's.
struct ControlLook {
  COLORREF text = CLR_INVALID;
  COLORREF background = CLR_INVALID;
};

struct TSetupForm::Impl {
  HWND tabs = nullptr;
  std::array<HWND, SheetCount> pages{};
  std::array<bool, SheetCount> tabVisible{};
  Sheet active = Sheet::Welcome;
  std::map<int, HWND> controls;
  std::map<HWND, ControlLook> looks;
  std::map<HWND, HIMAGELIST> glyphs;
  std::map<COLORREF, HBRUSH> brushes;
  std::array<HFONT, FontKindCount> fonts{};
  // Set while the program itself changes an edit's text, so the edit's own change
  // notification does not run the handler a second time.
  bool programChange = false;
  bool shown = false;

  HBRUSH Brush(COLORREF colour) {
    HBRUSH& brush = brushes[colour];
    if (brush == nullptr) {
      brush = CreateSolidBrush(colour);
    }
    return brush;
  }
  ~Impl() {
    for (auto& entry : brushes) DeleteObject(entry.second);
    for (auto& entry : glyphs) ImageList_Destroy(entry.second);
    for (HFONT font : fonts) DeleteObject(font);
  }
};

// Page IDs and tab captions, in tab order.
struct SheetDescription {
  int id;
  const char* caption;
};
extern const std::array<SheetDescription, SheetCount> Sheets;
