#pragma once
#include <windows.h>

#include <string>

// TDirectoryTree: a directory list in the style of the classic directory list box. Its
// lines are the levels of the current directory's path, each indented one step further
// ("C:\", "Program Files", "Quillmark"), then the current directory's subdirectories in
// alphabetical order (case-insensitive; hidden and system directories are left out), one
// step further in. Only whole lines are shown. Window class "TDirectoryTree".
//
// Choosing a line (double-click, or Enter on the selected line) makes it the current
// directory. Whenever a choice or WM_SETTEXT (another program acting for the user) changes the
// current directory, the parent receives WM_COMMAND with MAKEWPARAM(id, DTN_CHANGE) and the
// tree's handle; SetDirectory, the owner's own change, tells it nothing, as a list box's
// LB_SETCURSEL does not.
//
// To a screen reader it is an outline named "Folders", its value the current directory, its
// lines the items (each with its level as value; the selected one marked), with selection and
// focus events as the selection moves.
//
// Messages, usable from another process:
//   WM_GETTEXT / WM_GETTEXTLENGTH: the current directory as a full path ("C:\Program Files").
//   WM_SETTEXT: makes the given directory current; returns TRUE when it exists (and the tree
//     moved there, or already was there), FALSE otherwise (the tree stays where it was).
//   DTM_GETCOUNT (WM_USER + 1): the number of lines.
//   DTM_GETCURSEL (WM_USER + 2): the selected line.
//   DTM_SETCURSEL (WM_USER + 3): selects line wParam; TRUE when it exists.
//   To choose a line as a user would: DTM_SETCURSEL, then WM_KEYDOWN with VK_RETURN.
constexpr UINT DTM_GETCOUNT = WM_USER + 1;
constexpr UINT DTM_GETCURSEL = WM_USER + 2;
constexpr UINT DTM_SETCURSEL = WM_USER + 3;
constexpr WORD DTN_CHANGE = 1;

namespace TDirectoryTree {
constexpr const char* ClassName = "TDirectoryTree";
void Register(HINSTANCE instance);

std::string Directory(HWND tree);
// Makes directory current without telling the parent. False when it does not exist or cannot
// be read; the tree then stays.
bool SetDirectory(HWND tree, const std::string& directory);
}  // namespace TDirectoryTree
