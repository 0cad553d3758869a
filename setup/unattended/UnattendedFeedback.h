#pragma once
#include <windows.h>

#include "commands/CommandFeedback.h"

// What a run without the window shows: every question answered (Yes, OK), every box only
// logged, and the error boxes counted. With /SILENT a small window shows the status and the
// gauge; with /VERYSILENT nothing at all.
class UnattendedFeedback : public CommandFeedback {
public:
  UnattendedFeedback(HINSTANCE instance, bool showProgress);
  ~UnattendedFeedback() override;
  UnattendedFeedback(const UnattendedFeedback&) = delete;
  UnattendedFeedback& operator=(const UnattendedFeedback&) = delete;

  int Errors() const { return errors_; }

  void ShowBusy(int64_t gaugeMax) override;
  void BusyStatus(const std::string& text) override { ShowStatus(text); }
  void UninstallStatus(const std::string& text) override { ShowStatus(text); }
  void AdvanceGauge(int64_t bytes) override;
  void ShowFinished() override {}
  void EndProgram() override {}
  bool Unattended() const override { return true; }

protected:
  void ErrorBox(const std::string&) override { ++errors_; }
  int ShowMessageBox(const std::string& text, const std::string& caption, UINT type) override;

private:
  void ShowStatus(const std::string& text);

  int64_t gaugePos_ = 0;
  int errors_ = 0;
  HWND progress_ = nullptr;  // /SILENT's window, its status line and its gauge
  HWND status_ = nullptr;
  HWND gauge_ = nullptr;
  HFONT font_ = nullptr;
};
