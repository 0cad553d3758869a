#include "ToolsMenuList.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <map>

#include "IdeOptions.h"

namespace {

// A list kept in memory. Numbers are stored as their four little-endian bytes, texts with
// their terminating zero, as the registry keeps them; writes are recorded with their kind.
class MemoryStore : public ToolsListStore {
public:
  struct Value {
    bool IsNumber;
    std::string Bytes;
  };
  std::map<std::string, Value> Values;
  int Reads = 0;

  bool Read(const std::string& name, std::string& bytes, uint32_t maxBytes) override {
    ++Reads;
    auto found = Values.find(name);
    if (found == Values.end() || found->second.Bytes.size() > maxBytes) return false;
    bytes = found->second.Bytes;
    return true;
  }
  void WriteText(const std::string& name, const std::string& text) override {
    Values[name] = Value{false, text + '\0'};
  }
  void WriteNumber(const std::string& name, uint32_t value) override {
    std::string bytes(4, '\0');
    std::memcpy(&bytes[0], &value, 4);
    Values[name] = Value{true, bytes};
  }
  void Delete(const std::string& name) override { Values.erase(name); }

  std::string Text(const std::string& name) const {
    auto found = Values.find(name);
    if (found == Values.end()) return "<missing>";
    EXPECT_FALSE(found->second.IsNumber) << name;
    return found->second.Bytes.substr(0, found->second.Bytes.find('\0'));
  }
  bool Has(const std::string& name) const { return Values.count(name) != 0; }
  uint32_t Number(const std::string& name) const {
    auto found = Values.find(name);
    EXPECT_TRUE(found != Values.end() && found->second.IsNumber) << name;
    uint32_t value = 0;
    if (found != Values.end()) std::memcpy(&value, found->second.Bytes.data(), 4);
    return value;
  }
  void AddEntry(int i, const std::string& path) {
    WriteText("Title" + std::to_string(i), "Tool " + std::to_string(i));
    WriteText("WorkingDir" + std::to_string(i), "C:\\W" + std::to_string(i));
    WriteText("Path" + std::to_string(i), path);
    WriteText("Params" + std::to_string(i), "-p" + std::to_string(i));
  }
  void SetCount(ToolsListForm form, int32_t count) {
    if (form == ToolsListForm::RegistryNumber)
      WriteNumber("Count", static_cast<uint32_t>(count));
    else
      WriteText("Count", std::to_string(count));
  }
  // Count as written back, in the form it must have.
  int64_t CountIn(ToolsListForm form) const {
    if (form == ToolsListForm::RegistryNumber) return static_cast<int32_t>(Number("Count"));
    return std::stoll(Text("Count"));
  }
};

const ToolsEntry Product = ProductToolsEntry("C:\\Qm\\");

void ExpectProductAt(const MemoryStore& store, int i) {
  const std::string n = std::to_string(i);
  EXPECT_EQ(store.Text("Title" + n), "&Quillmark");
  EXPECT_EQ(store.Text("WorkingDir" + n), "C:\\Qm\\");
  EXPECT_EQ(store.Text("Path" + n), "C:\\Qm\\Quillmk.exe");
  EXPECT_EQ(store.Text("Params" + n), "");
}

const ToolsListForm AllForms[] = {ToolsListForm::RegistryNumber, ToolsListForm::RegistryText,
                                  ToolsListForm::Ini};

TEST(ToolsMenuListAdd, NewListGetsEntryZeroAndCountOne) {
  for (ToolsListForm form : AllForms) {
    MemoryStore store;
    AddToolsEntry(store, form, Product);
    ExpectProductAt(store, 0);
    EXPECT_EQ(store.CountIn(form), 1);
    EXPECT_EQ(store.Values.size(), 5u);
  }
}

TEST(ToolsMenuListAdd, EntryGoesAfterTheExistingOnesWithCapForRegistryLists) {
  struct Case {
    int32_t count;
    ToolsListForm form;
    int expectedEntry;
  };
  const Case cases[] = {
      {5, ToolsListForm::RegistryNumber, 5},   {5, ToolsListForm::RegistryText, 5},
      {5, ToolsListForm::Ini, 5},              {32, ToolsListForm::RegistryNumber, 32},
      {40, ToolsListForm::RegistryNumber, 32}, {40, ToolsListForm::RegistryText, 32},
      {40, ToolsListForm::Ini, 40},            {-3, ToolsListForm::RegistryText, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "count " << c.count << " form " << static_cast<int>(c.form));
    MemoryStore store;
    store.SetCount(c.form, c.count);
    store.AddEntry(32, "C:\\Other\\Tool.exe");
    AddToolsEntry(store, c.form, Product);
    ExpectProductAt(store, c.expectedEntry);
    EXPECT_EQ(store.CountIn(c.form), c.expectedEntry + 1);
  }
}

TEST(ToolsMenuListAdd, ProductAlreadyListedGetsASecondEntry) {
  MemoryStore store;
  AddToolsEntry(store, ToolsListForm::RegistryText, Product);
  AddToolsEntry(store, ToolsListForm::RegistryText, Product);
  ExpectProductAt(store, 0);
  ExpectProductAt(store, 1);
  EXPECT_EQ(store.Text("Count"), "2");
}

// A user's share of a machine-wide installation: the same entry once, however often it runs;
// an entry of another installation directory is no reason to leave this one out.
TEST(ToolsMenuListAdd, OnceAddsOnlyWhatTheListLacks) {
  for (ToolsListForm form : AllForms) {
    SCOPED_TRACE(static_cast<int>(form));
    MemoryStore store;
    store.SetCount(form, 2);
    store.AddEntry(0, "C:\\Other\\Tool.exe");
    store.AddEntry(1, "D:\\Old\\QUILLMK.EXE");
    EXPECT_TRUE(AddToolsEntryOnce(store, form, Product));
    ExpectProductAt(store, 2);
    EXPECT_FALSE(AddToolsEntryOnce(store, form, ProductToolsEntry("c:\\qm\\")));
    EXPECT_EQ(store.CountIn(form), 3);
  }
}

TEST(ToolsMenuListAdd, CountFormsAsTheyAreRead) {
  // A number Count shorter than four bytes fills the low bytes; a longer one is unreadable.
  MemoryStore shortNumber;
  shortNumber.Values["Count"] = {true, std::string("\x03", 1)};
  AddToolsEntry(shortNumber, ToolsListForm::RegistryNumber, Product);
  ExpectProductAt(shortNumber, 3);

  MemoryStore longNumber;
  longNumber.Values["Count"] = {true, std::string("\x03\0\0\0\0", 5)};
  AddToolsEntry(longNumber, ToolsListForm::RegistryNumber, Product);
  ExpectProductAt(longNumber, 0);

  // A text Count that holds a registry number is not a number.
  MemoryStore numberAsText;
  numberAsText.WriteNumber("Count", 5);
  EXPECT_THROW(AddToolsEntry(numberAsText, ToolsListForm::RegistryText, Product), ECountError);

  MemoryStore hexIni;
  hexIni.WriteText("Count", "0x10");
  AddToolsEntry(hexIni, ToolsListForm::Ini, Product);
  ExpectProductAt(hexIni, 16);
  EXPECT_EQ(hexIni.Text("Count"), "17");
}

TEST(ToolsMenuListAdd, CountThatIsNotANumberOrCannotGrowRaisesAndChangesNothing) {
  const std::pair<const char*, ToolsListForm> cases[] = {
      {"abc", ToolsListForm::RegistryText},         {"", ToolsListForm::RegistryText},
      {"5x", ToolsListForm::RegistryText},          {"99999999999", ToolsListForm::RegistryText},
      {"2147483647", ToolsListForm::Ini},           {"0x7FFFFFFF", ToolsListForm::Ini}};
  for (const auto& [count, form] : cases) {
    MemoryStore store;
    store.WriteText("Count", count);
    EXPECT_THROW(AddToolsEntry(store, form, Product), ECountError) << count;
    EXPECT_EQ(store.Values.size(), 1u) << count;
  }
  MemoryStore ini;  // INI integers are never an error
  ini.WriteText("Count", "abc");
  AddToolsEntry(ini, ToolsListForm::Ini, Product);
  ExpectProductAt(ini, 0);
}

TEST(ToolsMenuListRemove, RemovesFirstMatchAndMovesTheRestDown) {
  for (ToolsListForm form : AllForms) {
    SCOPED_TRACE(static_cast<int>(form));
    MemoryStore store;
    store.AddEntry(0, "C:\\A\\a.exe");
    store.AddEntry(1, "C:\\PROGRA~1\\QUILLM~1\\QUILLMK.EXE");
    store.AddEntry(2, "C:\\B\\b.exe");
    store.AddEntry(3, "D:\\Qm\\Quillmk.exe");
    store.SetCount(form, 4);
    EXPECT_TRUE(RemoveProductToolsEntry(store, form));
    EXPECT_EQ(store.CountIn(form), 3);
    EXPECT_EQ(store.Text("Path0"), "C:\\A\\a.exe");
    EXPECT_EQ(store.Text("Title1"), "Tool 2");
    EXPECT_EQ(store.Text("WorkingDir1"), "C:\\W2");
    EXPECT_EQ(store.Text("Path1"), "C:\\B\\b.exe");
    EXPECT_EQ(store.Text("Params1"), "-p2");
    EXPECT_EQ(store.Text("Path2"), "D:\\Qm\\Quillmk.exe");  // the second match stays
    EXPECT_EQ(store.Text("Title2"), "Tool 3");
    // The registry deletes the old last entry; the INI file keeps its keys beyond Count.
    EXPECT_EQ(store.Has("Path3"), form == ToolsListForm::Ini);
    EXPECT_EQ(store.Has("Title3"), form == ToolsListForm::Ini);
  }
}

TEST(ToolsMenuListRemove, LastEntryIsOnlyDroppedFromCount) {
  for (ToolsListForm form : AllForms) {
    MemoryStore store;
    store.AddEntry(0, "C:\\A\\a.exe");
    store.AddEntry(1, "C:\\Qm\\quillmk.exe");
    store.SetCount(form, 2);
    EXPECT_TRUE(RemoveProductToolsEntry(store, form));
    EXPECT_EQ(store.CountIn(form), 1);
    EXPECT_EQ(store.Text("Path0"), "C:\\A\\a.exe");
    EXPECT_EQ(store.Has("Params1"), form == ToolsListForm::Ini);
  }
}

TEST(ToolsMenuListRemove, LeavesListsWithoutTheProductUnchanged) {
  struct Case {
    const char* name;
    const char* secondPath;
    int32_t count;
  };
  // Entries at or beyond Count are not looked at.
  const Case cases[] = {{"no match", "C:\\Qm\\Quill.exe", 2},
                        {"match beyond Count", "C:\\Qm\\Quillmk.exe", 1},
                        {"empty list", "C:\\Qm\\Quillmk.exe", 0}};
  for (const Case& c : cases) {
    MemoryStore store;
    store.AddEntry(0, "C:\\A\\a.exe");
    store.AddEntry(1, c.secondPath);
    store.SetCount(ToolsListForm::RegistryText, c.count);
    const auto before = store.Values;
    EXPECT_FALSE(RemoveProductToolsEntry(store, ToolsListForm::RegistryText)) << c.name;
    EXPECT_EQ(store.Values.size(), before.size()) << c.name;
    EXPECT_EQ(store.Text("Count"), std::to_string(c.count)) << c.name;
  }
  MemoryStore noCount;
  noCount.AddEntry(0, "C:\\Qm\\Quillmk.exe");
  EXPECT_FALSE(RemoveProductToolsEntry(noCount, ToolsListForm::RegistryNumber));
  EXPECT_TRUE(noCount.Has("Path0"));
}

TEST(ToolsMenuListRemove, MissingItemsMoveAsEmptyTextAndLongItemsMoveWhole) {
  MemoryStore store;
  store.AddEntry(0, "C:\\Qm\\Quillmk.exe");
  store.WriteText("Path1", "C:\\" + std::string(400, 'x') + ".exe");
  store.SetCount(ToolsListForm::RegistryNumber, 2);
  EXPECT_TRUE(RemoveProductToolsEntry(store, ToolsListForm::RegistryNumber));
  EXPECT_EQ(store.Text("Title0"), "");
  EXPECT_EQ(store.Text("Path0").size(), 407u);
  EXPECT_EQ(store.Number("Count"), 1u);
}

// A damaged Count must not keep Uninstall reading for ever: the list ends at 1,024 entries.
TEST(ToolsMenuListRemove, HugeCountReadsAtMostTheRemovableEntries) {
  for (ToolsListForm form : AllForms) {
    SCOPED_TRACE(static_cast<int>(form));
    MemoryStore store;
    store.AddEntry(0, "C:\\Qm\\Quillmk.exe");
    store.AddEntry(1, "C:\\A\\a.exe");
    store.SetCount(form, INT32_MAX);
    EXPECT_TRUE(RemoveProductToolsEntry(store, form));
    EXPECT_LE(store.Reads, 5 * RemovableToolsEntries);
    EXPECT_EQ(store.Text("Path0"), "C:\\A\\a.exe");
    EXPECT_EQ(store.CountIn(form), RemovableToolsEntries - 1);
  }
}

TEST(ToolsMenuListRemove, TextCountThatIsNotANumberRaises) {
  MemoryStore store;
  store.AddEntry(0, "C:\\Qm\\Quillmk.exe");
  store.WriteText("Count", "abc");
  EXPECT_THROW(RemoveProductToolsEntry(store, ToolsListForm::RegistryText), ECountError);
  EXPECT_TRUE(store.Has("Path0"));
}

TEST(CountTexts, ParseAsTheirFormsRead) {
  struct Case {
    const char* text;
    int32_t ini;
  };
  const Case cases[] = {{"0", 0},   {"7", 7},       {"  12", 12},  {"0x1F", 31},  {"0X10", 16},
                        {"12ab", 12}, {"abc", 0},    {"", 0},       {"-2", -2},    {"+4", 4}};
  for (const Case& c : cases) EXPECT_EQ(ParseIniInteger(c.text), c.ini) << c.text;

  EXPECT_EQ(ParseCountText("33"), 33);
  EXPECT_EQ(ParseCountText(" -1"), -1);
  EXPECT_EQ(ParseCountText("2147483647"), 2147483647);
  EXPECT_EQ(ParseCountText("-2147483648"), INT32_MIN);
  for (const char* bad : {"abc", "", " ", "1 ", "0x10", "2147483648", "-"})
    EXPECT_THROW(ParseCountText(bad), ECountError) << bad;
}

// Each environment reads its list's Count in one form, a registry number or text; in the
// other form its list would be unreadable to it. Delphi 1's list is in DELPHI.INI, which holds
// text only; its entry is pinned as the table holds it.
TEST(IdeToolsLists, EachEnvironmentKeepsItsCountForm) {
  const std::pair<const char*, CountForm> expected[] = {
      {"Delphi10", CountForm::Number}, {"Delphi20", CountForm::Text}, {"Delphi30", CountForm::Text},
      {"Delphi40", CountForm::Number}, {"BCB10", CountForm::Text},    {"BCB30", CountForm::Number}};
  ASSERT_EQ(std::size(expected), IdeOptions.size());
  for (size_t i = 0; i < IdeOptions.size(); ++i) {
    EXPECT_STREQ(IdeOptions[i].Key, expected[i].first);
    EXPECT_TRUE(IdeOptions[i].ToolsCountForm == expected[i].second) << expected[i].first;
  }
}

}  // namespace
