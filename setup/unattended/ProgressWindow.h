#pragma once
#include <array>
#include <map>

#include "commands/CommandFeedback.h"

// The controls of a run without the window: values kept in memory, every box answered as
// the unattended run's rule says (Yes to the question, OK to the rest) and every error box
// counted. With /SILENT a small window shows the busy status and the gauge.
class UnattendedControls : public SetupControls {
public:
  UnattendedControls(HINSTANCE instance, bool showProgress);
  ~UnattendedControls() override;
  UnattendedControls(const UnattendedControls&) = delete;
  UnattendedControls& operator=(const UnattendedControls&) = delete;

  int Errors() const { return errors_; }

  std::string Text(int id) const override;
  void SetText(int id, const std::string& text) override;
  bool Checked(int id) const override;
  void SetChecked(int id, bool checked) override;
  bool Enabled(int id) const override;
  void SetEnabled(int id, bool enabled) override;
  void SetReadOnly(int, bool) override {}
  void SetBackColour(int, COLORREF) override {}
  void SetTabVisible(Sheet sheet, bool visible) override;
  bool TabVisible(Sheet sheet) const override;
  void SetActivePage(Sheet sheet) override { active_ = sheet; }
  Sheet ActivePage() const override { return active_; }
  void SetGaugeMax(int64_t maximum) override;
  void SetGaugePos(int64_t position) override;
  int64_t GaugePos() const override { return gaugePos_; }
  void Repaint() override;
  int Message(const std::string& text, const std::string& caption, UINT type) override;
  void Error(const std::string& text) override;

private:
  std::map<int, std::string> texts_;
  std::map<int, bool> checks_;
  std::map<int, bool> enabled_;  // missing: enabled
  std::array<bool, SheetCount> tabs_{};
  Sheet active_ = Sheet::Welcome;
  int64_t gaugePos_ = 0;
  int errors_ = 0;
  HWND progress_ = nullptr;  // /SILENT's window, its status line and its gauge
  HWND status_ = nullptr;
  HWND gauge_ = nullptr;
  HFONT font_ = nullptr;
};
