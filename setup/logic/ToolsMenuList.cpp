#include "ToolsMenuList.h"

#include "ProductNames.h"
#include "archive/AsciiCase.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <limits>

namespace {

// Item texts are read through a 261-byte buffer, as the environments store paths.
constexpr uint32_t ItemBytes = 261;
// Items moved down are copied whole: a long item of another program must not be emptied.
constexpr uint32_t MovedItemBytes = 65536;

const char* const ItemWords[] = {"Title", "WorkingDir", "Path", "Params"};

std::string ItemName(const char* word, int32_t index) { return word + std::to_string(index); }

std::string UpToFirstZero(const std::string& bytes) { return bytes.substr(0, bytes.find('\0')); }

std::string ReadItem(ToolsListStore& store, const std::string& name, uint32_t maxBytes) {
  std::string bytes;
  if (!store.Read(name, bytes, maxBytes)) return std::string();
  return UpToFirstZero(bytes);
}

// Count as the list's form stores it; false when it cannot be read.
bool ReadCount(ToolsListStore& store, ToolsListForm form, int32_t& count) {
  std::string bytes;
  switch (form) {
    case ToolsListForm::RegistryNumber: {
      if (!store.Read("Count", bytes, 4)) return false;
      uint32_t value = 0;  // a shorter value fills the low bytes, as a 4-byte query does
      for (size_t i = 0; i < bytes.size(); ++i)
        value |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[i])) << (8 * i);
      count = static_cast<int32_t>(value);
      return true;
    }
    case ToolsListForm::RegistryText:
      if (!store.Read("Count", bytes, ItemBytes)) return false;
      count = ParseCountText(UpToFirstZero(bytes));
      return true;
    case ToolsListForm::Ini:
      count = store.Read("Count", bytes, ItemBytes) ? ParseIniInteger(bytes) : 0;
      return true;
  }
  return false;
}

void WriteCount(ToolsListStore& store, ToolsListForm form, int32_t count) {
  if (form == ToolsListForm::RegistryNumber)
    store.WriteNumber("Count", static_cast<uint32_t>(count));
  else
    store.WriteText("Count", std::to_string(count));
}

bool IsProductPath(const std::string& path) {
  return AsciiLower(path).find("quillmk.exe") != std::string::npos;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

ToolsEntry ProductToolsEntry(const std::string& directory) {
  return ToolsEntry{std::string("&") + ProductName, directory, directory + ProductProgramName, ""};
}

void AddToolsEntry(ToolsListStore& store, ToolsListForm form, const ToolsEntry& entry) {
  int32_t n = 0;
  if (!ReadCount(store, form, n) || n < 0) n = 0;  // an entry numbered below 0 never shows
  if (form != ToolsListForm::Ini && n > RegistryToolsCap) n = RegistryToolsCap;
  // No Count can follow this one: the list is left as it is, as for a Count that is no number.
  if (n == std::numeric_limits<int32_t>::max())
    throw ECountError("Count " + std::to_string(n) + " cannot be raised");
  store.WriteText(ItemName("Title", n), entry.Title);
  store.WriteText(ItemName("WorkingDir", n), entry.WorkingDir);
  store.WriteText(ItemName("Path", n), entry.Path);
  store.WriteText(ItemName("Params", n), entry.Params);
  WriteCount(store, form, n + 1);
}

bool AddToolsEntryOnce(ToolsListStore& store, ToolsListForm form, const ToolsEntry& entry) {
  int32_t count = 0;
  if (ReadCount(store, form, count)) {
    count = std::min(count, RemovableToolsEntries);
    for (int32_t i = 0; i < count; ++i)
      if (AsciiLower(ReadItem(store, ItemName("Path", i), ItemBytes)) == AsciiLower(entry.Path)) return false;
  }
  AddToolsEntry(store, form, entry);
  return true;
}

bool RemoveProductToolsEntry(ToolsListStore& store, ToolsListForm form) {
  int32_t count = 0;
  if (!ReadCount(store, form, count)) return false;
  // A damaged Count must not have us read two thousand million entries: no Tools menu holds
  // more than these, and the list is taken as ending there.
  count = std::min(count, RemovableToolsEntries);
  int32_t match = 0;
  while (match < count && !IsProductPath(ReadItem(store, ItemName("Path", match), ItemBytes)))
    ++match;
  if (match >= count) return false;

  for (int32_t j = match; j + 1 < count; ++j)
    for (const char* word : ItemWords)
      store.WriteText(ItemName(word, j), ReadItem(store, ItemName(word, j + 1), MovedItemBytes));
  if (form != ToolsListForm::Ini)
    for (const char* word : ItemWords) store.Delete(ItemName(word, count - 1));
  WriteCount(store, form, count - 1);
  return true;
}

int32_t ParseCountText(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) throw ECountError("'" + text + "' is not a valid integer value");
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i])) || value > std::numeric_limits<int32_t>::max())
      throw ECountError("'" + text + "' is not a valid integer value");
    value = value * 10 + (text[i] - '0');
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max() || value < std::numeric_limits<int32_t>::min())
    throw ECountError("'" + text + "' is not a valid integer value");
  return static_cast<int32_t>(value);
}

int32_t ParseIniInteger(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int base = 10;
  if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  uint32_t value = 0;  // wraps like the profile functions' unsigned result
  for (; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    int digit;
    if (std::isdigit(c))
      digit = c - '0';
    else if (base == 16 && std::isxdigit(c))
      digit = std::tolower(c) - 'a' + 10;
    else
      break;
    value = value * static_cast<uint32_t>(base) + static_cast<uint32_t>(digit);
  }
  return static_cast<int32_t>(negative ? 0u - value : value);
}
