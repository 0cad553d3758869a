// The home-page link of the Welcome page, clicked in every way a mouse can. The system's
// web-address handler is replaced by the sample product, which notes each start.
#include "Driver.h"

namespace e2e {
namespace {

constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF Red = RGB(255, 0, 0);

enum class Step { Press, ReleaseInside, ReleaseOnEdge, ReleaseOutside, Leave, Enter };

class LinkLabelTest : public SetupTest {
protected:
  // The command lines of the stand-in browser's starts so far.
  std::vector<std::string> Openings() const {
    const std::string ran = ReadTextFile(browserDir_ + "Quillmk.ran");
    std::vector<std::string> lines;
    for (size_t start = 0, end; (end = ran.find("\r\n", start)) != std::string::npos; start = end + 2)
      lines.push_back(ran.substr(start, end - start));
    return lines;
  }
  std::string Browser() const { return browserDir_ + "Quillmk.exe"; }
  void PrepareBrowser() {
    browserDir_ = Root + "browser\\";
    CreateDirectories(browserDir_);
    CopyOneFile(BuildDistDir() + "Quillmk.exe", Browser());
    handler_ = std::make_unique<UrlHandler>(Browser());
  }
  void Do(const WindowDriver& window, Step step) const {
    RECT client{};
    GetClientRect(window.Control(URLLabel1), &client);
    switch (step) {
      case Step::Press: return window.Mouse(URLLabel1, WM_LBUTTONDOWN, 3, 3);
      case Step::ReleaseInside: return window.Mouse(URLLabel1, WM_LBUTTONUP, client.right / 2, client.bottom / 2);
      case Step::ReleaseOnEdge: return window.Mouse(URLLabel1, WM_LBUTTONUP, client.right, client.bottom);
      case Step::ReleaseOutside: return window.Mouse(URLLabel1, WM_LBUTTONUP, client.right + 1, 2);
      case Step::Leave: return window.Mouse(URLLabel1, WM_MOUSEMOVE, client.right + 5, client.bottom + 5);
      case Step::Enter: return window.Mouse(URLLabel1, WM_MOUSEMOVE, 4, 4);
    }
  }

private:
  std::string browserDir_;
  std::unique_ptr<UrlHandler> handler_;
};

TEST_F(LinkLabelTest, OpensTheHomePageOnlyWhenPressAndReleaseAreBothOnTheLink) {
  const struct {
    const char* name;
    std::vector<Step> steps;
    std::vector<COLORREF> colours;  // the font colour after each step
    int opened;
  } cases[] = {
      {"press and release inside", {Step::Press, Step::ReleaseInside}, {Red, Blue}, 1},
      {"press inside, release outside", {Step::Press, Step::ReleaseOutside}, {Red, Blue}, 0},
      {"leave and come back while held",
       {Step::Enter, Step::Press, Step::Leave, Step::Enter, Step::ReleaseInside},
       {Blue, Red, Blue, Red, Blue},
       1},
      {"release on the right and bottom edges", {Step::Press, Step::ReleaseOnEdge}, {Red, Blue}, 1},
      {"release without a press", {Step::Enter, Step::ReleaseInside}, {Blue, Blue}, 0},
  };
  PrepareBrowser();
  LayOutSampleDistribution();
  Start();
  WindowDriver window = WaitForMainWindow();
  ASSERT_TRUE(window.Handle());
  int expected = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (size_t i = 0; i < c.steps.size(); ++i) {
      Do(window, c.steps[i]);
      EXPECT_EQ(static_cast<COLORREF>(window.Send(URLLabel1, ULM_GETCOLOR)), c.colours[i]) << "after step " << i;
    }
    expected += c.opened;
    // An opening starts a program: give it time to note itself, and a wrong one time to show.
    WaitUntil([&] { return static_cast<int>(Openings().size()) >= expected; }, 10000);
    Sleep(500);
    EXPECT_EQ(static_cast<int>(Openings().size()), expected);
  }
  for (const std::string& opened : Openings()) {
    EXPECT_NE(opened.find(MakerHomePage), std::string::npos) << "opened: " << opened;
  }
  // Through the desktop's shell, as the user: Setup starts no browser with its rights.
  const std::vector<DWORD> starters = StartersOf(Browser());
  EXPECT_FALSE(starters.empty()) << "no browser runs";
  for (const DWORD starter : starters) EXPECT_NE(starter, Process().Id()) << "the browser runs with Setup's rights";
}

// The colours a user sees: blue ink at rest, red while pressed.
TEST_F(LinkLabelTest, InkTurnsRedWhilePressed) {
  PrepareBrowser();
  LayOutSampleDistribution();
  Start();
  WindowDriver window = WaitForMainWindow();
  ASSERT_TRUE(window.Handle());
  WaitForPaint(window.Handle());
  EXPECT_EQ(InkColour(window.Control(URLLabel1)), Blue);
  Do(window, Step::Press);
  WaitForPaint(window.Handle());
  EXPECT_EQ(InkColour(window.Control(URLLabel1)), Red);
  Do(window, Step::ReleaseOutside);
  WaitForPaint(window.Handle());
  EXPECT_EQ(InkColour(window.Control(URLLabel1)), Blue);
}

}  // namespace
}  // namespace e2e
