#pragma once
#include <array>

// The pages of the main window, in tab order.
enum class Sheet { Welcome, Delphi, Install, Update, Uninstall, Busy, Finished, Nothing };
constexpr int SheetCount = 8;

// The button Enter presses on a page when the focus is on no button: the page's command, or
// Quit where the page offers nothing else to do; 0 on the pages without one.
int DefaultButtonOf(Sheet sheet);
// The button Escape presses on a page: its quit button; 0 where the page has none (nothing
// happens), and always 0 on the busy page, where a command is half way.
int EscapeButtonOf(Sheet sheet);

// The page Ctrl+Tab (forward) or Ctrl+Shift+Tab moves to among the offered ones, round the end
// as in a property sheet; the current page when no other is offered.
Sheet NextOfferedSheet(const std::array<bool, SheetCount>& offered, Sheet current, bool forward);

