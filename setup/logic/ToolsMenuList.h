#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>

// Where a Tools-menu list lives decides how its Count is stored and whether removing an
// entry deletes the old last entry's items.
enum class ToolsListForm {
  RegistryNumber,  // Count is a 4-byte number
  RegistryText,    // Count is decimal text
  Ini              // Count is an INI integer key; old last items stay in the file
};

// The values of one list, by item name ("Count", "Title3", ...). Registry values and INI
// keys implement it, and the tests keep one in memory.
class ToolsListStore {
public:
  virtual ~ToolsListStore() = default;
  // The value's bytes as stored (INI: its text); false when missing or longer than maxBytes.
  virtual bool Read(const std::string& name, std::string& bytes, uint32_t maxBytes) = 0;
  virtual void WriteText(const std::string& name, const std::string& text) = 0;
  virtual void WriteNumber(const std::string& name, uint32_t value) = 0;
  virtual void Delete(const std::string& name) = 0;
};

// Raised when a text Count is not a number.
class ECountError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

struct ToolsEntry {
  std::string Title;
  std::string WorkingDir;
  std::string Path;
  std::string Params;
};

// The product's entry for a directory that ends in a backslash.
ToolsEntry ProductToolsEntry(const std::string& directory);

// A list beyond this many entries gets the product as its entry 32.
constexpr int32_t RegistryToolsCap = 32;

// Writes the entry as entry n (items Title, WorkingDir, Path, Params) and Count n + 1 in the
// list's form, where n is the Count read (0 when unreadable or negative), capped for
// registry lists. A Count that cannot be raised by one raises ECountError, list unchanged.
void AddToolsEntry(ToolsListStore& store, ToolsListForm form, const ToolsEntry& entry);

// The same, unless an entry of the list already starts entry.Path (ASCII letters in any case):
// a user's share of a machine-wide installation is added once, however often it is asked
// for. Returns whether the entry was added.
bool AddToolsEntryOnce(ToolsListStore& store, ToolsListForm form, const ToolsEntry& entry);

// Removal reads no list beyond this many entries.
constexpr int32_t RemovableToolsEntries = 1024;

// Removes the first entry whose lower-cased Path contains "quillmk.exe", moves the later
// ones down and writes Count - 1 (of a Count taken as at most RemovableToolsEntries).
// Returns false when the list was left unchanged.
bool RemoveProductToolsEntry(ToolsListStore& store, ToolsListForm form);

// Count texts: a decimal number with optional sign and blanks before it; anything else
// raises ECountError.
int32_t ParseCountText(const std::string& text);
// An INI integer as the profile functions read it: leading digits (or "0x" hexadecimal),
// 0 when there are none.
int32_t ParseIniInteger(const std::string& text);
