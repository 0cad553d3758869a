// Setup for everyone: the keyboard alone (real keys, through SendInput), what a screen reader
// reads (MSAA through oleacc), and a high-contrast colour scheme read back from the screen.
#include <oleacc.h>

#include <set>

#include "Driver.h"
#include "InstallChecks.h"

namespace e2e {
namespace {

// Spelled out: mingw's liboleacc.a resolves IID_IAccessible to an import thunk, not the GUID.
constexpr IID AccessibleIid = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// ---- The keyboard alone. Keys go to the foreground window, as a user's do.

class KeyboardTest : public SetupTest {
protected:
  // Presses the keys in order and lets them go in reverse: {VK_CONTROL, VK_TAB} is Ctrl+Tab.
  static void Chord(const std::vector<WORD>& keys, HWND foreground) {
    SetForegroundWindow(foreground);
    std::vector<INPUT> inputs;
    for (const WORD key : keys) inputs.push_back(Key(key, 0));
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) inputs.push_back(Key(*key, KEYEVENTF_KEYUP));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  }
  // Types a text as characters of the keyboard.
  static void TypeText(const std::string& text, HWND foreground) {
    SetForegroundWindow(foreground);
    std::vector<INPUT> inputs;
    for (const char c : text) {
      INPUT input = Key(0, KEYEVENTF_UNICODE);
      input.ki.wScan = static_cast<unsigned char>(c);
      inputs.push_back(input);
      input.ki.dwFlags |= KEYEVENTF_KEYUP;
      inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  }
  static bool FocusBecomes(const WindowDriver& window, int id) {
    return WaitUntil([&] { return window.FocusedId() == id; }, 5000);
  }
  // Whether Setup's window thread still takes messages.
  static bool Answers(HWND window) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
  }

private:
  static INPUT Key(WORD code, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = code;
    input.ki.dwFlags = flags;
    return input;
  }
};

// Install: Ctrl+Tab to the Install page, the directory typed, Tab to a shortcut box, Space, Enter.
// On the Finished page the focus is on a visible button and a stray key changes nothing;
// Escape quits. Then the installed copy uninstalls by Enter, its question and the helper's
// message answered by Enter too.
TEST_F(KeyboardTest, InstallAndUninstallByKeysAlone) {
  LayOutSampleDistribution();
  const std::string dir = ProgramFiles + "Keyed\\";
  Start();
  WindowDriver window = WaitForMainWindow();
  ASSERT_TRUE(window.Handle());
  HWND main = window.Handle();
  ASSERT_TRUE(FocusBecomes(window, URLLabel1)) << "focus at start: " << window.FocusedId();
  Chord({VK_CONTROL, VK_TAB}, main);
  ASSERT_TRUE(window.WaitForTab("Delphi/C++Builder", 5000));
  Chord({VK_CONTROL, VK_TAB}, main);
  ASSERT_TRUE(window.WaitForTab("Install", 5000));
  ASSERT_TRUE(FocusBecomes(window, EditInstallDir));
  Chord({VK_HOME}, main);
  Chord({VK_SHIFT, VK_END}, main);
  TypeText(dir, main);
  ASSERT_TRUE(WaitUntil([&] { return window.Text(EditInstallDir) == dir; }, 5000)) << window.Text(EditInstallDir);
  for (int tab = 0; tab < 6 && window.FocusedId() != CheckStartMenu; ++tab) window.PressTab();
  ASSERT_EQ(window.FocusedId(), CheckStartMenu);
  Chord({VK_SPACE}, main);
  ASSERT_TRUE(WaitUntil([&] { return window.Checked(CheckStartMenu); }, 5000));
  Chord({VK_RETURN}, main);
  ASSERT_TRUE(WaitUntil([&] { return window.CurrentTab() == "Finished" || Process().MessageBoxWindow(); }, 60000));
  ASSERT_EQ(Process().MessageBoxWindow(), nullptr) << ReadMessageBox(Process().MessageBoxWindow()).Text;

  ASSERT_TRUE(FocusBecomes(window, RunBtn)) << "focus on " << window.FocusedId();
  EXPECT_TRUE(IsWindowVisible(window.Control(RunBtn)));
  Chord({'X'}, main);
  Sleep(500);
  EXPECT_TRUE(Answers(main)) << "Setup hangs after a key on the Finished page";
  EXPECT_EQ(window.CurrentTab(), "Finished");
  Chord({VK_ESCAPE}, main);
  ASSERT_TRUE(Process().WaitForExit(10000)) << "Escape did not quit the Finished page";
  EXPECT_TRUE(FileExists(dir + "Quillmk.exe"));
  EXPECT_TRUE(FileExists(dir + "Setup.exe"));
  EXPECT_TRUE(FileExists(StartMenu + "Quillmark.lnk"));

  Start(dir + "Setup.exe");
  window = WaitForMainWindow();
  ASSERT_TRUE(window.Handle());
  EXPECT_EQ(window.CurrentTab(), "Uninstall");
  ASSERT_TRUE(FocusBecomes(window, UninstallBtn)) << "focus on " << window.FocusedId();
  Chord({VK_RETURN}, window.Handle());
  HWND question = Process().WaitForMessageBox(10000);
  ASSERT_NE(question, nullptr);
  Chord({VK_RETURN}, question);  // Yes is the box's default
  ASSERT_TRUE(Process().WaitForExit(30000));
  HWND done = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (done = FindWindowA("#32770", "Uninstall complete")) != nullptr; }, 30000));
  WaitForPaint(done);
  Chord({VK_RETURN}, done);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(done); }, 10000)) << "the helper's message stayed";
  EXPECT_FALSE(DirectoryExists(dir));
  EXPECT_FALSE(FileExists(StartMenu + "Quillmark.lnk"));
}

