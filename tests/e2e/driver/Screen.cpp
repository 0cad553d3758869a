#include "driver/Screen.h"

#include <cstdlib>
#include <map>
#include <vector>

namespace e2e {
namespace {

// The control's client area as pixels, read from the screen.
std::vector<COLORREF> CapturePixels(HWND control, int& width, int& height) {
  RECT client{};
  GetClientRect(control, &client);
  width = client.right;
  height = client.bottom;
  POINT origin{0, 0};
  ClientToScreen(control, &origin);
  std::vector<COLORREF> pixels;
  HDC screen = GetDC(nullptr);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(screen, origin.x + x, origin.y + y));
  }
  ReleaseDC(nullptr, screen);
  return pixels;
}

int Distance(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
         std::abs(GetBValue(a) - GetBValue(b));
}

// Total colour distance between the captured pixels and the icon (none: nothing) drawn on the
// same background.
long long IconDistance(const std::vector<COLORREF>& shown, int width, int height, HICON icon, COLORREF background) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  HBRUSH brush = CreateSolidBrush(background);
  RECT all{0, 0, width, height};
  FillRect(memory, &all, brush);
  if (icon) DrawIconEx(memory, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
  long long total = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) total += Distance(shown[y * width + x], GetPixel(memory, x, y));
  }
  DeleteObject(brush);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return total;
}

}  // namespace

void WaitForPaint(HWND window) {
  // A sent message is handled before the thread goes idle; paints follow once its queue is empty.
  for (int round = 0; round < 3; ++round) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
    Sleep(150);
  }
}

COLORREF ScreenPixel(POINT point) {
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, point.x, point.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

COLORREF BackgroundColour(HWND control) {
  POINT point{1, 1};
  ClientToScreen(control, &point);
  return ScreenPixel(point);
}

COLORREF InkColour(HWND control) {
  int width = 0, height = 0;
  const std::vector<COLORREF> pixels = CapturePixels(control, width, height);
  const COLORREF background = BackgroundColour(control);
  std::map<COLORREF, int> counts;
  for (COLORREF pixel : pixels) {
    if (pixel != background) ++counts[pixel];
  }
  COLORREF commonest = background;
  int best = 0;
  for (const auto& [colour, count] : counts) {
    if (count > best) best = count, commonest = colour;
  }
  return commonest;
}

ShownIcon IconShownBy(HWND iconControl) {
  // A box without an icon keeps an empty icon control; whatever shines through it on the
  // screen must not count, so ask the control first and compare pixels only to tell icons apart.
  if (!iconControl || !IsWindowVisible(iconControl) || !SendMessageA(iconControl, STM_GETICON, 0, 0))
    return ShownIcon::None;
  int width = 0, height = 0;
  const std::vector<COLORREF> shown = CapturePixels(iconControl, width, height);
  if (shown.empty()) return ShownIcon::None;
  const COLORREF background = shown.front();
  const struct {
    LPCSTR id;
    ShownIcon kind;
  } candidates[] = {{IDI_HAND, ShownIcon::Error},
                    {IDI_EXCLAMATION, ShownIcon::Warning},
                    {IDI_QUESTION, ShownIcon::Question},
                    {IDI_ASTERISK, ShownIcon::Information}};
  // An empty control is nearer to the plain background than to any icon.
  long long best = IconDistance(shown, width, height, nullptr, background);
  ShownIcon result = ShownIcon::None;
  for (const auto& candidate : candidates) {
    const long long distance = IconDistance(shown, width, height, LoadIconA(nullptr, candidate.id), background);
    if (distance < best) best = distance, result = candidate.kind;
  }
  return result;
}

}  // namespace e2e
