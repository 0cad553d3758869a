#pragma once
#include <optional>
#include <string>

// A machine-wide installation gives every user their share (the Tools-menu entries, which
// live in each user's settings) through Active Setup: at each user's next logon Windows runs
// the component's StubPath as that user, once for each Version.

struct ActiveSetupComponent {
  std::string Name;      // the key's default value: what Windows shows while it runs
  std::string StubPath;  // the command run as the user
  std::string Version;   // "4,2": Windows runs StubPath again when this grows
};

// The switch that StubPath gives the installed Setup.exe.
constexpr const char* UserSetupSwitch = "/USERSETUP";

// Active Setup compares up to four numbers separated by commas: the version text's numbers in
// order ("4.2b" gives "4,2"), each at most 65535; "0" when the text holds none.
std::string ActiveSetupVersion(const std::string& packageVersion);

// The component for the installed Setup.exe (a full path). Setup.exe asks for administrator
// rights in its manifest, which a logon cannot give a user: StubPath runs it through the
// system's cmd.exe with __COMPAT_LAYER=RunAsInvoker, as the user and without a prompt. cmd
// would expand "%" and end the quoted path at '"': nullopt for a path that holds either.
std::optional<ActiveSetupComponent> ActiveSetupFor(const std::string& setupPath, const std::string& systemDir,
                                                   const std::string& packageVersion);
