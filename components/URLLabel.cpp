#include "URLLabel.h"

#include <oleacc.h>
#include <windowsx.h>

#include "Accessible.h"
#include "ColourScheme.h"
#include "StartChild.h"
#include "WindowClass.h"

void TURLLabel::Register(HINSTANCE instance) { RegisterWindowClass(instance, ClassName, WindowProc); }

TURLLabel& TURLLabel::FromHandle(HWND window) {
  return *reinterpret_cast<TURLLabel*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

TURLLabel::TURLLabel(HWND window) : window_(window) {
  // Until the owner sets a font, the label looks like a link on its own.
  LOGFONTA font = {};
  font.lfHeight = -11;
  font.lfUnderline = TRUE;
  lstrcpynA(font.lfFaceName, "Courier New", LF_FACESIZE);
  ownFont_ = CreateFontIndirectA(&font);
  font_ = ownFont_;
}

namespace {
// A link, named by its caption; Enter, Space and a screen reader's action open it.
AccessibleFacts DescribeLink(HWND) {
  AccessibleFacts facts;
  facts.Role = ROLE_SYSTEM_LINK;
  facts.AddedState = STATE_SYSTEM_LINKED | STATE_SYSTEM_FOCUSABLE;
  facts.DefaultAction = "Jump";
  return facts;
}
}  // namespace

LRESULT CALLBACK TURLLabel::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new TURLLabel(window)));
    MakeAccessible(window, DescribeLink, [](HWND link) { FromHandle(link).OpenTarget(); });
  }
  auto* label = reinterpret_cast<TURLLabel*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (label == nullptr) {
    return DefWindowProcA(window, message, wParam, lParam);
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    if (label->ownFont_ != nullptr) {
      DeleteObject(label->ownFont_);
    }
    delete label;
    return DefWindowProcA(window, message, wParam, lParam);
  }
  return label->HandleMessage(message, wParam, lParam);
}

LRESULT TURLLabel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      MouseDown();
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      MouseUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_MOUSEMOVE: {
      RECT client;
      GetClientRect(window_, &client);
      const int x = GET_X_LPARAM(lParam);
      const int y = GET_Y_LPARAM(lParam);
      const bool inside = x >= 0 && y >= 0 && x < client.right && y < client.bottom;
      if (inside && !mouseInside_) {
        MouseEnter();
      } else if (!inside && mouseInside_) {
        MouseLeave();
      }
      return 0;
    }
    case WM_MOUSELEAVE:
      if (mouseInside_ && GetCapture() != window_) {
        MouseLeave();
      }
      return 0;
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam) != 0) {
        InvalidateRect(window_, nullptr, TRUE);
      }
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcA(window_, message, wParam, lParam);
      InvalidateRect(window_, nullptr, TRUE);
      return result;
    }
    case WM_GETDLGCODE:
      // Enter is the link's own; typed characters too, so that Space opens it rather than
      // starting the dialog manager's search for a mnemonic.
      return DLGC_WANTCHARS | (lParam != 0 && reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN &&
                                       reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN
                                   ? DLGC_WANTMESSAGE
                                   : 0);
    case WM_KEYDOWN:
      // Once per press, not again for the keyboard's repeats.
      if ((wParam == VK_RETURN || wParam == VK_SPACE) && (lParam & (1 << 30)) == 0) {
        OpenTarget();
      }
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(window_, nullptr, TRUE);
      return 0;
    case ULM_GETCOLOR:
      return static_cast<LRESULT>(fontColor_);
    case WM_PAINT:
      Paint();
      return 0;
    default:
      return DefWindowProcA(window_, message, wParam, lParam);
  }
}

void TURLLabel::MouseDown() {
  pressed_ = true;
  // Capture so that the release is seen even when it happens off the label.
  SetCapture(window_);
  SetFontColor(ColorClick);
}

void TURLLabel::MouseUp(int x, int y) {
  if (GetCapture() == window_) {
    ReleaseCapture();
  }
  RECT client;
  GetClientRect(window_, &client);
  // The right and bottom edges themselves count as inside.
  const bool outside = x < 0 || y < 0 || x > client.right || y > client.bottom;
  if (outside) {
    SetFontColor(ColorNormal);
  } else {
    if (pressed_) {
      OpenTarget();
    }
    SetFontColor(ColorMoveOver);
  }
  pressed_ = false;
}

void TURLLabel::MouseEnter() {
  mouseInside_ = true;
  TRACKMOUSEEVENT track = {};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = window_;
  TrackMouseEvent(&track);
  SetFontColor(pressed_ ? ColorClick : ColorMoveOver);
}

void TURLLabel::MouseLeave() {
  mouseInside_ = false;
  SetFontColor(ColorNormal);
}

void TURLLabel::SetFontColor(COLORREF color) {
  if (color != fontColor_) {
    fontColor_ = color;
    InvalidateRect(window_, nullptr, TRUE);
  }
}

void TURLLabel::OpenTarget() const {
  std::string target = URL;
  if (target.empty()) {
    const int length = GetWindowTextLengthA(window_);
    target.assign(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(window_, &target[0], length + 1);
    target.resize(static_cast<size_t>(length));
  }
  // As the user who started the program, not with its rights (StartChild.h), or not at all; a
  // target the shell cannot open fails silently.
  const HWND owner = GetAncestor(window_, GA_ROOT);
  if (StartChild(PageStart(target), owner)) return;
  char caption[256] = "";
  GetWindowTextA(owner, caption, sizeof caption);
  const std::string text = "This program runs with administrator rights and no desktop of yours answers, so it "
                           "opens no page: open " + target + " in your browser yourself.";
  MessageBoxA(owner, text.c_str(), caption, MB_OK | MB_ICONINFORMATION);
}

void TURLLabel::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  RECT client;
  GetClientRect(window_, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  char text[512];
  const int length = GetWindowTextA(window_, text, sizeof text);
  HGDIOBJ oldFont = SelectObject(dc, font_);
  SetBkMode(dc, TRANSPARENT);
  // With the system's colours a link is drawn in its hot-light colour, whatever the mouse does.
  SetTextColor(dc, SystemColoursNow() ? GetSysColor(COLOR_HOTLIGHT) : fontColor_);
  const LONG style = GetWindowLongA(window_, GWL_STYLE);
  UINT format = DT_SINGLELINE | DT_NOPREFIX;
  if ((style & SS_TYPEMASK) == SS_CENTER) {
    format |= DT_CENTER;
  }
  DrawTextA(dc, text, length, &client, format);
  if (GetFocus() == window_) {
    DrawFocusRect(dc, &client);
  }
  SelectObject(dc, oldFont);
  EndPaint(window_, &paint);
}
