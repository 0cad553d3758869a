#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "archive/NoFollowWin32.h"
#include "logic/FolderTrust.h"

// The system's side of the folder rule (logic/FolderTrust.h): looks at the folders of a path,
// from the root down, each opened relative to the one above without following a link, and
// keeps every one it opened open and unrenamable for as long as it lives, so that what was
// judged is what Setup then works in.
class HeldFolders : public FolderInspector {
public:
  HeldFolders();
  VolumeFacts Volume(const std::string& root) override;
  std::optional<FolderFacts> Inspect(const std::string& folder) override;

  // The deepest folder found, opened, when the check accepted the path.
  HANDLE Deepest() const { return held_.empty() ? nullptr : held_.back().Get(); }
  // How many folders of the path exist, from the root down.
  size_t Existing() const { return existing_; }

private:
  const std::vector<std::string> protected_;  // the folders Windows protects itself
  std::vector<OwnedHandle> held_;
  size_t existing_ = 0;
  bool aboveHeld_ = false;
};

// Owner and DACL of an open file or folder as SDDL; empty when they cannot be read.
std::string SecurityTextOf(HANDLE handle);
