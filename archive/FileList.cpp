#include "FileList.h"

#include "AsciiCase.h"

#include <algorithm>

FileList::FileList(int32_t entryCount)
    : bytes_(entryCount > 0 ? static_cast<size_t>(entryCount) * SlotSize : 0, 0) {}

FileList FileList::FromBytes(const uint8_t* data, size_t size) {
  FileList list;
  list.bytes_.assign(data, data + size / SlotSize * SlotSize);  // a partial slot names nothing
  return list;
}

void FileList::SetName(int32_t slot, const std::string& name) {
  uint8_t* const start = &bytes_.at(static_cast<size_t>(slot) * SlotSize);
  std::fill(start, start + SlotSize, 0);
  // Cut at a whole character: a slot holding half of one would name no file at all.
  const std::string listed = AsciiUpper(CutToBytes(name, MaxNameLength));
  start[0] = static_cast<uint8_t>(listed.size());
  std::copy(listed.begin(), listed.end(), start + 1);
}

std::string FileList::Name(int32_t slot) const {
  const uint8_t* const start = &bytes_.at(static_cast<size_t>(slot) * SlotSize);
  const size_t length = std::min<size_t>(start[0], MaxNameLength);
  return std::string(reinterpret_cast<const char*>(start + 1), length);
}
