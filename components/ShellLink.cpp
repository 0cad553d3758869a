#include "ShellLink.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <stdexcept>

#include "ComRef.h"
#include "archive/WideText.h"

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

  if (FAILED(file->Save(WideText(fileName).c_str(), TRUE))) throw std::runtime_error("Cannot save " + fileName);
}
