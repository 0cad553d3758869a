#pragma once
#include <array>

// How a development environment stores the Count of its Tools-menu list.
enum class CountForm { Number, Text };

// One of the six property-editor options. Every loop over the options visits them in the
// order of IdeOptions.
struct IdeOption {
  const char* Key;             // "Delphi30": also the record values' prefix
  const char* Package;         // "Delphi30.pak"
  const char* Caption;         // check box caption
  const char* RootKey;         // HKLM key holding "RootDir"; nullptr for Delphi 1 (DELPHI.INI)
  const char* DetectedSuffix;  // appended to RootDir ("\Lib", "\Lib\Obj")
  const char* ToolsKey;        // HKCU key of the Tools-menu list; nullptr for Delphi 1 (DELPHI.INI)
  CountForm ToolsCountForm;
};

constexpr int IdeOptionCount = 6;
extern const std::array<IdeOption, IdeOptionCount> IdeOptions;
