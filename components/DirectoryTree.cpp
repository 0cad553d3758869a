#include "DirectoryTree.h"

#include <oleacc.h>
#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "Accessible.h"
#include "WindowClass.h"
#include "archive/CodePage.h"
#include "archive/PathFormsWin32.h"

namespace TDirectoryTree {
namespace {

constexpr int IndentStep = 10;
constexpr int GlyphWidth = 14;

struct Line {
  std::string name;
  int indent;
};

struct State {
  std::string directory;  // full path; ends in a backslash only for a drive root
  std::string root;       // "C:\" or "\\server\share"
  std::vector<std::string> levels;  // the path below the root
  std::vector<Line> lines;
  int selected = 0;
  int top = 0;
  HFONT font = nullptr;
};

State& StateOf(HWND tree) { return WindowState<State>(tree); }

bool IsDirectory(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Splits a full path into its root and the names below it. False for a path with no root
// we know ("C:\..." or "\\server\share..."). By characters: in a double-byte code page the
// second byte of a name's character may be 0x5C, which is no backslash.
bool SplitPath(const std::string& full, std::string& root, std::vector<std::string>& levels) {
  size_t rest;
  if (full.size() >= 3 && full[1] == ':' && full[2] == '\\') {
    root = full.substr(0, 3);
    rest = 3;
  } else if (full.size() > 2 && full[0] == '\\' && full[1] == '\\') {
    const size_t server = FindAscii(full, '\\', 2);
    if (server == std::string::npos) {
      return false;
    }
    const size_t share = FindAscii(full, '\\', server + 1);
    root = full.substr(0, share);
    rest = share == std::string::npos ? full.size() : share + 1;
  } else {
    return false;
  }
  levels.clear();
  while (rest < full.size()) {
    size_t end = FindAscii(full, '\\', rest);
    if (end == std::string::npos) {
      end = full.size();
    }
    if (end > rest) {
      levels.push_back(full.substr(rest, end - rest));
    }
    rest = end + 1;
  }
  return true;
}

std::string JoinPath(const std::string& root, const std::vector<std::string>& levels, size_t count) {
  std::string path = root;
  for (size_t i = 0; i < count; ++i) {
    if (!EndsWithAscii(path, '\\')) {
      path += '\\';
    }
    path += levels[i];
  }
  return path;
}

std::vector<std::string> Subdirectories(const std::string& directory) {
  std::vector<std::string> names;
  std::string pattern = directory;
  if (!EndsWithAscii(pattern, '\\')) {
    pattern += '\\';
  }
  pattern += '*';
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    return names;
  }
  do {
    const std::string name = found.cFileName;
    const DWORD hiddenOrSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
        (found.dwFileAttributes & hiddenOrSystem) == 0 && name != "." && name != "..") {
      names.push_back(name);
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) < 0;
  });
  return names;
}

int LineHeight(HWND tree) {
  HDC dc = GetDC(tree);
  HGDIOBJ oldFont = SelectObject(dc, StateOf(tree).font ? StateOf(tree).font : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICA metrics;
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, oldFont);
  ReleaseDC(tree, dc);
  return std::max<int>(metrics.tmHeight + ScaleForWindow(tree, 2), ScaleForWindow(tree, 14));
}

int VisibleLines(HWND tree) {
  RECT client;
  GetClientRect(tree, &client);
  return std::max(1, static_cast<int>(client.bottom / LineHeight(tree)));
}

void UpdateScrollBar(HWND tree) {
  State& state = StateOf(tree);
  const int visible = VisibleLines(tree);
  const int count = static_cast<int>(state.lines.size());
  state.top = std::max(0, std::min(state.top, count - visible));
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMax = count - 1;
  info.nPage = static_cast<UINT>(visible);
  info.nPos = state.top;
  SetScrollInfo(tree, SB_VERT, &info, TRUE);
}

void ScrollSelectionIntoView(HWND tree) {
  State& state = StateOf(tree);
  const int visible = VisibleLines(tree);
  if (state.selected < state.top) {
    state.top = state.selected;
  } else if (state.selected >= state.top + visible) {
    state.top = state.selected - visible + 1;
  }
  UpdateScrollBar(tree);
  InvalidateRect(tree, nullptr, TRUE);
}

// A screen reader hears of the selected line as it moves.
void AnnounceSelection(HWND tree) {
  const LONG child = StateOf(tree).selected + 1;
  RaiseAccessibleEvent(EVENT_OBJECT_SELECTION, tree, child);
  if (GetFocus() == tree) RaiseAccessibleEvent(EVENT_OBJECT_FOCUS, tree, child);
}

