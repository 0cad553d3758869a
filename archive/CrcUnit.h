#pragma once
#include <cstdint>

// CRC-32 (the reflected polynomial 0xEDB88320 of zlib and PKZIP). Chaining calls over
// consecutive blocks, starting from 0, gives the CRC of the whole sequence.
uint32_t UpdateCrc(const void* data, uint16_t count, uint32_t crc);
