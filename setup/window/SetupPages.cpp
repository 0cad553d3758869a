// The layout of the main window: its eight pages and every control on them.
#include <string>
#include <vector>

#include "Accessible.h"
#include "ColourScheme.h"
#include "DirectoryTree.h"
#include "DriveCombo.h"
#include "Fonts.h"
#include "Gauge.h"
#include "PageWindow.h"
#include "PictureButton.h"
#include "Resources.h"
#include "FormControls.h"
#include "TextFit.h"
#include "URLLabel.h"
#include "WindowClass.h"
#include "logic/ProductNames.h"

const std::array<SheetDescription, SheetCount> Sheets = {{
    {WelcomeSheet, "Welcome"},
    {DelphiSheet, "Delphi/C++Builder"},
    {InstallSheet, "Install"},
    {UpdateSheet, "Update"},
    {UninstallSheet, "Uninstall"},
    {BusySheet, "Installing..."},
    {FinishedSheet, "Finished"},
    {NothingSheet, "Nothing To Do"},
}};

namespace {

constexpr COLORREF Default = CLR_INVALID;
constexpr COLORREF Navy = RGB(0, 0, 128);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Aqua = RGB(0, 255, 255);
constexpr COLORREF Lime = RGB(0, 255, 0);
constexpr COLORREF Yellow = RGB(255, 255, 0);

// Window classes and styles, named as the layout uses them.
constexpr const char* Static = "STATIC";
constexpr const char* Button = "BUTTON";
constexpr const char* Edit = "EDIT";
constexpr DWORD Plain = SS_LEFT | SS_NOPREFIX;
constexpr DWORD Centred = SS_CENTER | SS_NOPREFIX;
constexpr DWORD RightAligned = SS_RIGHT | SS_NOPREFIX;
constexpr DWORD Icon = SS_ICON;
constexpr DWORD Rule = SS_ETCHEDHORZ;
constexpr DWORD Group = BS_GROUPBOX;
constexpr DWORD Picture = BS_OWNERDRAW | WS_TABSTOP;
constexpr DWORD CheckBox = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD EditField = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD Tabbed = WS_TABSTOP;
constexpr DWORD DropDown = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD Scrolling = WS_VSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD ScrollArea = WS_VSCROLL | WS_CLIPCHILDREN;

struct ControlRow {
  int parent;  // a page, or the scroll box that holds the control
  const char* windowClass;
  int id;
  const char* text;
  int x, y, width, height;
  DWORD style;
  FontKind font;
  COLORREF textColour;
  COLORREF background;
  int picture;  // bitmap of a picture button, or icon of an icon; 0 for none
};

const std::string NoPackageText = std::string(AppPackageName) + " cannot be found so you cannot install Quillmark.";

constexpr FontKind Normal = FontKind::Normal;
constexpr FontKind Bold = FontKind::Bold;
constexpr FontKind Link = FontKind::Link;
constexpr FontKind Finished = FontKind::Finished;

const ControlRow Layout[] = {
    // parent, class, ID, text, x, y, width, height, style, font, text colour, background, picture
    // Pictures without a text, so that a screen reader names them nothing, not "#2".
    {WelcomeSheet, Static, FixedText, "", 8, 8, 32, 32, Icon, Normal, Default, Default, WelcomeIcon},
    {WelcomeSheet, Static, FixedText, "", 420, 8, 32, 32, Icon, Normal, Default, Default, WelcomeIcon},
    {WelcomeSheet, Static, FixedText,
     "If you ever get a newer version of Quillmark, simply run the setup program that comes with it "
     "to update your installed version.",
     56, 16, 348, 40, Centred, Normal, Default, Default, 0},
    {WelcomeSheet, Static, FixedText,
     "If you would ever need to uninstall Quillmark, simply run this setup program again or uninstall "
     "it using the Control Panel.",
     56, 72, 348, 40, Centred, Normal, Default, Default, 0},
    {WelcomeSheet, Static, FixedText, "For the latest information on Quillmark, visit the author's home page at",
     56, 128, 348, 28, Centred, Normal, Default, Default, 0},
    {WelcomeSheet, TURLLabel::ClassName, URLLabel1, MakerHomePage, 153, 158, 154, 15, Tabbed, Link, Default,
     Default, 0},
    {WelcomeSheet, Static, FixedText, "Click on the tabs to view and set the installation options", 8, 228, 444,
     16, Centred, Bold, Default, Default, 0},

    {DelphiSheet, Static, FixedText,
     "Quillmark includes a property editor for Borland Delphi 1, 2, 3 and C++Builder", 8, 6, 444, 14, Centred,
     Normal, Default, Default, 0},
    {DelphiSheet, Static, FixedText,
     "If you do not use Delphi or C++Builder, there is no need to install them.", 8, 22, 444, 14, Centred, Normal,
     Default, Default, 0},
    {DelphiSheet, Static, FixedText,
     "If you do use Delphi or C++Builder, I highly recommend to install them as it makes creating help files "
     "for your Delphi applications *a lot* easier.",
     8, 38, 444, 28, Centred, Normal, Default, Default, 0},
    {DelphiSheet, Static, FixedText, "", 8, 70, 444, 2, Rule, Normal, Default, Default, 0},
    {DelphiSheet, PageWindow::ScrollBoxClass, DelphiScrollBox, "", 104, 78, 253, 176, ScrollArea, Normal,
     Default, Default, 0},
    // The six options are added to the scroll box by AddIdeOptions.

    {InstallSheet, Static, FixedText, "Quillmark installation options", 8, 6, 444, 16, Centred, Bold, Default,
     Default, 0},
    {InstallSheet, Static, FixedText, "Installation directory:", 8, 30, 200, 13, Plain, Normal, Default, Default, 0},
    {InstallSheet, Edit, EditInstallDir, "", 8, 46, 284, 21, EditField, Normal, Default, Default, 0},
    {InstallSheet, TDirectoryTree::ClassName, ListInstallDir, "", 307, 30, 145, 84, Scrolling, Normal, Default,
     Default, 0},
    {InstallSheet, TDriveCombo::ClassName, ComboInstallDrive, "", 307, 118, 145, 160, DropDown, Normal, Default,
     Default, 0},
    {InstallSheet, Button, FixedText, "", 8, 74, 284, 76, Group, Normal, Default, Default, 0},
    {InstallSheet, Button, CheckDesktop, "Put link to Quillmark on the Desktop", 18, 88, 268, 17, CheckBox,
     Normal, Default, Default, 0},
    {InstallSheet, Button, CheckStartMenu, "Include Quillmark in the Start Menu", 18, 107, 268, 17, CheckBox,
     Normal, Default, Default, 0},
    {InstallSheet, Button, CheckPrograms, "Include Quillmark in the Programs Menu", 18, 126, 268, 17, CheckBox,
     Normal, Default, Default, 0},
    {InstallSheet, Static, FixedText, "Quillmark version:", 8, 166, 110, 13, Plain, Normal, Default, Default, 0},
    {InstallSheet, Static, LabelVersion, "LabelVersion", 122, 166, 120, 13, Plain, Normal, Default, Default, 0},
    {InstallSheet, Static, FixedText, "Disk space required:", 8, 186, 110, 13, Plain, Normal, Default, Default, 0},
    {InstallSheet, Static, LabelSpaceNeeded, "000 kB", 122, 186, 64, 13, RightAligned, Normal, Default, Default,
     0},
    {InstallSheet, Static, FixedText, "Disk space available:", 8, 206, 110, 13, Plain, Normal, Default, Default, 0},
    {InstallSheet, Static, LabelSpaceFree, "0,000 kB", 122, 206, 64, 13, RightAligned, Normal, Default, Default,
     0},
    {InstallSheet, Button, NowBtn2, "Install Quillmark now!!!", 244, 162, 208, 27, Picture, Normal, Default,
     Default, GlyphOk},
    {InstallSheet, Button, CancelBtn3, "No, I don't need great help files", 244, 196, 208, 27, Picture, Normal,
     Default, Default, GlyphCancel},

    {UpdateSheet, Static, FixedText, "There was another version of Quillmark found installed on your computer.", 8,
     16, 444, 14, Centred, Normal, Default, Default, 0},
    {UpdateSheet, Static, FixedText,
     "If you wish, you can update to the new version by clicking on the Update button below.", 8, 40, 444, 28,
     Centred, Normal, Default, Default, 0},
    {UpdateSheet, Static, FixedText, "Version currently installed:", 88, 84, 150, 13, Plain, Normal, Default,
     Default, 0},
    {UpdateSheet, Static, LabelOldVersion, "LabelOldVersion", 244, 84, 150, 13, Plain, Normal, Default, Default, 0},
    {UpdateSheet, Static, FixedText, "Version to be installed:", 88, 104, 150, 13, Plain, Normal, Default, Default,
     0},
    {UpdateSheet, Static, LabelInstallVersion, "LabelInstallVersion", 244, 104, 150, 13, Plain, Normal, Default,
     Default, 0},
    {UpdateSheet, Button, UpdateBtn, "Update Quillmark", 120, 150, 220, 27, Picture, Normal, Default, Default,
     GlyphOk},
    {UpdateSheet, Button, CancelBtn2, "I like the current version perfectly", 120, 186, 220, 27, Picture, Normal,
     Default, Default, GlyphCancel},

    {UninstallSheet, Static, FixedText,
     "If you press the Remove button below, you will remove Quillmark from your hard disk, and you will have "
     "to reinstall it by running the Setup.exe program from the original Quillmk.zip file again, if you ever "
     "want to use Quillmark again.",
     8, 10, 444, 54, Centred, Normal, Red, Default, 0},
    {UninstallSheet, Static, FixedText,
     "Note that there is no need to uninstall Quillmark if you want to update to a newer version. Simply run "
     "the new setup program, click the Update tab and press the button.",
     8, 70, 444, 42, Centred, Normal, Default, Default, 0},
    {UninstallSheet, Static, LabelBusy2, "", 8, 120, 444, 13, Centred, Normal, Navy, Default, 0},
    {UninstallSheet, Button, UninstallBtn, "Remove Quillmark", 120, 150, 220, 27, Picture, Normal, Default,
     Default, GlyphRemove},
    {UninstallSheet, Button, CancelBtn4, "No!!! That would be a disaster!", 120, 186, 220, 27, Picture, Normal,
     Default, Default, GlyphCancel},

    {BusySheet, Static, LabelInstalling, "Installing Quillmark...", 8, 28, 444, 16, Centred, Bold, Default,
     Default, 0},
    {BusySheet, Static, LabelBusy, "I'm probably doing something right now...", 8, 64, 444, 13, Centred, Normal,
     Navy, Default, 0},
    {BusySheet, TGauge::ClassName, Gauge, "", 23, 92, 414, 22, 0, Bold, Default, Default, 0},
    {BusySheet, Static, FixedText,
     "You can uninstall Quillmark any time by running this setup program again or by using the Add/Remove "
     "Programs applet in the Control Panel",
     8, 150, 444, 28, Centred, Normal, Default, Default, 0},

    {FinishedSheet, Static, FixedText, "Quillmark setup has been completed !!!", 56, 27, 348, 16, Centred,
     Finished, Navy, Aqua, 0},
    {FinishedSheet, Button, RunBtn, "Run Quillmark", 130, 89, 200, 27, Picture, Finished, Default, Default,
     GlyphOk},
    {FinishedSheet, Button, HelpBtn, "Read Online Help", 130, 143, 200, 27, Picture, Finished, Default, Default,
     GlyphHelp},
    {FinishedSheet, Button, QuitBtn, "Quit Setup", 130, 197, 200, 27, Picture, Finished, Default, Default,
     GlyphCancel},
    {FinishedSheet, Static, LabelStartFrom, "", 8, 234, 444, 26, Centred, Normal, Navy, Default, 0},

    {NothingSheet, Static, FixedText, NoPackageText.c_str(), 8, 16, 444,
     14, Centred, Normal, Default, Default, 0},
    {NothingSheet, Static, FixedText,
     "You can download a working version of Quillmark from the author's home page at", 8, 46, 444, 14, Centred,
     Normal, Default, Default, 0},
    {NothingSheet, Static, FixedText, MakerHomePage, 8, 62, 444, 14, Centred, Normal, Default, Default,
     0},
    {NothingSheet, Static, FixedText,
     "No Quillmark uninstall information has been found in the registry, so you cannot use Setup to "
     "uninstall Quillmark.",
     8, 92, 444, 28, Centred, Normal, Default, Default, 0},
    {NothingSheet, Button, CancelBtn5, "&Quit", 180, 180, 100, 27, Picture, Normal, Default, Default, GlyphCancel},
};

// The shapes behind the Finished page's heading and buttons.
const PageShape FinishedShapes[] = {
    {{40, 12, 420, 58}, Aqua, Navy, 3, 16},
    {{0, 80, 460, 124}, Lime, Default, 0, 0},
    {{0, 134, 460, 178}, Yellow, Default, 0, 0},
    {{0, 188, 460, 232}, Red, Default, 0, 0},
};

// The IDE options on the Delphi page, newest first, each 39 pixels high; the scroll box's
// content is as high as all six together.
constexpr int IdeDisplayOrder[IdeOptionCount] = {3, 5, 2, 4, 1, 0};
constexpr int IdeOptionHeight = 39;
constexpr int DelphiContentHeight = 235;
constexpr int DelphiLineHeight = 13;

// The main window's client area, which the page control fills.
constexpr Box FormArea = {0, 0, 468, 289};
constexpr int IconSize = 32;

// What a screen reader calls the controls that show no text of their own, or share one.
constexpr const char* PagesName = "Pages";
constexpr const char* ShortcutsGroupName = "Shortcuts";

// The page a control of the layout lies on (its parent, or the page of its scroll box).
Sheet SheetOfParent(int parent) {
  if (parent == DelphiScrollBox) return Sheet::Delphi;
  for (size_t sheet = 0; sheet < Sheets.size(); ++sheet) {
    if (Sheets[sheet].id == parent) return static_cast<Sheet>(sheet);
  }
  return Sheet::Welcome;
}

// "Into: Delphi 4" for the field of "Install HelpContext editor for Delphi 4".
std::string IntoName(const std::string& caption) {
  const size_t environment = caption.rfind(" for ");
  return "Into: " + (environment == std::string::npos ? caption : caption.substr(environment + 5));
}

PageShape ScaledShape(PageShape shape, int dpi) {
  const RECT& r = shape.bounds;
  const Box box = ScaleToDpi(Box{r.left, r.top, r.right - r.left, r.bottom - r.top}, dpi);
  shape.bounds = {box.left, box.top, box.Right(), box.Bottom()};
  shape.borderWidth = ScaleToDpi(shape.borderWidth, dpi);
  shape.corner = ScaleToDpi(shape.corner, dpi);
  return shape;
}

std::array<HFONT, FontKindCount> CreateFonts(int dpi) {
  std::array<HFONT, FontKindCount> fonts{};
  const int eightPoints = PointsToHeight(8, dpi);
  fonts[static_cast<size_t>(FontKind::Normal)] = CreateUiFont("MS Sans Serif", eightPoints, false, false);
  fonts[static_cast<size_t>(FontKind::Bold)] = CreateUiFont("MS Sans Serif", eightPoints, true, false);
  fonts[static_cast<size_t>(FontKind::Link)] = CreateUiFont("Courier New", eightPoints, false, true);
  fonts[static_cast<size_t>(FontKind::Finished)] = CreateUiFont("MS Sans Serif", ScaleToDpi(-13, dpi), true, false);
  return fonts;
}

}  // namespace

