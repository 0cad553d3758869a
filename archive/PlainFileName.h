#pragma once
#include <string>

#include "CodePage.h"

// Whether a package member's name may be installed as it is: a file of exactly this name in the
// destination directory, and no other file or device. Refused: an empty name, "." and "..", a
// control character or any of \ / : * ? " < > |; a last character that is a dot or a blank
// (Windows drops it, so "x." writes "x"); a device name (CON, PRN, AUX, NUL, CONIN$, CONOUT$,
// COM0 to COM9, LPT0 to LPT9, also with the superscript digits 1 to 3, in UTF-8 or as code
// page 1252 bytes) before any extension or blanks, as "NUL .txt"; and the form of a short
// 8.3 alias, a "~" and digits before the extension or the end ("QUILLM~1.EXE"), which could
// name another file of the folder. Also refused: half a character, or bytes that are no UTF-8
// where names are UTF-8; such a name is none we made.
bool IsPlainFileName(const std::string& name, const CodePage& page = ProgramCodePage());
