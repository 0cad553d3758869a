#include "CommandLine.h"

namespace {
bool IsSeparator(char c) { return static_cast<unsigned char>(c) <= ' ' && c != '\0'; }
bool IsItemChar(char c) { return static_cast<unsigned char>(c) > ' '; }
}  // namespace

const char* NextCommandLineItem(const char* cursor, char* item) {
  for (;;) {
    while (IsSeparator(*cursor)) ++cursor;
    if (cursor[0] == '"' && cursor[1] == '"')
      cursor += 2;  // an empty quoted argument is no item
    else
      break;
  }
  char* out = item;
  while (IsItemChar(*cursor)) {
    if (*cursor == '"') {
      ++cursor;
      while (*cursor != '\0' && *cursor != '"') *out++ = *cursor++;
      if (*cursor != '\0') ++cursor;
    } else {
      *out++ = *cursor++;
    }
  }
  *out = '\0';
  return cursor;
}

int CountArguments(const char* line, char* scratch) {
  const char* cursor = NextCommandLineItem(line, scratch);  // the program
  int count = 0;
  for (;;) {
    cursor = NextCommandLineItem(cursor, scratch);
    if (scratch[0] == '\0') return count;
    ++count;
  }
}

void GetArgument(const char* line, int index, char* item) {
  const char* cursor = NextCommandLineItem(line, item);
  for (int i = 1; i <= index; ++i) {
    cursor = NextCommandLineItem(cursor, item);
    if (item[0] == '\0') return;
  }
}

void GetDirectoryPart(const char* path, char* directory, bool (*isLeadByte)(unsigned char)) {
  int end = 0;  // length of the directory part
  for (int i = 0; path[i] != '\0'; ++i) {
    if (isLeadByte && isLeadByte(static_cast<unsigned char>(path[i])) && path[i + 1] != '\0')
      ++i;
    else if (path[i] == ':' || path[i] == '\\')
      end = i + 1;
  }
  for (int i = 0; i < end; ++i) directory[i] = path[i];
  directory[end] = '\0';
}
