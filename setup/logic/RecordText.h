#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Where the installation record lives, below HKEY_LOCAL_MACHINE.
constexpr const char* InstallationRecordKey = "Software\\Penwright\\Quillmark\\Installation";

// The installation record's texts: a length byte n and n characters, no terminator.
constexpr size_t RecordTextMax = 255;
// Start-up reads the version back through 32 characters.
constexpr size_t RecordVersionMax = 32;

// n + 1 bytes, the text cut to maxLength (at most 255) characters.
std::vector<uint8_t> EncodeRecordText(const std::string& text, size_t maxLength = RecordTextMax);

// The text of a value read back: never more characters than were read after the length
// byte, and at most maxLength of them.
std::string DecodeRecordText(const std::vector<uint8_t>& bytes, size_t maxLength = RecordTextMax);
