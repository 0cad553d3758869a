#include "Accessible.h"

#include <commctrl.h>
#include <oleacc.h>

#include <utility>

#include "archive/WideText.h"

namespace {

// Spelled out: mingw's liboleacc.a resolves IID_IAccessible to an import thunk, not the GUID.
constexpr IID AccessibleIid = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// oleacc is no Known DLL: loaded from the system directory when first asked for, never imported,
// so that a copy beside Setup.exe is never the one that loads.
struct Oleacc {
  decltype(&CreateStdAccessibleObject) createStd = nullptr;
  decltype(&LresultFromObject) lresultFromObject = nullptr;
};

const Oleacc& OleaccFunctions() {
  static const Oleacc functions = [] {
    Oleacc found;
    if (HMODULE module = LoadLibraryExA("oleacc.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
      found.createStd = reinterpret_cast<decltype(&CreateStdAccessibleObject)>(
          reinterpret_cast<void*>(GetProcAddress(module, "CreateStdAccessibleObject")));
      found.lresultFromObject = reinterpret_cast<decltype(&LresultFromObject)>(
          reinterpret_cast<void*>(GetProcAddress(module, "LresultFromObject")));
    }
    return found;
  }();
  return functions;
}

HRESULT Text(const std::string& text, BSTR* result) {
  if (result == nullptr) return E_POINTER;
  const std::wstring wide = WideText(text);
  *result = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  return *result != nullptr ? S_OK : E_OUTOFMEMORY;
}

// The object a control hands out. It keeps the window's handle and the way to describe it,
// never the control's own state, so it outlives the control safely: it then answers
// that the object is gone.
class ControlObject final : public IAccessible {
public:
  ControlObject(HWND window, IAccessible* standard, DescribeAccessible describe, std::function<void(HWND)> action)
      : window_(window), standard_(standard), describe_(std::move(describe)), action_(std::move(action)) {}
  ~ControlObject() { standard_->Release(); }
  ControlObject(const ControlObject&) = delete;
  ControlObject& operator=(const ControlObject&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, AccessibleIid)) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IDispatch: not offered; clients use the IAccessible methods themselves.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (count == nullptr) return E_POINTER;
    AccessibleFacts facts;
    if (!Describe(facts)) return E_FAIL;
    if (facts.ItemRole == 0) return standard_->get_accChildCount(count);
    *count = static_cast<long>(facts.Items.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    if (object == nullptr) return E_POINTER;
    AccessibleFacts facts;
    if (!Describe(facts)) return E_FAIL;
    if (facts.ItemRole == 0) return standard_->get_accChild(child, object);
    *object = nullptr;
    return Item(facts, child) != nullptr ? S_FALSE : E_INVALIDARG;  // items are simple elements
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return OwnText(child, name, &AccessibleFacts::HasName, &AccessibleFacts::Name, &AccessibleItem::Name,
                   &IAccessible::get_accName);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return OwnText(child, value, &AccessibleFacts::HasValue, &AccessibleFacts::Value, &AccessibleItem::Value,
                   &IAccessible::get_accValue);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return standard_->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (role == nullptr) return E_POINTER;
    AccessibleFacts facts;
    if (!Describe(facts)) return E_FAIL;
    const long ours = IsSelf(child) ? facts.Role : (Item(facts, child) != nullptr ? facts.ItemRole : 0);
    if (ours == 0) return standard_->get_accRole(child, role);
    VariantInit(role);
    role->vt = VT_I4;
    role->lVal = ours;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (state == nullptr) return E_POINTER;
    AccessibleFacts facts;
    if (!Describe(facts)) return E_FAIL;
    if (const AccessibleItem* item = IsSelf(child) ? nullptr : Item(facts, child)) {
      VariantInit(state);
      state->vt = VT_I4;
      state->lVal = item->State;
      return S_OK;
    }
    const HRESULT result = standard_->get_accState(child, state);
    if (SUCCEEDED(result) && IsSelf(child) && state->vt == VT_I4) state->lVal |= facts.AddedState;
    return result;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override { return standard_->get_accHelp(child, help); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return standard_->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    if (focus == nullptr) return E_POINTER;
    AccessibleFacts facts;
    if (!Describe(facts)) return E_FAIL;
    if (facts.ItemRole == 0 || facts.SelectedItem < 0 || GetFocus() != window_) return standard_->get_accFocus(focus);
    VariantInit(focus);
    focus->vt = VT_I4;
    focus->lVal = facts.SelectedItem + 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    if (selection == nullptr) return E_POINTER;
    AccessibleFacts facts;
    if (!Describe(facts)) return E_FAIL;
    if (facts.ItemRole == 0) return standard_->get_accSelection(selection);
    VariantInit(selection);
    if (facts.SelectedItem < 0) return S_FALSE;
    selection->vt = VT_I4;
    selection->lVal = facts.SelectedItem + 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    AccessibleFacts facts;
    if (!Describe(facts)) return E_FAIL;
    if (IsSelf(child) && !facts.DefaultAction.empty()) return Text(facts.DefaultAction, action);
    return standard_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override { return standard_->accSelect(flags, child); }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_POINTER;
    AccessibleFacts facts;
    if (!Describe(facts)) return E_FAIL;
    const AccessibleItem* item = IsSelf(child) ? nullptr : Item(facts, child);
    if (item == nullptr) return standard_->accLocation(left, top, width, height, child);
    POINT corner = {item->Box.left, item->Box.top};
    ClientToScreen(window_, &corner);
    *left = corner.x;
    *top = corner.y;
    *width = item->Box.right - item->Box.left;
    *height = item->Box.bottom - item->Box.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
    return standard_->accHitTest(x, y, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (!IsSelf(child) || !action_) return standard_->accDoDefaultAction(child);
    if (!IsWindow(window_)) return E_FAIL;
    action_(window_);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
  static bool IsSelf(const VARIANT& child) {
    return child.vt == VT_EMPTY || (child.vt == VT_I4 && child.lVal == CHILDID_SELF);
  }
  static const AccessibleItem* Item(const AccessibleFacts& facts, const VARIANT& child) {
    if (child.vt != VT_I4 || child.lVal < 1 || child.lVal > static_cast<long>(facts.Items.size())) return nullptr;
    return &facts.Items[static_cast<size_t>(child.lVal - 1)];
  }
  // False once the control is gone.
  bool Describe(AccessibleFacts& facts) const {
    if (!IsWindow(window_)) return false;
    facts = describe_(window_);
    return true;
  }
  // A name or a value: the control's own where it has one, an item's, else the standard object's.
  HRESULT OwnText(VARIANT child, BSTR* result, bool AccessibleFacts::*has, std::string AccessibleFacts::*own,
                  std::string AccessibleItem::*itemText,
                  HRESULT (STDMETHODCALLTYPE IAccessible::*standard)(VARIANT, BSTR*)) const {
    AccessibleFacts facts;
    if (!Describe(facts)) return E_FAIL;
    if (IsSelf(child)) return facts.*has ? Text(facts.*own, result) : (standard_->*standard)(child, result);
    const AccessibleItem* item = Item(facts, child);
    return item != nullptr ? Text(item->*itemText, result) : (standard_->*standard)(child, result);
  }

  LONG references_ = 1;
  HWND window_;
  IAccessible* standard_;
  DescribeAccessible describe_;
  std::function<void(HWND)> action_;
};

struct Binding {
  DescribeAccessible describe;
  std::function<void(HWND)> action;
};

constexpr UINT_PTR SubclassId = 0x51414343;  // "QACC"

LRESULT CALLBACK AccessibleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto* binding = reinterpret_cast<Binding*>(data);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, AccessibleProc, SubclassId);
    delete binding;
  } else if (message == WM_GETOBJECT && static_cast<LONG>(static_cast<DWORD>(lParam)) == OBJID_CLIENT) {
    const Oleacc& oleacc = OleaccFunctions();
    IAccessible* standard = nullptr;
    if (oleacc.createStd != nullptr && oleacc.lresultFromObject != nullptr &&
        SUCCEEDED(oleacc.createStd(window, OBJID_CLIENT, AccessibleIid, reinterpret_cast<void**>(&standard)))) {
      auto* object = new ControlObject(window, standard, binding->describe, binding->action);
      const LRESULT result = oleacc.lresultFromObject(AccessibleIid, wParam, object);
      object->Release();
      return result;
    }
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

void MakeAccessible(HWND control, DescribeAccessible describe, std::function<void(HWND)> action) {
  auto* binding = new Binding{std::move(describe), std::move(action)};
  if (!SetWindowSubclass(control, AccessibleProc, SubclassId, reinterpret_cast<DWORD_PTR>(binding))) delete binding;
}

void NameForAccessibility(HWND control, const std::string& name) {
  MakeAccessible(control, [name](HWND) {
    AccessibleFacts facts;
    facts.HasName = true;
    facts.Name = name;
    return facts;
  });
}

void RaiseAccessibleEvent(DWORD event, HWND control, LONG child) {
  NotifyWinEvent(event, control, OBJID_CLIENT, child);
}
