#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Makes shortcut files through the shell's link object (IShellLinkA and IPersistStream).
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

  // The bytes of the shortcut file, for the caller to write where no link is followed (the
  // link object's own Save takes a path). Raises "Cannot create IShellLink", "Cannot create
  // IPersistStream" or "Cannot save the shortcut".
  std::vector<uint8_t> FileBytes() const;
};