void TSetupForm::CreatePages() {
  controls_->tabs = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, 0, 0,
                                FormArea.width, FormArea.height, handle_, reinterpret_cast<HMENU>(Pages), instance_,
                                nullptr);
  controls_->controls[Pages] = controls_->tabs;
  NameForAccessibility(controls_->tabs, PagesName);
  // Every tab shows at first, so that the page area is measured with the tab row in place;
  // the Nothing To Do tab is hidden by design.
  controls_->tabVisible.fill(true);
  controls_->RebuildTabs();

  for (size_t sheet = 0; sheet < Sheets.size(); ++sheet) {
    HWND page = CreateWindowExA(WS_EX_CONTROLPARENT, PageWindow::PageClass, Sheets[sheet].caption,
                                WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0, handle_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(Sheets[sheet].id)), instance_, nullptr);
    // Above the tab control, which would otherwise paint over the page.
    SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    controls_->pages[sheet] = page;
    controls_->controls[Sheets[sheet].id] = page;
  }

  std::vector<ControlRow> rows(std::begin(Layout), std::end(Layout));
  for (int k = 0; k < IdeOptionCount; ++k) {
    const auto option = static_cast<size_t>(IdeDisplayOrder[k]);
    const int y = k * IdeOptionHeight;
    // BS_NOTIFY: the scroll box follows their focus.
    rows.push_back({DelphiScrollBox, Button, IdeCheckIds[option], IdeOptions[option].Caption, 4, y + 2, 230, 17,
                    CheckBox | BS_NOTIFY, Normal, Default, Default, 0});
    rows.push_back({DelphiScrollBox, Static, FixedText, "Into:", 14, y + 22, 20, 13, Plain, Normal, Default, Default,
                    0});
    rows.push_back({DelphiScrollBox, Edit, IdeEditIds[option], "", 34, y + 19, 200, 19, EditField | WS_DISABLED,
                    Normal, Default, Default, 0});
  }

  for (const ControlRow& row : rows) {
    HWND control = CreateWindowExA(0, row.windowClass, row.text, WS_CHILD | WS_VISIBLE | row.style, row.x, row.y,
                                   row.width, row.height, Control(row.parent),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance_, nullptr);
    if (row.id != FixedText) {
      controls_->controls[row.id] = control;
    }
    // Every text's colours are set where it is painted (a fixed one, or the system's).
    if (row.windowClass == Static && row.style != Icon) {
      controls_->looks[control] = {row.textColour, row.background};
    }
    if (row.style == Picture) {
      MakePictureButton(control, row.id == DefaultButtonOf(SheetOfParent(row.parent)));
    } else if (row.style == Group) {
      NameForAccessibility(control, ShortcutsGroupName);
    }
    const bool icon = row.style == Icon;
    controls_->placed.push_back({control, {row.x, row.y, row.width, row.height}, row.font, icon ? 0 : row.picture,
                             icon ? row.picture : 0});
  }

  // Six fields share the label "Into:": each is named after its environment.
  for (size_t option = 0; option < IdeEditIds.size(); ++option)
    NameForAccessibility(Control(IdeEditIds[option]), IntoName(IdeOptions[option].Caption));
  controls_->systemColours = SystemColoursNow();
  SendMessageA(Control(CheckDesktop), BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(Control(CheckPrograms), BM_SETCHECK, BST_CHECKED, 0);
  ApplyDpi(WindowDpi(handle_));
  controls_->tabVisible[static_cast<size_t>(Sheet::Nothing)] = false;
  controls_->active = Sheet::Welcome;
  controls_->RebuildTabs();
}

