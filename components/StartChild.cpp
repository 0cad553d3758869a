#include "StartChild.h"

#include <exdisp.h>
#include <servprov.h>
#include <shellapi.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>

#include <string>

#include "ComRef.h"
#include "common/Rights.h"

namespace {

// The shell of the desktop's view: its window belongs to Explorer, which runs as the user.
ComRef<IShellDispatch2> DesktopShell() {
  ComRef<IShellDispatch2> shell;
  ComRef<IShellWindows> windows;
  if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows, windows.OutVoid())))
    return shell;
  VARIANT location, root;
  VariantInit(&location);
  VariantInit(&root);
  long window = 0;
  ComRef<IDispatch> desktop;
  if (windows->FindWindowSW(&location, &root, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH, desktop.Out()) != S_OK ||
      !desktop)
    return shell;
  ComRef<IServiceProvider> services;
  ComRef<IShellBrowser> browser;
  ComRef<IShellView> view;
  ComRef<IDispatch> background;
  ComRef<IShellFolderViewDual> folderView;
  ComRef<IDispatch> application;
  if (SUCCEEDED(desktop->QueryInterface(IID_IServiceProvider, services.OutVoid())) &&
      SUCCEEDED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.OutVoid())) &&
      SUCCEEDED(browser->QueryActiveShellView(view.Out())) &&
      SUCCEEDED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.OutVoid())) &&
      SUCCEEDED(background->QueryInterface(IID_IShellFolderViewDual, folderView.OutVoid())) &&
      SUCCEEDED(folderView->get_Application(application.Out())))
    application->QueryInterface(IID_IShellDispatch2, shell.OutVoid());
  return shell;
}

// A text as a VARIANT holding a BSTR; cleared by its owner.
VARIANT Text(const std::string& text) {
  VARIANT value;
  VariantInit(&value);
  const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  value.vt = VT_BSTR;
  value.bstrVal = SysAllocStringLen(nullptr, static_cast<UINT>(length > 0 ? length - 1 : 0));
  if (value.bstrVal && length > 1) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, value.bstrVal, length);
  return value;
}

}  // namespace

bool CanStartChildren() {
  const bool rights = HoldsAdministratorRights();
  return ChooseChildRoute(rights, rights && DesktopShell()) != ChildRoute::None;
}

bool StartChild(const ChildStart& child, HWND owner) {
  const bool rights = HoldsAdministratorRights();
  const ComRef<IShellDispatch2> shell = rights ? DesktopShell() : ComRef<IShellDispatch2>();
  const ChildRoute route = ChooseChildRoute(rights, static_cast<bool>(shell));
  if (route == ChildRoute::None) return false;
  if (child.File.empty()) return true;
  if (route == ChildRoute::Directly) {
    ShellExecuteA(owner, nullptr, child.File.c_str(), child.Parameters.empty() ? nullptr : child.Parameters.c_str(),
                  nullptr, child.Show);
    return true;
  }
  VARIANT file = Text(child.File), parameters = Text(child.Parameters), folder = Text(""), verb = Text(""), show;
  VariantInit(&show);
  show.vt = VT_I4;
  show.lVal = child.Show;
  shell->ShellExecute(file.bstrVal, parameters, folder, verb, show);
  for (VARIANT* value : {&file, &parameters, &folder, &verb}) VariantClear(value);
  return true;
}
