#pragma once
// Control IDs of the main window, named after the controls. The end-to-end tests include
// this header to find the controls they read and work.
enum ControlId : int {
  // Page control and pages.
  Pages = 1000,
  WelcomeSheet = 1001,
  DelphiSheet = 1002,
  InstallSheet = 1003,
  UpdateSheet = 1004,
  UninstallSheet = 1005,
  BusySheet = 1006,
  FinishedSheet = 1007,
  NothingSheet = 1008,

  // WelcomeSheet
  URLLabel1 = 1100,

  // DelphiSheet: the scrollable options area and the six options.
  DelphiScrollBox = 1200,
  CheckDelphi10 = 1210,
  CheckDelphi20 = 1211,
  CheckDelphi30 = 1212,
  CheckDelphi40 = 1213,
  CheckBCB10 = 1214,
  CheckBCB30 = 1215,
  EditDelphi10 = 1220,
  EditDelphi20 = 1221,
  EditDelphi30 = 1222,
  EditDelphi40 = 1223,
  EditBCB10 = 1224,
  EditBCB30 = 1225,

  // InstallSheet
  EditInstallDir = 1300,
  ListInstallDir = 1301,
  ComboInstallDrive = 1302,
  CheckDesktop = 1303,
  CheckStartMenu = 1304,
  CheckPrograms = 1305,
  LabelVersion = 1306,
  LabelSpaceNeeded = 1307,
  LabelSpaceFree = 1308,
  NowBtn2 = 1309,
  CancelBtn3 = 1310,

  // UpdateSheet
  LabelOldVersion = 1400,
  LabelInstallVersion = 1401,
  UpdateBtn = 1402,
  CancelBtn2 = 1403,

  // UninstallSheet
  LabelBusy2 = 1500,
  UninstallBtn = 1501,
  CancelBtn4 = 1502,

  // BusySheet
  LabelInstalling = 1600,
  LabelBusy = 1601,
  Gauge = 1602,

  // FinishedSheet
  RunBtn = 1700,
  HelpBtn = 1701,
  QuitBtn = 1702,
  LabelStartFrom = 1703,  // where to start Quillmark, when Setup may start nothing

  // NothingSheet
  CancelBtn5 = 1800,

  // Splash window
  SplashLabel = 1900,

  // Fixed texts, pictures and rules: real child windows that share one ID.
  FixedText = 1990,
};
