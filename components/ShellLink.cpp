#include "ShellLink.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <stdexcept>

#include "ComRef.h"

void TShellLink::SaveToFile(const std::string& fileName) const {
  ComRef<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              link.OutVoid())))
    throw std::runtime_error("Cannot create IShellLink");
  ComRef<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.OutVoid())))
    throw std::runtime_error("Cannot create IPersistFile");

  // The setters' results do not matter: Save reports what could not be stored.
  link->SetArguments(Arguments.c_str());
  link->SetDescription(Description.c_str());
  link->SetHotkey(HotKey);
  link->SetIconLocation(IconPath.c_str(), IconIndex);
  link->SetPath(Path.c_str());
  link->SetShowCmd(ShowCmd);
  link->SetWorkingDirectory(WorkingDirectory.c_str());

  wchar_t wideName[MAX_PATH + 1] = {};
  MultiByteToWideChar(CP_ACP, 0, fileName.c_str(), -1, wideName, MAX_PATH);
  if (FAILED(file->Save(wideName, TRUE))) throw std::runtime_error("Cannot save " + fileName);
}
