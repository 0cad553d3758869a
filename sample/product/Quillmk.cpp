// Quillmk.exe of the sample distribution: a stand-in for the product that shows who it is.
// Every start appends its command line to "Quillmk.ran" beside the program, so that a test can
// tell that (and how often, and with what) it was started. Started hidden, as Setup's Run
// button starts it, it still shows its window, as the real product does, and closes after a
// few seconds by itself. Like a real program it closes when asked (WM_CLOSE, or the end of a
// session).
#include <windows.h>

namespace {

const char* const WindowClass = "QuillmarkSampleWindow";
const char* const ProductText = "Quillmark 1.0 (sample)";
constexpr UINT_PTR CloseTimer = 1;
constexpr UINT CloseAfterMs = 4000;

void RecordStart() {
  char marker[MAX_PATH + 16] = "";
  const DWORD length = GetModuleFileNameA(nullptr, marker, MAX_PATH);
  if (length == 0 || length == MAX_PATH) return;
  char* name = marker + length;
  while (name > marker && name[-1] != '\\') --name;
  lstrcpyA(name, "Quillmk.ran");
  HANDLE file = CreateFileA(marker, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const char* commandLine = GetCommandLineA();
  DWORD written = 0;
  WriteFile(file, commandLine, lstrlenA(commandLine), &written, nullptr);
  WriteFile(file, "\r\n", 2, &written, nullptr);
  CloseHandle(file);
}

// Like the real product, it keeps its templates open while it runs, sharing reading only:
// Setup must find the file in use rather than fail halfway through replacing it.
HANDLE OpenTemplates() {
  char path[MAX_PATH + 16] = "";
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length == MAX_PATH) return INVALID_HANDLE_VALUE;
  char* name = path + length;
  while (name > path && name[-1] != '\\') --name;
  lstrcpyA(name, "Templates.ini");
  return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      RECT client;
      GetClientRect(window, &client);
      SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
      SetBkMode(dc, TRANSPARENT);
      DrawTextA(dc, ProductText, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_TIMER:
      if (wParam == CloseTimer) DestroyWindow(window);
      return 0;
    // Asked to close, as at shutdown or by an installer that replaces its files: it has nothing
    // unsaved, so it agrees and ends. (WM_CLOSE ends it through DefWindowProc.)
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wParam) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  RecordStart();
  const HANDLE templates = OpenTemplates();
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = WindowClass;
  if (!RegisterClassA(&windowClass)) return 1;
  HWND window = CreateWindowExA(0, WindowClass, "Quillmark", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                                CW_USEDEFAULT, 320, 120, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, SW_SHOWNORMAL);
  if (showCommand == SW_HIDE) SetTimer(window, CloseTimer, CloseAfterMs, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  if (templates != INVALID_HANDLE_VALUE) CloseHandle(templates);
  return 0;
}
