#include "ShellLink.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <stdexcept>

#include "ComRef.h"

std::vector<uint8_t> TShellLink::FileBytes() const {
  ComRef<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              link.OutVoid())))
    throw std::runtime_error("Cannot create IShellLink");
  ComRef<IPersistStream> persist;
  if (FAILED(link->QueryInterface(IID_IPersistStream, persist.OutVoid())))
    throw std::runtime_error("Cannot create IPersistStream");

  // The setters' results do not matter: Save reports what could not be stored.
  link->SetArguments(Arguments.c_str());
  link->SetDescription(Description.c_str());
  link->SetHotkey(HotKey);
  link->SetIconLocation(IconPath.c_str(), IconIndex);
  link->SetPath(Path.c_str());
  link->SetShowCmd(ShowCmd);
  link->SetWorkingDirectory(WorkingDirectory.c_str());

  ComRef<IStream> stream;
  STATSTG stat = {};
  std::vector<uint8_t> bytes;
  const LARGE_INTEGER start = {};
  ULONG read = 0;
  bool saved = SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Out())) && SUCCEEDED(persist->Save(stream.Get(), TRUE)) &&
               SUCCEEDED(stream->Stat(&stat, STATFLAG_NONAME)) && stat.cbSize.QuadPart < 0x1000000;
  if (saved) {
    bytes.resize(static_cast<size_t>(stat.cbSize.QuadPart));
    saved = SUCCEEDED(stream->Seek(start, STREAM_SEEK_SET, nullptr)) &&
            SUCCEEDED(stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read)) && read == bytes.size();
  }
  if (!saved) throw std::runtime_error("Cannot save the shortcut");
  return bytes;
}
