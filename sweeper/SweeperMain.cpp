// Sweeper: deletes the file named by its first argument as soon as the program holding it
// has ended, removes that file's directory if it is then empty, and with exactly three
// arguments shows the closing message. No window, no console, no C runtime: the entry point
// is our own, so the program stays a few kilobytes.
#include <windows.h>

#include "CommandLine.h"
#include "common/LibrarySearch.h"
#include "common/NoFollowDelete.h"
#include "common/RedirectionTrust.h"

namespace {
const char LeftoverText[] = "Sweeper.exe is a leftover from an uninstall program.\rYou can safely delete it.";
const char LeftoverCaption[] = "Sweeper";

// A file that stays present but can never be deleted (protected, a directory, a wildcard
// name) must not keep us spinning: pause between attempts and give up after a while.
constexpr DWORD RetryPauseMs = 100;
constexpr DWORD GiveUpAfterMs = 60000;

// Through a handle on the file itself: a link planted under its name, or on its way, is never
// a way to delete another file with Setup's rights. A copy made from read-only media keeps that
// attribute, which no waiting removes: it goes too.
void DeleteWhenReleased(const char* path) {
  const DWORD started = GetTickCount();
  while (!DeleteWithoutFollowing(path, ReadOnlyFiles::Delete)) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE) return;  // gone: nothing left to wait for
    FindClose(search);
    if (GetTickCount() - started >= GiveUpAfterMs) return;
    Sleep(RetryPauseMs);
  }
}

bool IsLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

void Run() {
  const char* line = GetCommandLineA();
  const SIZE_T room = static_cast<SIZE_T>(lstrlenA(line)) + 1;  // enough for any item
  char* buffers = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, 4 * room));
  if (buffers == nullptr) return;
  char* path = buffers;
  char* message = path + room;
  char* caption = message + room;
  char* directory = caption + room;

  const int count = CountArguments(line, path);
  if (count == 0) {
    MessageBoxA(nullptr, LeftoverText, LeftoverCaption, MB_OK);
    return;
  }
  GetArgument(line, 1, path);
  DeleteWhenReleased(path);
  GetDirectoryPart(path, directory, IsLeadByte);
  RemoveFolderWithoutFollowing(directory);  // only an empty directory goes; failure is no concern
  if (count == 3) {
    GetArgument(line, 2, message);
    GetArgument(line, 3, caption);
    MessageBoxA(nullptr, message, caption, MB_OK);
  }
}
}  // namespace

// The process starts here directly; there is no runtime to return to.
extern "C" void WinMainCRTStartup() {
  RestrictLibrarySearch();
  TrustNoUsersJunctions();
  Run();
  ExitProcess(0);
}
