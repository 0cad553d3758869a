#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Encodes data as one stream that TLZHCompressor reproduces exactly, including the ending.
// An empty input gives the single byte 128.
std::vector<uint8_t> LzhCompress(const uint8_t* data, size_t size);
