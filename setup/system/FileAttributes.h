#pragma once
#include <string>

// Clears the read-only attribute of an existing file. Copies made from read-only media carry
// it along, and a read-only file can neither be replaced nor deleted. Failure is no concern:
// the replacement or deletion that follows tells.
void MakeWritable(const std::string& path);
