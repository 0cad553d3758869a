#pragma once
#include <windows.h>

#include <cstdint>
#include <exception>
#include <string>

#include "logic/ProductNames.h"

// What a command shows or asks while it runs: its progress, message boxes and questions. The
// window shows them on its pages; an unattended run answers every question itself, counts the
// error boxes and shows at most a small progress window. Boxes go to the log here, once, for
// both.
class CommandFeedback {
public:
  virtual ~CommandFeedback() = default;

  // Install and Update: the busy page, its gauge at 0 of gaugeMax.
  virtual void ShowBusy(int64_t gaugeMax) = 0;
  // The busy page's status line (Install, Update) and the Uninstall page's.
  virtual void BusyStatus(const std::string& text) = 0;
  virtual void UninstallStatus(const std::string& text) = 0;
  virtual void AdvanceGauge(int64_t bytes) = 0;
  // The Finished page replaces every other.
  virtual void ShowFinished() = 0;
  // The program ends once the running command returns.
  virtual void EndProgram() = 0;
  // No one is there to read a box: questions are answered and boxes only logged.
  virtual bool Unattended() const = 0;

  // The error box: caption "Quillmark Setup", error icon, OK, with the error's text as the
  // box shows it (a full stop added where due).
  void ShowError(const std::exception& error);
  // Any other message box; returns the button pressed (IDOK, IDYES, IDNO).
  int Message(const std::string& text, const std::string& caption, UINT type);
  // Runs one step of a command; an error escaping it is shown in the error box and the
  // command goes on.
  template <class Step>
  void Guarded(Step&& step) {
    try {
      step();
    } catch (const std::exception& error) {
      ShowError(error);
    }
  }

protected:
  virtual void ErrorBox(const std::string& text) = 0;
  virtual int ShowMessageBox(const std::string& text, const std::string& caption, UINT type) = 0;
};

