#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "archive/PackageWriter.h"

// Package files made in a test: custom contents, or damaged on purpose.
namespace e2e {

// A whole package file image.
std::vector<uint8_t> PackageImage(const std::string& version, const std::vector<PackageInput>& members,
                                  const std::string& productName = "Quillmark");
// A member holding text, dated 3 February 2001, 04:05:06.
PackageInput TextMember(const std::string& name, const std::string& text);

// The package at path packed anew with one byte of one member changed: every CRC is right, and
// only a digest tells it from the original.
std::vector<uint8_t> RebuiltWithOneByteChanged(const std::string& path);

}  // namespace e2e
