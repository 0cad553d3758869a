#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The installation record's texts: a length byte n and n bytes of text (UTF-8, or the system's
// code page on Windows before 10 1903), no terminator.
constexpr size_t RecordTextMax = 255;
// Start-up reads the version back through 32 characters (33 bytes with the length byte).
constexpr size_t RecordVersionMax = 32;

// n + 1 bytes, the text cut to maxLength (at most 255) bytes at a whole character.
std::vector<uint8_t> EncodeRecordText(const std::string& text, size_t maxLength = RecordTextMax);

// The text of a value read back: never more bytes than were read after the length byte, and
// at most maxLength of them; where that cuts the text, it ends at a whole character.
std::string DecodeRecordText(const std::vector<uint8_t>& bytes, size_t maxLength = RecordTextMax);

// The installed version from the bytes of the record's "Version" value: its text when the
// value fits the 33 bytes that start-up reads and the text fits 32 characters; otherwise no
// version (the record then counts as no installation).
std::optional<std::string> DecodeRecordVersion(const std::vector<uint8_t>& bytes);
