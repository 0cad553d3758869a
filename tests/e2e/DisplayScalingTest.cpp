// The layout at the common display scalings: every text fits its control, and the space
// figures stay whole, on one line, beside their captions.
#include "Driver.h"
#include "driver/RemoteBuffer.h"
#include "Layout.h"

namespace e2e {
namespace {

const char* const DesktopKey = "Control Panel\\Desktop";

std::string Lines(const std::vector<std::string>& lines) {
  std::string all;
  for (const std::string& line : lines) all += "\n  " + line;
  return all;
}

// The DPI comes from the prefix's LogPixels, read by every process started after it is set.
class DisplayScalingTest : public SetupTest, public ::testing::WithParamInterface<int> {
protected:
  void SetUp() override {
    SetupTest::SetUp();
    savedLogPixels_ = ReadRawValue(HKEY_CURRENT_USER, DesktopKey, "LogPixels");
    WriteRegDword(HKEY_CURRENT_USER, DesktopKey, "LogPixels", static_cast<uint32_t>(GetParam()));
    // Setup is DPI-aware; this thread reads its windows' rectangles unscaled only when it is too.
    savedAwareness_ = SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  }
  void TearDown() override {
    SetupTest::TearDown();
    RestoreRawValue(HKEY_CURRENT_USER, DesktopKey, "LogPixels", savedLogPixels_);
    SetThreadDpiAwarenessContext(savedAwareness_);
  }
  int Dpi() const { return GetParam(); }

private:
  RawValue savedLogPixels_;
  DPI_AWARENESS_CONTEXT savedAwareness_ = nullptr;
};

// Every page exists from the start, offered or not, so any start reaches them all; the
// starts differ in the tabs offered. First the splash, held up by the error box of a damaged
// package, and the window after it; then cases A and B (all five tabs of a package).
TEST_P(DisplayScalingTest, EveryTextFitsItsControl) {
  std::vector<std::string> cut;
  const auto measure = [&](HWND window) {
    ASSERT_NE(window, nullptr);
    for (const std::string& line : TextsThatDoNotFit(WindowDriver(window, Process().Handle()), Dpi()))
      cut.push_back(line);
  };
  Dist().AddSetup();
  Dist().WriteFile("Quillmk.pak", {'X', 'W', 'P', 'A', 'K', 0, 0});
  HWND box = Start().WaitForMessageBox();
  ASSERT_NE(box, nullptr);
  measure(Process().Splash());
  AnswerMessageBox(box, IDOK);
  measure(Process().WaitForMainWindow());
  Process().Kill();
  ASSERT_TRUE(Process().WaitForExit(10000));

  LayOutSampleDistribution();
  measure(Start().WaitForMainWindow());
  Process().Kill();
  RecordInstallation("0.9", Root + "Installed\\");
  measure(Start().WaitForMainWindow());
  EXPECT_TRUE(cut.empty()) << "texts cut off at " << Dpi() << " DPI:" << Lines(cut);
}

// The label's text is set from here: the label follows its text whoever sets it, and the
// drives here have far less than 1 PB free.
TEST_P(DisplayScalingTest, SpaceFiguresHoldThirteenDigitsOnOneLine) {
  LayOutSampleDistribution();
  Start();
  WindowDriver window = WaitForMainWindow();
  ASSERT_TRUE(window.Handle());
  const struct {
    int id;
    Box box;  // at 96 DPI, on the Install page
  } labels[] = {{LabelSpaceNeeded, {122, 186, 64, 13}}, {LabelSpaceFree, {122, 206, 64, 13}}};
  for (const auto& label : labels) {
    SCOPED_TRACE("label " + std::to_string(label.id));
    HWND control = window.Control(label.id);
    HWND page = GetParent(control);
    const auto boxOf = [page](HWND of) {
      RECT rect;
      GetWindowRect(of, &rect);
      MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rect), 2);
      return Box{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    };
    const std::string petabyte = "1099511627776 kB";
    window.Send(label.id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(petabyte.c_str()));
    ASSERT_EQ(window.Text(label.id), petabyte);
    HFONT font = CopyControlFont(window.Handle(), control);
    ASSERT_NE(font, nullptr);
    const SIZE line = MeasureText(font, petabyte, 0);
    const Box grown = boxOf(control);
    const SIZE wrapped = MeasureText(font, petabyte, grown.width, DT_NOPREFIX);
    DeleteObject(font);
    EXPECT_LE(line.cx, grown.width);
    EXPECT_EQ(wrapped.cy, line.cy) << "the figure wraps";
    EXPECT_LE(line.cy, grown.height);
    for (HWND other = GetWindow(page, GW_CHILD); other; other = GetWindow(other, GW_HWNDNEXT)) {
      EXPECT_TRUE(other == control || !Overlap(boxOf(other), grown))
          << "overlaps '" << WindowText(other) << "' (ID " << GetDlgCtrlID(other) << ")";
    }
    // A figure that fits the layout's box is shown there, right-aligned as ever.
    window.Send(label.id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("99999 kB"));
    const Box small = boxOf(control), expected = ScaleToDpi(label.box, Dpi());
    EXPECT_EQ((std::vector<int>{small.left, small.top, small.width, small.height}),
              (std::vector<int>{expected.left, expected.top, expected.width, expected.height}));
  }
}

// Moved to a monitor of another scaling, the window takes the place the system suggests and
// lays itself out again for the new DPI.
using DisplayScalingChangeTest = SetupTest;
TEST_F(DisplayScalingChangeTest, FollowsTheNewDpiIntoTheSuggestedPlace) {
  LayOutSampleDistribution();
  Start();
  WindowDriver window = WaitForMainWindow();
  ASSERT_TRUE(window.Handle());
  const RECT suggested = {10, 20, 10 + 720, 20 + 480};
  RemoteBuffer remote(Process().Handle(), sizeof suggested);
  ASSERT_TRUE(remote.Write(&suggested, sizeof suggested));
  SendMessageA(window.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(remote.Address()));
  RECT frame, client, label;
  GetWindowRect(window.Handle(), &frame);
  GetClientRect(window.Handle(), &client);
  GetWindowRect(window.Control(LabelSpaceFree), &label);
  MapWindowPoints(nullptr, GetParent(window.Control(LabelSpaceFree)), reinterpret_cast<POINT*>(&label), 2);
  EXPECT_EQ((std::vector<LONG>{frame.left, frame.top, client.right, client.bottom}),
            (std::vector<LONG>{10, 20, 702, 434}));
  // 122, 206, 64 x 13 at 96 DPI.
  EXPECT_EQ((std::vector<LONG>{label.left, label.top, label.right, label.bottom}),
            (std::vector<LONG>{183, 309, 279, 329}));
}

INSTANTIATE_TEST_SUITE_P(Scalings, DisplayScalingTest, ::testing::Values(96, 120, 144, 192),
                         [](const ::testing::TestParamInfo<int>& info) { return "Dpi" + std::to_string(info.param); });

}  // namespace
}  // namespace e2e