// Moves to a directory; with notify, tells the parent when the directory changed.
bool MoveTo(HWND tree, const std::string& requested, bool notify) {
  std::string path = requested;
  if (path.size() == 2 && path[1] == ':') {
    path += '\\';  // "C:" means the drive's root, the nearest ancestor of what was cut
  }
  const std::string full = FullPath(path);
  if (full.empty() || !IsDirectory(full)) {
    return false;
  }
  State& state = StateOf(tree);
  std::string root;
  std::vector<std::string> levels;
  if (!SplitPath(full, root, levels)) {
    return false;
  }
  const std::string directory = JoinPath(root, levels, levels.size());
  const bool changed = lstrcmpiA(directory.c_str(), state.directory.c_str()) != 0;
  state.directory = directory;
  state.root = root;
  state.levels = levels;
  state.lines.clear();
  state.lines.push_back({root, 0});
  for (size_t i = 0; i < levels.size(); ++i) {
    state.lines.push_back({levels[i], static_cast<int>(i + 1)});
  }
  const int depth = static_cast<int>(levels.size());
  for (const std::string& name : Subdirectories(directory)) {
    state.lines.push_back({name, depth + 1});
  }
  state.selected = depth;
  ScrollSelectionIntoView(tree);
  AnnounceSelection(tree);
  if (changed && notify) {
    SendMessageA(GetParent(tree), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(tree), DTN_CHANGE),
                 reinterpret_cast<LPARAM>(tree));
  }
  return true;
}

void ChooseLine(HWND tree, int index) {
  State& state = StateOf(tree);
  if (index < 0 || index >= static_cast<int>(state.lines.size())) {
    return;
  }
  const size_t pathLines = state.levels.size() + 1;
  const auto line = static_cast<size_t>(index);
  const std::string target = line < pathLines ? JoinPath(state.root, state.levels, line)
                                              : JoinPath(state.directory, {state.lines[line].name}, 1);
  MoveTo(tree, target, true);
}

void Select(HWND tree, int index) {
  State& state = StateOf(tree);
  state.selected = std::max(0, std::min(index, static_cast<int>(state.lines.size()) - 1));
  ScrollSelectionIntoView(tree);
  AnnounceSelection(tree);
}

// An outline whose items are the lines, each with its level as its value; those scrolled out
// of sight are marked so.
AccessibleFacts Describe(HWND tree) {
  const State& state = StateOf(tree);
  AccessibleFacts facts = RoleNameAndValue(ROLE_SYSTEM_OUTLINE, "Folders", state.directory);
  facts.ItemRole = ROLE_SYSTEM_OUTLINEITEM;
  facts.SelectedItem = state.selected;
  const int height = LineHeight(tree);
  const int visible = VisibleLines(tree);
  RECT client;
  GetClientRect(tree, &client);
  const bool focused = GetFocus() == tree;
  for (int index = 0; index < static_cast<int>(state.lines.size()); ++index) {
    const Line& line = state.lines[static_cast<size_t>(index)];
    AccessibleItem item;
    item.Name = line.name;
    item.Value = std::to_string(line.indent);
    item.State = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (index == state.selected) item.State |= STATE_SYSTEM_SELECTED | (focused ? STATE_SYSTEM_FOCUSED : 0);
    const int row = index - state.top;
    if (row < 0 || row >= visible) item.State |= STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
    item.Box = {0, row * height, client.right, (row + 1) * height};
    facts.Items.push_back(item);
  }
  return facts;
}

void DrawFolder(HWND tree, HDC dc, int x, int y) {
  const auto scaled = [tree](int value) { return ScaleForWindow(tree, value); };
  HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 128));
  HGDIOBJ oldBrush = SelectObject(dc, yellow);
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
  Rectangle(dc, x, y + scaled(2), x + scaled(11), y + scaled(10));
  Rectangle(dc, x, y, x + scaled(5), y + scaled(3));
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(yellow);
}

