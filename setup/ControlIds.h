#pragma once
// Control IDs of the main window, named after the controls. The end-to-end tests include
// this header to find the controls they read and work.

// Page control and pages.
#define Pages 1000
#define WelcomeSheet 1001
#define DelphiSheet 1002
#define InstallSheet 1003
#define UpdateSheet 1004
#define UninstallSheet 1005
#define BusySheet 1006
#define FinishedSheet 1007
#define NothingSheet 1008

// WelcomeSheet
#define URLLabel1 1100

// DelphiSheet: the scrollable options area and the six options.
#define DelphiScrollBox 1200
#define CheckDelphi10 1210
#define CheckDelphi20 1211
#define CheckDelphi30 1212
#define CheckDelphi40 1213
#define CheckBCB10 1214
#define CheckBCB30 1215
#define EditDelphi10 1220
#define EditDelphi20 1221
#define EditDelphi30 1222
#define EditDelphi40 1223
#define EditBCB10 1224
#define EditBCB30 1225

// InstallSheet
#define EditInstallDir 1300
#define ListInstallDir 1301
#define ComboInstallDrive 1302
#define CheckDesktop 1303
#define CheckStartMenu 1304
#define CheckPrograms 1305
#define LabelVersion 1306
#define LabelSpaceNeeded 1307
#define LabelSpaceFree 1308
#define NowBtn2 1309
#define CancelBtn3 1310

// UpdateSheet
#define LabelOldVersion 1400
#define LabelInstallVersion 1401
#define UpdateBtn 1402
#define CancelBtn2 1403

// UninstallSheet
#define LabelBusy2 1500
#define UninstallBtn 1501
#define CancelBtn4 1502

// BusySheet
#define LabelInstalling 1600
#define LabelBusy 1601
#define Gauge 1602

// FinishedSheet
#define RunBtn 1700
#define HelpBtn 1701
#define QuitBtn 1702

// NothingSheet
#define CancelBtn5 1800

// Splash window
#define SplashLabel 1900

// Fixed texts, pictures and rules: real child windows that share one ID.
#define FixedText 1990
