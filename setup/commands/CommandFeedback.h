#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

// The pages of the main window, in tab order.
enum class Sheet { Welcome, Delphi, Install, Update, Uninstall, Busy, Finished, Nothing };
constexpr int SheetCount = 8;

// Everything the commands read from and show on the window: its controls by ID, its pages,
// the gauge and the message boxes. The window implements it with its real controls; an
// unattended run keeps the values in memory and writes the boxes to the log, so both run the
// very same commands. Setters change the value only: the form runs the change handlers.
class SetupControls {
public:
  virtual ~SetupControls() = default;

  virtual std::string Text(int id) const = 0;
  virtual void SetText(int id, const std::string& text) = 0;
  virtual bool Checked(int id) const = 0;
  virtual void SetChecked(int id, bool checked) = 0;
  virtual bool Enabled(int id) const = 0;
  virtual void SetEnabled(int id, bool enabled) = 0;
  virtual void SetReadOnly(int id, bool readOnly) = 0;
  virtual void SetBackColour(int id, COLORREF colour) = 0;  // CLR_INVALID: the system's

  virtual void SetTabVisible(Sheet sheet, bool visible) = 0;
  virtual bool TabVisible(Sheet sheet) const = 0;
  virtual void SetActivePage(Sheet sheet) = 0;
  virtual Sheet ActivePage() const = 0;

  virtual void SetGaugeMax(int64_t maximum) = 0;
  virtual void SetGaugePos(int64_t position) = 0;
  virtual int64_t GaugePos() const = 0;
  // Carries out pending paint requests at once, so a command's progress stays visible.
  virtual void Repaint() = 0;

  // A message box owned by the window; returns the button pressed (IDOK, IDYES, IDNO).
  virtual int Message(const std::string& text, const std::string& caption, UINT type) = 0;
  // The error box: caption "Quillmark Setup", error icon, OK; text as the box shows it.
  virtual void Error(const std::string& text) = 0;
};
