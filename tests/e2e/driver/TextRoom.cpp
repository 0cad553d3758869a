#include "driver/TextRoom.h"

#include <commctrl.h>

#include <functional>

#include "FormMessages.h"
#include "Layout.h"
#include "PictureButton.h"
#include "TextFit.h"
#include "URLLabel.h"
#include "driver/SetupProcess.h"

namespace e2e {
namespace {

// Receives the font the window sends back while the test waits for its answer.
LRESULT CALLBACK FontReceiver(HWND receiver, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (data->dwData == FM_GETFONT && data->cbData == sizeof(LOGFONTA)) {
      SetWindowLongPtrA(receiver, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(CreateFontIndirectA(static_cast<const LOGFONTA*>(data->lpData))));
      return TRUE;
    }
  }
  return DefWindowProcA(receiver, message, wParam, lParam);
}

HWND CreateFontReceiver() {
  static const ATOM receiverClass = [] {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = FontReceiver;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "QmTestFontReceiver";
    return RegisterClassA(&windowClass);
  }();
  return CreateWindowExA(0, MAKEINTATOM(receiverClass), "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

bool IsClass(HWND window, const char* name) { return lstrcmpiA(ClassOf(window).c_str(), name) == 0; }

void ForEachDescendant(HWND window, const std::function<void(HWND)>& visit) {
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    visit(child);
    ForEachDescendant(child, visit);
  }
}

std::string Describe(HWND control, const std::string& text, SIZE needed, SIZE room) {
  return ClassOf(control) + " '" + text + "' needs " + std::to_string(needed.cx) + "x" + std::to_string(needed.cy) +
         ", has " + std::to_string(room.cx) + "x" + std::to_string(room.cy);
}

}  // namespace

HFONT CopyControlFont(HWND window, HWND control) {
  HWND receiver = CreateFontReceiver();
  DWORD_PTR answered = FALSE;
  SendMessageTimeoutA(window, FM_GETFONT, reinterpret_cast<WPARAM>(control), reinterpret_cast<LPARAM>(receiver),
                      SMTO_NORMAL, 5000, &answered);
  auto font = reinterpret_cast<HFONT>(GetWindowLongPtrA(receiver, GWLP_USERDATA));
  DestroyWindow(receiver);
  return answered ? font : nullptr;
}

SIZE MeasureText(HFONT font, const std::string& text, int wrapWidth, UINT format) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  RECT rect = {0, 0, wrapWidth, 0};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect,
            format | DT_CALCRECT | (wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE));
  SelectObject(dc, old);
  DeleteDC(dc);
  return {rect.right, rect.bottom};
}

std::vector<std::string> TextsThatDoNotFit(const WindowDriver& window, int dpi) {
  const auto scaled = [dpi](int value) { return ScaleToDpi(value, dpi); };
  std::vector<std::string> cut;
  const auto check = [&](HWND control, const std::string& text, SIZE needed, SIZE room) {
    if (needed.cx > room.cx || needed.cy > room.cy) cut.push_back(Describe(control, text, needed, room));
  };
  ForEachDescendant(window.Handle(), [&](HWND control) {
    const bool tabs = IsClass(control, WC_TABCONTROLA);
    const bool label = IsClass(control, "Static") || IsClass(control, TURLLabel::ClassName);
    if (!tabs && !label && !IsClass(control, "Button")) return;
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    const LONG type = style & SS_TYPEMASK;
    const bool picture = IsClass(control, "Static") && type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT;
    const std::string text = WindowText(control);
    if ((text.empty() && !tabs) || picture) return;
    HFONT font = CopyControlFont(window.Handle(), control);
    if (font == nullptr) {
      cut.push_back(ClassOf(control) + " '" + text + "': its font cannot be read");
      return;
    }
    RECT client{};
    GetClientRect(control, &client);
    const SIZE room = {client.right, client.bottom};
    if (tabs) {
      const std::vector<std::string> captions = window.Tabs();
      for (size_t i = 0; i < captions.size(); ++i) {
        RECT item{};
        window.TabItemRect(static_cast<int>(i), item);
        check(control, captions[i], MeasureText(font, captions[i], 0),
              {item.right - item.left, item.bottom - item.top});
      }
    } else if (IsClass(control, "Static")) {
      // Static texts wrap at word breaks; a word wider than the control is cut.
      check(control, text, MeasureText(font, text, room.cx, (style & SS_NOPREFIX) ? DT_NOPREFIX : 0), room);
    } else if (label) {
      check(control, text, MeasureText(font, text, 0, DT_NOPREFIX), room);
    } else if ((style & BS_TYPEMASK) == BS_AUTOCHECKBOX) {
      check(control, text, MeasureText(font, text, 0), {room.cx - scaled(CheckMarkWidth), room.cy});
    } else if ((style & BS_TYPEMASK) == BS_OWNERDRAW) {
      const int margin = scaled(ButtonMargin);
      check(control, text, MeasureText(font, text, 0),
            {room.cx - 2 * margin - scaled(ButtonGlyphSize + ButtonGlyphGap), room.cy - 2 * margin});
    }
    DeleteObject(font);
  });
  return cut;
}

}  // namespace e2e
