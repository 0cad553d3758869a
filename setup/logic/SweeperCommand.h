#pragma once
#include <string>

// Where Setup writes the cleanup helper and how it starts it.

// The helper's folder joined with its file name (SweeperFileName) by exactly one backslash.
std::string SweeperFilePath(const std::string& folder);

// "helper" "program to delete" "message" "caption": every part quoted, so paths with blanks
// arrive whole. The texts must not hold a double quote; the callers pass fixed texts. An empty
// message leaves out both texts: the helper then shows nothing (an unattended run).
std::string SweeperCommandLine(const std::string& helper, const std::string& program,
                               const std::string& message, const std::string& caption);