// Ctrl+Tab and its kin go round the offered pages, the focus following into each; Escape does
// nothing where a page offers no Quit, and quits the Install page with nothing changed.
TEST_F(KeyboardTest, PagesByCtrlKeysAndEscape) {
  const struct {
    const char* name;
    std::vector<WORD> keys;
    const char* tab;
    int focus;
  } steps[] = {
      {"Escape on Welcome", {VK_ESCAPE}, "Welcome", URLLabel1},
      {"Ctrl+Shift+Tab round the start", {VK_CONTROL, VK_SHIFT, VK_TAB}, "Install", EditInstallDir},
      {"Ctrl+PgUp", {VK_CONTROL, VK_PRIOR}, "Delphi/C++Builder", CheckDelphi40},
      {"Ctrl+PgDn", {VK_CONTROL, VK_NEXT}, "Install", EditInstallDir},
      {"Ctrl+Tab round the end", {VK_CONTROL, VK_TAB}, "Welcome", URLLabel1},
      {"Ctrl+PgUp round the start", {VK_CONTROL, VK_PRIOR}, "Install", EditInstallDir},
  };
  LayOutSampleDistribution();
  Start();
  WindowDriver window = WaitForMainWindow();
  ASSERT_TRUE(window.Handle());
  ASSERT_TRUE(FocusBecomes(window, URLLabel1));
  for (const auto& step : steps) {
    SCOPED_TRACE(step.name);
    Chord(step.keys, window.Handle());
    EXPECT_TRUE(window.WaitForTab(step.tab, 5000)) << window.CurrentTab();
    EXPECT_TRUE(FocusBecomes(window, step.focus)) << "focus on " << window.FocusedId();
    Sleep(200);
    EXPECT_TRUE(Process().Running());
  }
  // Another window in front, then Setup again: the focus is back where it was.
  HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 60, 60, nullptr, nullptr, nullptr,
                               nullptr);
  SetForegroundWindow(other);
  EXPECT_TRUE(WaitUntil([&] { return window.FocusedId() == 0; }, 5000)) << "Setup kept the focus";
  SetForegroundWindow(window.Handle());
  EXPECT_TRUE(FocusBecomes(window, EditInstallDir)) << "focus on " << window.FocusedId();
  DestroyWindow(other);
  Chord({VK_ESCAPE}, window.Handle());
  ASSERT_TRUE(Process().WaitForExit(10000)) << "Escape did not quit the Install page";
  EXPECT_EQ(Process().ExitCode(), 0u);
  EXPECT_FALSE(DirectoryExists(ProgramFiles + "Quillmark"));
  std::string version;
  EXPECT_FALSE(ReadRegString(HKEY_LOCAL_MACHINE, "Software\\Penwright\\Quillmark\\Installation", "Version", version));
}

// ---- What a screen reader reads, through oleacc as it does.

