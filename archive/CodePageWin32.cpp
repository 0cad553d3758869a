// The program's code page on Windows: UTF-8 where the manifest's declaration is honoured,
// otherwise the system's, with its lead bytes.
#include "CodePage.h"
#include "WideText.h"

#include <windows.h>

namespace {

CodePage CodePageOf(UINT number) {
  if (number == CP_UTF8) return CodePage::Utf8();
  CPINFO info;
  if (!GetCPInfo(number, &info) || info.MaxCharSize < 2) return CodePage::SingleByte(number);
  std::bitset<256> leadBytes;
  for (unsigned byte = 0x80; byte < 256; ++byte)
    leadBytes[byte] = IsDBCSLeadByteEx(number, static_cast<BYTE>(byte)) != FALSE;
  return CodePage::DoubleByte(number, leadBytes);
}

}  // namespace

const CodePage& ProgramCodePage() {
  static const CodePage page = CodePageOf(GetACP());
  return page;
}

std::wstring WideText(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
  return wide;
}
