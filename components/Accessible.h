#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

// What assistive technology (MSAA, through WM_GETOBJECT) reads of a control: the system's
// standard object for the window, with our answers where the control knows better: a role, a
// name, a value, states, and the lines it holds as items.

// One item of a control (a line of a list), child ID = its index + 1.
struct AccessibleItem {
  std::string Name;
  std::string Value;
  long State = 0;
  RECT Box{};  // in the control's client coordinates
};

struct AccessibleFacts {
  long Role = 0;  // ROLE_SYSTEM_...; 0 keeps the standard object's
  bool HasName = false;
  std::string Name;
  bool HasValue = false;
  std::string Value;
  long AddedState = 0;  // STATE_SYSTEM_... added to the standard object's
  std::string DefaultAction;  // what the action does, as a screen reader says it; empty: none
  long ItemRole = 0;
  std::vector<AccessibleItem> Items;
  int SelectedItem = -1;  // index into Items
};

// A control with a role, a name and a value of its own.
inline AccessibleFacts RoleNameAndValue(long role, std::string name, std::string value) {
  AccessibleFacts facts;
  facts.Role = role;
  facts.HasName = true;
  facts.Name = std::move(name);
  facts.HasValue = true;
  facts.Value = std::move(value);
  return facts;
}

using DescribeAccessible = std::function<AccessibleFacts(HWND)>;

// Lets control answer WM_GETOBJECT for its client area with an object that asks describe on
// every call, so that it follows the control; action, when given, is the default action.
void MakeAccessible(HWND control, DescribeAccessible describe, std::function<void(HWND)> action = {});
// A control whose standard object is right but for its name (an edit whose label is shared,
// a group box without a caption).
void NameForAccessibility(HWND control, const std::string& name);
// Tells assistive technology that something of control changed (EVENT_OBJECT_...).
void RaiseAccessibleEvent(DWORD event, HWND control, LONG child = 0);