struct Accessible {
  IAccessible* object = nullptr;
  explicit Accessible(HWND control) {
    AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), AccessibleIid, reinterpret_cast<void**>(&object));
  }
  ~Accessible() {
    if (object) object->Release();
  }
  Accessible(const Accessible&) = delete;
  Accessible& operator=(const Accessible&) = delete;

  static VARIANT Child(long id) {
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = id;
    return child;
  }
  static std::string Narrow(BSTR text) {
    std::string narrow;
    if (text) {
      const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
      narrow.resize(static_cast<size_t>(size > 0 ? size - 1 : 0));
      if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow.data(), size, nullptr, nullptr);
      SysFreeString(text);
    }
    return narrow;
  }
  long Role(long child = CHILDID_SELF) const {
    VARIANT role;
    VariantInit(&role);
    return object && SUCCEEDED(object->get_accRole(Child(child), &role)) && role.vt == VT_I4 ? role.lVal : -1;
  }
  long State(long child = CHILDID_SELF) const {
    VARIANT state;
    VariantInit(&state);
    return object && SUCCEEDED(object->get_accState(Child(child), &state)) && state.vt == VT_I4 ? state.lVal : 0;
  }
  std::string Name(long child = CHILDID_SELF) const {
    BSTR text = nullptr;
    return object && object->get_accName(Child(child), &text) == S_OK ? Narrow(text) : std::string();
  }
  std::string Value(long child = CHILDID_SELF) const {
    BSTR text = nullptr;
    return object && object->get_accValue(Child(child), &text) == S_OK ? Narrow(text) : std::string();
  }
  long ChildCount() const {
    long count = -1;
    return object && SUCCEEDED(object->get_accChildCount(&count)) ? count : -1;
  }
};

// Counts the gauge's value changes, the status line's name changes and the tree's selections
// that arrive while this thread takes its messages.
int valueChanges = 0, nameChanges = 0, selections = 0;
HWND gauge = nullptr, status = nullptr, folders = nullptr;
void CALLBACK CountChange(HWINEVENTHOOK, DWORD event, HWND from, LONG, LONG, DWORD, DWORD) {
  if (event == EVENT_OBJECT_VALUECHANGE && from == gauge) ++valueChanges;
  if (event == EVENT_OBJECT_NAMECHANGE && from == status) ++nameChanges;
  if (event == EVENT_OBJECT_SELECTION && from == folders) ++selections;
}

