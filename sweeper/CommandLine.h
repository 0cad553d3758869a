#pragma once

// How Sweeper reads its command line. Plain C-style code over char buffers, so that the tiny
// program (no C++ runtime) and the native tests run the very same functions.
//
// Items are separated by runs of characters up to 32; a leading "" pair is skipped; double
// quotes open and close stretches in which blanks are kept, and are themselves dropped; an
// unterminated quote runs to the end of the line. Item 0 is the program itself.
//
// No item has a length limit: every output buffer needs room for the text it is taken from
// (its length plus the terminating zero), which no item or directory part can exceed.

// Copies the next item at or after `cursor` into `item` and returns where the search for the
// following item starts. An empty item means the line has ended.
const char* NextCommandLineItem(const char* cursor, char* item);

// The number of arguments after the program, counted up to the first empty item.
// `scratch` needs room for the line.
int CountArguments(const char* line, char* scratch);

// Argument `index` (1 is the first after the program) into `item`; empty when there is none.
void GetArgument(const char* line, int index, char* item);

// Everything up to and including the last ':' or '\' of `path`; empty when it has neither.
// Given the lead bytes of a double-byte code page (Windows before 10 1903 run us in the
// system's), the byte after a lead byte belongs to its character even when it is 0x5C.
void GetDirectoryPart(const char* path, char* directory, bool (*isLeadByte)(unsigned char) = nullptr);
