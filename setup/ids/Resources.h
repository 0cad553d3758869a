#pragma once
// Resource IDs of Setup.exe.

// The program's main icon comes first, so the shell shows it for Setup.exe.
#define MainIcon 1
#define WelcomeIcon 2

// Two-state button glyphs: a 32 x 16 strip, normal then disabled; magenta is transparent.
#define GlyphOk 10
#define GlyphCancel 11
#define GlyphHelp 12
#define GlyphRemove 13