class ScreenReaderTest : public SetupTest {
protected:
  // The objects come from another process through COM.
  void SetUp() override {
    SetupTest::SetUp();
    com_ = CoInitialize(nullptr);
  }
  void TearDown() override {
    SetupTest::TearDown();
    if (SUCCEEDED(com_)) CoUninitialize();
  }
  // The controls below page whose window class is cls and whose style has all of bits.
  std::vector<HWND> Below(const WindowDriver& window, int page, const std::string& cls, LONG bits) {
    std::vector<HWND> found;
    for (HWND child = GetWindow(window.Control(page), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      if (ClassOf(child) == cls && (GetWindowLongA(child, GWL_STYLE) & bits) == bits) found.push_back(child);
    return found;
  }

private:
  HRESULT com_ = E_FAIL;
};

// Each control by role, name and value; the tree's lines as items; the gauge's value and its
// events through an install.
TEST_F(ScreenReaderTest, EveryControlReadsRight) {
  LayOutSampleDistribution();
  Start();
  WindowDriver window = WaitForMainWindow();
  ASSERT_TRUE(window.Handle());
  const struct {
    int id;
    long role;  // -1: the system's own, not checked
    const char* name;
    const char* value;  // nullptr: not checked
  } controls[] = {
      {Gauge, ROLE_SYSTEM_PROGRESSBAR, "Progress", "0%"},
      {URLLabel1, ROLE_SYSTEM_LINK, MakerHomePage, nullptr},
      {ListInstallDir, ROLE_SYSTEM_OUTLINE, "Folders", nullptr},
      {ComboInstallDrive, ROLE_SYSTEM_COMBOBOX, "Drive", "C:"},
      {Pages, -1, "Pages", nullptr},
      {EditDelphi40, -1, "Into: Delphi 4", nullptr},
      {EditBCB30, -1, "Into: C++Builder 3", nullptr},
      {EditDelphi10, -1, "Into: Delphi 1", nullptr},
  };
  for (const auto& c : controls) {
    SCOPED_TRACE("control " + std::to_string(c.id));
    Accessible control(window.Control(c.id));
    ASSERT_NE(control.object, nullptr);
    if (c.role != -1) {
      EXPECT_EQ(control.Role(), c.role);
    }
    EXPECT_EQ(control.Name(), c.name);
    if (c.value) {
      EXPECT_EQ(control.Value(), c.value);
    }
  }
  EXPECT_NE(Accessible(window.Control(URLLabel1)).State() & STATE_SYSTEM_LINKED, 0);
  const std::vector<HWND> groups = Below(window, InstallSheet, "Button", BS_GROUPBOX);
  ASSERT_EQ(groups.size(), 1u);
  EXPECT_EQ(Accessible(groups[0]).Name(), "Shortcuts");
  for (HWND icon : Below(window, WelcomeSheet, "Static", SS_ICON)) EXPECT_EQ(Accessible(icon).Name(), "");

  // The tree stands in the proposed directory's nearest folder: C:\qmtest\<test>\Program Files.
  Accessible tree(window.Control(ListInstallDir));
  const std::vector<std::string> lines = {"C:\\", "qmtest", Name, "Program Files"};
  ASSERT_EQ(tree.ChildCount(), static_cast<long>(lines.size()));
  for (size_t i = 0; i < lines.size(); ++i) {
    const long child = static_cast<long>(i + 1);
    EXPECT_EQ(tree.Role(child), ROLE_SYSTEM_OUTLINEITEM);
    EXPECT_EQ(tree.Name(child), lines[i]);
    EXPECT_EQ((tree.State(child) & STATE_SYSTEM_SELECTED) != 0, i + 1 == lines.size()) << lines[i];
  }
  VARIANT selection;
  VariantInit(&selection);
  ASSERT_EQ(tree.object->get_accSelection(&selection), S_OK);
  EXPECT_EQ(selection.vt, VT_I4);
  EXPECT_EQ(selection.lVal, static_cast<long>(lines.size()));

  gauge = window.Control(Gauge);
  status = window.Control(LabelBusy);
  folders = window.Control(ListInstallDir);
  valueChanges = nameChanges = selections = 0;
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_SELECTION, EVENT_OBJECT_VALUECHANGE, nullptr, CountChange,
                                       Process().Id(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  window.SelectTab("Install");
  // The tree moves up to the test's folder and back.
  const std::string proposed = window.Text(EditInstallDir);
  window.Type(EditInstallDir, Root);
  window.Type(EditInstallDir, proposed);
  window.Click(NowBtn2);
  const auto pumped = [](DWORD milliseconds) {
    const DWORD start = GetTickCount();
    MSG message;
    while (GetTickCount() - start < milliseconds) {
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
      Sleep(20);
    }
  };
  for (int wait = 0; wait < 600 && window.CurrentTab() != "Finished" && !Process().MessageBoxWindow(); ++wait) pumped(100);
  pumped(500);
  UnhookWinEvent(hook);
  ASSERT_EQ(window.CurrentTab(), "Finished");
  EXPECT_EQ(Accessible(gauge).Value(), "100%");
  EXPECT_GT(valueChanges, 1) << "the gauge moved without a word";
  EXPECT_GT(nameChanges, 1) << "the status line changed without a word";
  EXPECT_GT(selections, 1) << "the tree moved without a word";
}

// The install runs on the window thread: a screen reader still reads the gauge while it works,
// through an object it got before. A package of 12 MB keeps it busy long enough to be read half way.
TEST_F(ScreenReaderTest, GaugeReadsWhileTheInstallRuns) {
  std::string text;
  for (unsigned line = 0; text.size() < 12u << 20; ++line) text += "Line " + std::to_string(line * 7919u % 100003u) + " of a long help file\r\n";
  Dist().AddSetup();
  Dist().WriteFile("Quillmk.pak", PackageImage("1.0", {TextMember("Big.hlp", text)}));
  Start();
  WindowDriver window = WaitForMainWindow();
  ASSERT_TRUE(window.Handle());
  Accessible gauge(window.Control(Gauge));
  ASSERT_NE(gauge.object, nullptr);
  window.SelectTab("Install");
  window.Click(NowBtn2);
  std::set<std::string> seen;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 120000 && window.CurrentTab() != "Finished" && !Process().MessageBoxWindow()) {
    seen.insert(gauge.Value());
  }
  ASSERT_EQ(window.CurrentTab(), "Finished");
  seen.erase("0%");
  seen.erase("100%");
  seen.erase("");
  EXPECT_FALSE(seen.empty()) << "no value read half way";
}

// ---- High contrast: a scheme of white on black, each role its own colour so that the screen
// shows which one was used.

const char* const ColoursKey = "Control Panel\\Colors";
const struct {
  const char* name;
  const char* value;
  COLORREF colour;
} Scheme[] = {
    {"ButtonFace", "0 0 0", RGB(0, 0, 0)},           {"ButtonText", "255 255 255", RGB(255, 255, 255)},
    {"WindowText", "255 255 255", RGB(255, 255, 255)}, {"Window", "0 64 0", RGB(0, 64, 0)},
    {"HotTrackingColor", "255 255 0", RGB(255, 255, 0)}, {"Hilight", "128 0 128", RGB(128, 0, 128)},
    {"HilightText", "255 255 255", RGB(255, 255, 255)},
};
constexpr COLORREF Face = RGB(0, 0, 0), Text = RGB(255, 255, 255), WindowColour = RGB(0, 64, 0),
                   HotLight = RGB(255, 255, 0);

class HighContrastTest : public SetupTest {
protected:
  void SetUp() override {
    SetupTest::SetUp();
    for (const auto& colour : Scheme) {
      saved_.push_back(ReadRawValue(HKEY_CURRENT_USER, ColoursKey, colour.name));
      WriteRegString(HKEY_CURRENT_USER, ColoursKey, colour.name, colour.value);
    }
  }
  void TearDown() override {
    SetupTest::TearDown();
    for (size_t i = 0; i < saved_.size(); ++i) RestoreRawValue(HKEY_CURRENT_USER, ColoursKey, Scheme[i].name, saved_[i]);
  }
  // Shows one page as the window would (each page is there from the start) and waits for its paint.
  static void ShowPage(const WindowDriver& window, int page) {
    for (int other = WelcomeSheet; other <= NothingSheet; ++other)
      if (other != page) ShowWindow(window.Control(other), SW_HIDE);
    ShowWindow(window.Control(page), SW_SHOW);
    WaitForPaint(window.Handle());
  }
  static HWND TextControl(const WindowDriver& window, int page, const std::string& text) {
    for (HWND child = GetWindow(window.Control(page), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      if (WindowText(child) == text) return child;
    ADD_FAILURE() << "no \"" << text << "\"";
    return nullptr;
  }

private:
  std::vector<RawValue> saved_;
};

// Every text in the window-text colour on the face, the link in the hot-light colour, the gauge
// on the window colour, no coloured band left: pixels as the screen shows them.
TEST_F(HighContrastTest, TextsTakeTheSystemsColours) {
  LayOutSampleDistribution();
  Start();
  WindowDriver window = WaitForMainWindow();
  ASSERT_TRUE(window.Handle());
  WaitForPaint(window.Handle());
  const struct {
    int page;
    int id;            // 0: the control with the text below
    const char* text;
    COLORREF ink, background;
  } rows[] = {
      {WelcomeSheet, URLLabel1, nullptr, HotLight, Face},
      {InstallSheet, LabelSpaceFree, nullptr, Text, Face},
      {InstallSheet, LabelVersion, nullptr, Text, Face},
      {BusySheet, LabelBusy, nullptr, Text, Face},
      {BusySheet, Gauge, nullptr, Text, WindowColour},
      {UninstallSheet, 0,
       "If you press the Remove button below, you will remove Quillmark from your hard disk, and you will have "
       "to reinstall it by running the Setup.exe program from the original Quillmk.zip file again, if you ever "
       "want to use Quillmark again.",
       Text, Face},
      {FinishedSheet, 0, "Quillmark setup has been completed !!!", Text, Face},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text ? row.text : std::to_string(row.id));
    ShowPage(window, row.page);
    HWND control = row.id ? window.Control(row.id) : TextControl(window, row.page, row.text);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(BackgroundColour(control), row.background);
    EXPECT_EQ(InkColour(control), row.ink);
  }
  // Where the Finished page's lime band was, behind the Run button.
  RECT run;
  GetWindowRect(window.Control(RunBtn), &run);
  EXPECT_EQ(ScreenPixel({run.left - 4, (run.top + run.bottom) / 2}), Face);
}

}  // namespace
}  // namespace e2e
