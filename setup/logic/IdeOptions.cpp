#include "IdeOptions.h"

const std::array<IdeOption, IdeOptionCount> IdeOptions = {{
    {"Delphi10", "Delphi10.pak", "Install HelpContext editor for Delphi 1", nullptr, nullptr,
     nullptr, CountForm::Number},
    {"Delphi20", "Delphi20.pak", "Install HelpContext editor for Delphi 2",
     "Software\\Borland\\Delphi\\2.0", "\\Lib", "Software\\Borland\\Delphi\\2.0\\Transfer",
     CountForm::Text},
    {"Delphi30", "Delphi30.pak", "Install HelpContext editor for Delphi 3",
     "Software\\Borland\\Delphi\\3.0", "\\Lib", "Software\\Borland\\Delphi\\3.0\\Transfer",
     CountForm::Text},
    {"Delphi40", "Delphi40.pak", "Install HelpContext editor for Delphi 4",
     "Software\\Borland\\Delphi\\4.0", "\\Lib", "Software\\Borland\\Delphi\\4.0\\Transfer",
     CountForm::Number},
    {"BCB10", "BCB10.pak", "Install HelpContext editor for C++Builder 1",
     "Software\\Borland\\C++Builder\\1.0", "\\Lib\\Obj",
     "Software\\Borland\\C++Builder\\1.0\\Transfer", CountForm::Text},
    {"BCB30", "BCB30.pak", "Install HelpContext editor for C++Builder 3",
     "Software\\Borland\\C++Builder\\3.0", "\\Lib", "Software\\Borland\\C++Builder\\3.0\\Transfer",
     CountForm::Number},
}};
