#pragma once
#include <cstdint>
#include <string>

// Writes shortcut files through the shell's link object (IShellLinkA and IPersistFile).
class TShellLink {
public:
  std::string Arguments;
  std::string Description;
  uint16_t HotKey = 0;
  std::string IconPath;
  int32_t IconIndex = 0;
  std::string Path;
  int32_t ShowCmd = 0;
  std::string WorkingDirectory;

  // Raises "Cannot create IShellLink", "Cannot create IPersistFile" or "Cannot save " + name.
  void SaveToFile(const std::string& fileName) const;
};
