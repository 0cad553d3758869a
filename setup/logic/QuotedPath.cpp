#include "QuotedPath.h"

std::string Quoted(const std::string& path) { return '"' + path + '"'; }
