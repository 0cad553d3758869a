#include "driver/RemoteBuffer.h"

namespace e2e {

RemoteBuffer::RemoteBuffer(HANDLE process, size_t size)
    : process_(process), address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}

RemoteBuffer::~RemoteBuffer() {
  if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
}

bool RemoteBuffer::Write(const void* data, size_t size, size_t offset) const {
  SIZE_T done = 0;
  return address_ && WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, &done) &&
         done == size;
}

bool RemoteBuffer::Read(void* data, size_t size, size_t offset) const {
  SIZE_T done = 0;
  return address_ && ReadProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, &done) &&
         done == size;
}

}  // namespace e2e
