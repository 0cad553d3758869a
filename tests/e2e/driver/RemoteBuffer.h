#pragma once
#include <windows.h>

#include <cstddef>

namespace e2e {

// Memory inside another process, for the control messages whose pointers the system does not
// carry across processes (the tab control's TCM_GETITEM and TCM_GETITEMRECT).
class RemoteBuffer {
public:
  RemoteBuffer(HANDLE process, size_t size);
  ~RemoteBuffer();
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  void* Address() const { return address_; }
  bool Write(const void* data, size_t size, size_t offset = 0) const;
  bool Read(void* data, size_t size, size_t offset = 0) const;

private:
  HANDLE process_;
  void* address_;
};

}  // namespace e2e