void Paint(HWND tree) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(tree, &paint);
  State& state = StateOf(tree);
  RECT client;
  GetClientRect(tree, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  const int height = LineHeight(tree);
  const int visible = VisibleLines(tree);
  HGDIOBJ oldFont = SelectObject(dc, state.font ? state.font : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  const bool focused = GetFocus() == tree;
  for (int row = 0; row < visible && state.top + row < static_cast<int>(state.lines.size()); ++row) {
    const int index = state.top + row;
    const Line& line = state.lines[static_cast<size_t>(index)];
    const int y = row * height;
    const int x = ScaleForWindow(tree, 2 + line.indent * IndentStep);
    DrawFolder(tree, dc, x, y + (height - ScaleForWindow(tree, 10)) / 2);
    RECT textArea = {x + ScaleForWindow(tree, GlyphWidth), y, client.right, y + height};
    SIZE extent;
    GetTextExtentPoint32A(dc, line.name.c_str(), static_cast<int>(line.name.size()), &extent);
    RECT mark = {textArea.left - 1, y, textArea.left + extent.cx + 2, y + height};
    COLORREF color = GetSysColor(COLOR_WINDOWTEXT);
    if (index == state.selected) {
      FillRect(dc, &mark, GetSysColorBrush(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
      color = GetSysColor(focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    }
    SetTextColor(dc, color);
    DrawTextA(dc, line.name.c_str(), static_cast<int>(line.name.size()), &textArea,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
  SelectObject(dc, oldFont);
  EndPaint(tree, &paint);
}

void Scroll(HWND tree, WORD request) {
  State& state = StateOf(tree);
  const int visible = VisibleLines(tree);
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_TRACKPOS;
  GetScrollInfo(tree, SB_VERT, &info);
  switch (request) {
    case SB_LINEUP: --state.top; break;
    case SB_LINEDOWN: ++state.top; break;
    case SB_PAGEUP: state.top -= visible; break;
    case SB_PAGEDOWN: state.top += visible; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: state.top = info.nTrackPos; break;
    default: return;
  }
  UpdateScrollBar(tree);
  InvalidateRect(tree, nullptr, TRUE);
}

int LineAt(HWND tree, int y) { return StateOf(tree).top + y / LineHeight(tree); }

LRESULT CALLBACK WindowProc(HWND tree, UINT message, WPARAM wParam, LPARAM lParam) {
  KeepWindowState<State>(tree, message);
  switch (message) {
    case WM_CREATE: {
      MakeAccessible(tree, Describe);
      char current[MAX_PATH * 3];
      GetCurrentDirectoryA(sizeof current, current);
      MoveTo(tree, current, false);
      return 0;
    }
    case WM_SETFONT:
      StateOf(tree).font = reinterpret_cast<HFONT>(wParam);
      UpdateScrollBar(tree);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(StateOf(tree).font);
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(StateOf(tree).directory.size());
    case WM_GETTEXT: {
      if (wParam == 0) {
        return 0;
      }
      const std::string& directory = StateOf(tree).directory;
      const size_t count = std::min(directory.size(), static_cast<size_t>(wParam) - 1);
      char* buffer = reinterpret_cast<char*>(lParam);
      directory.copy(buffer, count);
      buffer[count] = '\0';
      return static_cast<LRESULT>(count);
    }
    case WM_SETTEXT:
      return lParam != 0 && MoveTo(tree, reinterpret_cast<const char*>(lParam), true);
    case DTM_GETCOUNT:
      return static_cast<LRESULT>(StateOf(tree).lines.size());
    case DTM_GETCURSEL:
      return StateOf(tree).selected;
    case DTM_SETCURSEL:
      if (wParam >= StateOf(tree).lines.size()) {
        return FALSE;
      }
      Select(tree, static_cast<int>(wParam));
      return TRUE;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | (lParam != 0 && reinterpret_cast<MSG*>(lParam)->wParam == VK_RETURN
                                    ? DLGC_WANTMESSAGE
                                    : 0);
    case WM_KEYDOWN:
      switch (wParam) {
        case VK_UP: Select(tree, StateOf(tree).selected - 1); break;
        case VK_DOWN: Select(tree, StateOf(tree).selected + 1); break;
        case VK_HOME: Select(tree, 0); break;
        case VK_END: Select(tree, static_cast<int>(StateOf(tree).lines.size()) - 1); break;
        case VK_RETURN: ChooseLine(tree, StateOf(tree).selected); break;
        default: break;
      }
      return 0;
    case WM_LBUTTONDOWN:
      SetFocus(tree);
      Select(tree, LineAt(tree, GET_Y_LPARAM(lParam)));
      return 0;
    case WM_LBUTTONDBLCLK:
      ChooseLine(tree, LineAt(tree, GET_Y_LPARAM(lParam)));
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(tree, nullptr, TRUE);
      return 0;
    case WM_VSCROLL:
      Scroll(tree, LOWORD(wParam));
      return 0;
    case WM_PAINT:
      Paint(tree);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(tree, message, wParam, lParam);
}

}  // namespace

void Register(HINSTANCE instance) { RegisterWindowClass(instance, ClassName, WindowProc, CS_DBLCLKS); }

std::string Directory(HWND tree) { return StateOf(tree).directory; }

bool SetDirectory(HWND tree, const std::string& directory) { return MoveTo(tree, directory, false); }

}  // namespace TDirectoryTree
