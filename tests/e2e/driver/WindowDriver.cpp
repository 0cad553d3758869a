#include "driver/WindowDriver.h"

#include <commctrl.h>

#include <algorithm>

#include <gtest/gtest.h>

#include "ControlIds.h"
#include "DirectoryTree.h"
#include "Gauge.h"
#include "driver/RemoteBuffer.h"
#include "driver/SetupProcess.h"

namespace e2e {
namespace {

constexpr UINT SendTimeoutMs = 5000;

LRESULT SendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, SendTimeoutMs, &result);
  return static_cast<LRESULT>(result);
}

void CollectTexts(HWND window, const std::vector<int>& skipIds, std::vector<std::string>& texts) {
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (std::find(skipIds.begin(), skipIds.end(), GetDlgCtrlID(child)) != skipIds.end()) continue;
    const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
    const bool picture = ClassOf(child) == "Static" && ((style & SS_TYPEMASK) == SS_ICON || (style & SS_TYPEMASK) == SS_BITMAP);
    if (picture) continue;
    const std::string text = WindowText(child);
    if (!text.empty()) texts.push_back(text);
    CollectTexts(child, skipIds, texts);
  }
}

}  // namespace

HWND WindowDriver::Control(int id) const {
  HWND control = FindDescendant(window_, id);
  EXPECT_NE(control, nullptr) << "no control with ID " << id;
  return control;
}

std::string WindowDriver::Text(int id) const { return WindowText(Control(id)); }

bool WindowDriver::Checked(int id) const { return SendTo(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

bool WindowDriver::Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }

bool WindowDriver::ReadOnly(int id) const { return (GetWindowLongPtrA(Control(id), GWL_STYLE) & ES_READONLY) != 0; }

void WindowDriver::Click(int id) const { PostMessageA(Control(id), BM_CLICK, 0, 0); }

void WindowDriver::ClickAndWait(int id) const {
  SendTo(Control(id), BM_CLICK, 0, 0);
  Sync();
}

void WindowDriver::Type(int id, const std::string& text) const {
  HWND edit = Control(id);
  SendTo(edit, EM_SETSEL, 0, -1);
  if (text.empty()) {
    SendTo(edit, WM_CHAR, VK_BACK, 0);
  }
  // As the keyboard gives them: characters, not the bytes of their UTF-8.
  std::wstring wide(text.size(), L'\0');
  wide.resize(static_cast<size_t>(
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), static_cast<int>(wide.size()))));
  for (wchar_t c : wide) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(edit, WM_CHAR, c, 1, SMTO_NORMAL, SendTimeoutMs, &result);
  }
  Sync();
}

void WindowDriver::PressTab(bool backwards) const {
  const int before = FocusedId();
  SetForegroundWindow(window_);
  std::vector<INPUT> keys;
  const auto key = [&keys](WORD code, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = code;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    keys.push_back(input);
  };
  if (backwards) key(VK_SHIFT, false);
  key(VK_TAB, false);
  key(VK_TAB, true);
  if (backwards) key(VK_SHIFT, true);
  SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
  WaitUntil([&] { return FocusedId() != before; }, 5000);
  Sync();  // the focus is set before the window hears of it
}

int WindowDriver::FocusedId() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &info) || !info.hwndFocus) return 0;
  return GetDlgCtrlID(info.hwndFocus);
}

void WindowDriver::Sync() const { SendTo(window_, WM_NULL, 0, 0); }

LRESULT WindowDriver::Send(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
  return SendTo(Control(id), message, wParam, lParam);
}

void WindowDriver::Mouse(int id, UINT message, int x, int y) const {
  const WPARAM buttons = message == WM_LBUTTONDOWN ? MK_LBUTTON : 0;
  SendTo(Control(id), message, buttons, MAKELPARAM(x, y));
}

namespace {
int64_t Read64(HWND control, UINT message) {
  const auto low = static_cast<uint32_t>(SendTo(control, message, 0, 0));
  const auto high = static_cast<uint32_t>(SendTo(control, message, 1, 0));
  return static_cast<int64_t>(static_cast<uint64_t>(high) << 32 | low);
}
}  // namespace

int64_t WindowDriver::GaugePosition(int id) const { return Read64(Control(id), GGM_GETPOS); }

int64_t WindowDriver::GaugeMaximum(int id) const { return Read64(Control(id), GGM_GETMAX); }

void WindowDriver::ChooseTreeLine(int id, int line) const {
  ASSERT_TRUE(Send(id, DTM_SETCURSEL, line)) << "the tree has no line " << line;
  Send(id, WM_KEYDOWN, VK_RETURN, 1);
  Sync();
}

void WindowDriver::ChooseDrive(int id, char letter) const {
  Send(id, WM_CHAR, static_cast<unsigned char>(letter), 1);
  Sync();
}

std::vector<std::string> WindowDriver::Tabs() const {
  HWND tabs = Control(Pages);
  const int count = static_cast<int>(SendTo(tabs, TCM_GETITEMCOUNT, 0, 0));
  std::vector<std::string> captions;
  constexpr int TextSize = 256;
  RemoteBuffer remote(process_, sizeof(TCITEMA) + TextSize);
  for (int i = 0; i < count; ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = static_cast<char*>(remote.Address()) + sizeof(TCITEMA);
    item.cchTextMax = TextSize;
    char text[TextSize] = "";
    if (remote.Write(&item, sizeof item) && SendTo(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(remote.Address())))
      remote.Read(text, TextSize, sizeof(TCITEMA));
    text[TextSize - 1] = '\0';
    captions.push_back(text);
  }
  return captions;
}

std::string WindowDriver::CurrentTab() const {
  const int current = static_cast<int>(SendTo(Control(Pages), TCM_GETCURSEL, 0, 0));
  const std::vector<std::string> tabs = Tabs();
  return current >= 0 && current < static_cast<int>(tabs.size()) ? tabs[current] : std::string();
}

bool WindowDriver::WaitForTab(const std::string& caption, DWORD timeoutMs) const {
  return WaitUntil([&] { return CurrentTab() == caption; }, timeoutMs);
}

bool WindowDriver::TabItemRect(int index, RECT& rect) const {
  RemoteBuffer remote(process_, sizeof(RECT));
  return SendTo(Control(Pages), TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(remote.Address())) &&
         remote.Read(&rect, sizeof rect);
}

void WindowDriver::SelectTab(const std::string& caption) const {
  const std::vector<std::string> tabs = Tabs();
  const auto found = std::find(tabs.begin(), tabs.end(), caption);
  ASSERT_NE(found, tabs.end()) << "tab \"" << caption << "\" is not offered";
  RECT rect{};
  ASSERT_TRUE(TabItemRect(static_cast<int>(found - tabs.begin()), rect));
  const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  HWND tabControl = Control(Pages);
  SendTo(tabControl, WM_LBUTTONDOWN, MK_LBUTTON, point);
  SendTo(tabControl, WM_LBUTTONUP, 0, point);
  Sync();
  ASSERT_EQ(CurrentTab(), caption);
}

std::vector<std::string> WindowDriver::TextsBelow(int id, const std::vector<int>& skipIds) const {
  std::vector<std::string> texts;
  CollectTexts(Control(id), skipIds, texts);
  return texts;
}

}  // namespace e2e