void TSetupForm::ApplyDpi(int dpi) {
  controls_->dpi = dpi;
  const auto oldFonts = controls_->fonts;
  controls_->fonts = CreateFonts(dpi);
  const auto font = [this](FontKind kind) { return reinterpret_cast<WPARAM>(controls_->fonts[static_cast<size_t>(kind)]); };

  const Box area = ScaleToDpi(FormArea, dpi);
  SendMessageA(controls_->tabs, WM_SETFONT, font(FontKind::Normal), FALSE);
  SetWindowPos(controls_->tabs, nullptr, area.left, area.top, area.width, area.height, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT pageArea;
  GetClientRect(controls_->tabs, &pageArea);
  TabCtrl_AdjustRect(controls_->tabs, FALSE, &pageArea);
  for (HWND page : controls_->pages) {
    SetWindowPos(page, nullptr, pageArea.left, pageArea.top, pageArea.right - pageArea.left,
                 pageArea.bottom - pageArea.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  std::vector<PageShape> shapes;
  for (const PageShape& shape : FinishedShapes) {
    shapes.push_back(ScaledShape(shape, dpi));
  }
  PageWindow::SetShapes(Control(FinishedSheet), std::move(shapes));
  PageWindow::SetContent(Control(DelphiScrollBox), ScaleToDpi(DelphiContentHeight, dpi),
                         ScaleToDpi(DelphiLineHeight, dpi));

  for (auto& entry : controls_->glyphs) ImageList_Destroy(entry.second);
  controls_->glyphs.clear();
  const auto oldIcons = std::move(controls_->icons);
  controls_->icons.clear();
  for (const PlacedControl& control : controls_->placed) {
    SendMessageA(control.window, WM_SETFONT, font(control.font), FALSE);
    if (control.glyph != 0) {
      controls_->glyphs[control.window] = LoadButtonGlyph(instance_, control.glyph, ScaleToDpi(ButtonGlyphSize, dpi));
    }
    if (control.icon != 0) {
      const int size = ScaleToDpi(IconSize, dpi);
      auto icon = static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(control.icon), IMAGE_ICON, size, size, 0));
      controls_->icons.push_back(icon);
      SendMessageA(control.window, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    }
    PlaceFitted(control.window, ScaleToDpi(control.box, dpi));
  }
  for (HICON icon : oldIcons) DestroyIcon(icon);
  for (HFONT oldFont : oldFonts) DeleteObject(oldFont);
  SizeToLayout();
  RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// The window's client area is the page control's box.
void TSetupForm::SizeToLayout() {
  const Box area = ScaleToDpi(FormArea, controls_->dpi);
  RECT frame, client;
  GetWindowRect(handle_, &frame);
  GetClientRect(handle_, &client);
  SetWindowPos(handle_, nullptr, 0, 0, area.width + (frame.right - frame.left) - client.right,
               area.height + (frame.bottom - frame.top) - client.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
