#pragma once
// Code page 932 (Shift-JIS), where "表" is 95 5C: the second byte of a character may be a
// backslash, which then separates nothing.
#include <bitset>

#include "archive/CodePage.h"

inline CodePage ShiftJis() {
  std::bitset<256> leads;
  for (unsigned byte = 0x81; byte <= 0xFC; ++byte) leads[byte] = byte <= 0x9F || byte >= 0xE0;
  return CodePage::DoubleByte(932, leads);
}
