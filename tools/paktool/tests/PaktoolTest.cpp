// paktool end to end: its real binary, its exit status and its output.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "ByteFile.h"
#include "DosTime.h"
#include "Package.h"
#include "tests/PackageBytes.h"

namespace {

struct ToolRun {
  int status;
  std::string out, err;
};

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Quoted(const std::string& arg) {
  std::string quoted = "'";
  for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

class PaktoolTest : public ::testing::Test {
protected:
  ToolRun Paktool(const std::vector<std::string>& args) {
    std::string command = Quoted(PAKTOOL_PATH);
    for (const std::string& arg : args) command += " " + Quoted(arg);
    command += " >" + Quoted(dir.Path("out.txt")) + " 2>" + Quoted(dir.Path("err.txt"));
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadText(dir.Path("out.txt")),
            ReadText(dir.Path("err.txt"))};
  }
  std::string Input(const std::string& name, const std::vector<uint8_t>& data) {
    WriteBytes(dir.Path(name), data);
    return dir.Path(name);
  }
  std::vector<uint8_t> Text(size_t size) {
    std::vector<uint8_t> data;
    for (size_t i = 0; data.size() < size; ++i) {
      const std::string line = "line " + std::to_string(i % 97) + " of the help project\n";
      data.insert(data.end(), line.begin(), line.end());
    }
    data.resize(size);
    return data;
  }
  std::vector<uint8_t> Binary(size_t size) {
    std::vector<uint8_t> data(size);
    uint32_t state = 12345;
    for (uint8_t& byte : data) byte = static_cast<uint8_t>((state = state * 1103515245 + 12345) >> 16);
    return data;
  }
  // A package of three files; returns its path.
  std::string MakePackage() {
    const ToolRun run = Paktool({"create", dir.Path("Quillmk.pak"), "--version", "1.5\\r\\n",
                             Input("Quillmk.exe", Binary(50000)), Input("Quillmk.hlp", Text(120000)),
                             Input("Empty.txt", {})});
    EXPECT_EQ(run.status, 0) << run.err;
    return dir.Path("Quillmk.pak");
  }

  ScratchDir dir;
};

TEST_F(PaktoolTest, CreateListTestExtractRoundTrip) {
  const std::string pak = MakePackage();
  ByteFile file;
  file.Open(pak, ByteFile::Mode::Read);
  const PackageDirectory directory = ReadPackageDirectory(file);
  EXPECT_EQ(directory.ProductName, "Quillmark");
  EXPECT_EQ(directory.VersionText, "1.5\r\n");
  ASSERT_EQ(directory.Members.size(), 3u);
  EXPECT_EQ(directory.Members[0].FileTime, FileSystem::GetFileDosTime(dir.Path("Quillmk.exe")));

  const ToolRun list = Paktool({"list", pak});
  EXPECT_EQ(list.status, 0) << list.err;
  EXPECT_NE(list.out.find("\"1.5\\r\\n\""), std::string::npos) << list.out;
  for (const char* name : {"Quillmk.exe", "Quillmk.hlp", "Empty.txt", "120000"})
    EXPECT_NE(list.out.find(name), std::string::npos) << name;
  EXPECT_EQ(list.err, "");

  const ToolRun test = Paktool({"test", pak});
  EXPECT_EQ(test.status, 0) << test.err;
  EXPECT_EQ(test.err, "");  // no progress line when stderr is not a terminal

  const ToolRun extract = Paktool({"extract", pak, dir.Path("installed/app")});
  EXPECT_EQ(extract.status, 0) << extract.err;
  EXPECT_EQ(ReadBytes(dir.Path("installed/app/Quillmk.exe")), Binary(50000));
  EXPECT_EQ(ReadBytes(dir.Path("installed/app/Quillmk.hlp")), Text(120000));
  EXPECT_EQ(ReadBytes(dir.Path("installed/app/Empty.txt")), std::vector<uint8_t>());
  EXPECT_EQ(FileSystem::GetFileDosTime(dir.Path("installed/app/Quillmk.hlp")),
            FileSystem::GetFileDosTime(dir.Path("Quillmk.hlp")));
}

// A damaged stream, and a declared size the stream does not decode to (one byte more or less,
// every CRC sound), fail test and extract alike, as Setup's extraction fails them.
TEST_F(PaktoolTest, DamagedPackageFailsWithOneLineNamingFileAndMember) {
  const std::string pak = MakePackage();
  const std::vector<uint8_t> original = ReadBytes(pak);
  ByteFile file;
  file.Open(pak, ByteFile::Mode::Read);
  const PackageMember second = ReadPackageDirectory(file).Members.at(1);
  file.Close();
  // The entry's UnpackedSize follows its name and its FileTime.
  const std::string name = "Quillmk.hlp";
  const size_t sizeAt = std::search(original.begin(), original.end(), name.begin(), name.end()) - original.begin() +
                        name.size() + 4;
  for (const int damage : {0, 1, 2}) {
    std::vector<uint8_t> image = original;
    if (damage == 0) image.at(second.DataOffset + 40) ^= 0x55;
    if (damage > 0) image.at(sizeAt) += damage == 1 ? 1 : -1;
    WriteBytes(pak, image);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"test", pak}, {"extract", pak, dir.Path("out")}}) {
      const ToolRun run = Paktool(args);
      EXPECT_NE(run.status, 0) << damage;
      EXPECT_EQ(run.err, "paktool: " + pak + ": member Quillmk.hlp: CRC error in PAK file / Quillmk.pak is "
                         "corrupt / Please obtain the original QmkSetup.exe file\n")
          << damage;
    }
  }
}

TEST_F(PaktoolTest, NotAPackageIsReportedAsCorrupt) {
  const std::string path = Input("notes.pak", Text(100));
  for (const char* command : {"list", "test"}) {
    const ToolRun run = Paktool({command, path});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "paktool: " + path + ": PAK file corrupt\n");
  }
  const ToolRun missing = Paktool({"list", dir.Path("absent.pak")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("absent.pak"), std::string::npos);
}

TEST_F(PaktoolTest, CreateRefusesBadNamesAndLongOnesUnlessAllowed) {
  const ToolRun bad = Paktool({"create", dir.Path("bad.pak"), "--version", "1", Input("a\\b.txt", Text(5))});
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.err.find("a\\b.txt"), std::string::npos) << bad.err;
  EXPECT_FALSE(std::filesystem::exists(dir.Path("bad.pak")));

  // Names Windows would take for another file or a device: create refuses them, test reports them.
  for (const std::string name : {"x.", "QUILLM~1.EXE", "nul .txt"}) {
    const ToolRun refusedName = Paktool({"create", dir.Path("bad.pak"), "--version", "1", Input(name, Text(5))});
    EXPECT_EQ(refusedName.status, 1) << name;
    EXPECT_NE(refusedName.err.find("member " + name + ": not a plain file name"), std::string::npos) << refusedName.err;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.Path("bad.pak")));
  PackageBytes device;
  device.Header("Quillmark", "1", false).Int32(1).ShortText("COM1.txt").EntryFields(0, 0, 0, 0, 0, 0);
  const ToolRun tested = Paktool({"test", Input("device.pak", device.bytes)});
  EXPECT_EQ(tested.status, 1);
  EXPECT_NE(tested.err.find("member name \"COM1.txt\" is not a plain file name"), std::string::npos) << tested.err;

  const ToolRun twice = Paktool({"create", dir.Path("twice.pak"), "--version", "1", Input("same.txt", Text(5)),
                             Input("SAME.TXT", Text(6))});
  EXPECT_EQ(twice.status, 1);
  PackageBytes twins;
  twins.Header("Quillmark", "1", false).Int32(2).ShortText("same.txt").EntryFields(0, 0, 0, 0, 0, 0);
  twins.ShortText("SAME.TXT").EntryFields(0, 0, 0, 0, 0, 0);
  for (const char* command : {"test", "extract"}) {
    std::vector<std::string> args = {command, Input("twins.pak", twins.bytes)};
    if (args[0] == "extract") args.push_back(dir.Path("twins"));
    const ToolRun run = Paktool(args);
    EXPECT_EQ(run.status, 1) << command;
    EXPECT_NE(run.err.find("member names \"same.txt\" and \"SAME.TXT\" name one file"), std::string::npos) << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.Path("twins")));

  const std::string longInput = Input("SixteenCharName1", Text(5));
  const ToolRun refused = Paktool({"create", dir.Path("long.pak"), "--version", "1", Input("Fifteen_Chars.1", Text(5)),
                               longInput});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("member SixteenCharName1: name longer than 15 bytes"), std::string::npos)
      << refused.err;
  EXPECT_NE(refused.err.find("--allow-long-names"), std::string::npos) << refused.err;
  EXPECT_FALSE(std::filesystem::exists(dir.Path("long.pak")));

  const ToolRun longName = Paktool({"create", dir.Path("long.pak"), "--name", "Quillmark\\r\\n", "--version", "1",
                                "--extra-text", "--allow-long-names", longInput});
  EXPECT_EQ(longName.status, 0);
  EXPECT_NE(longName.err.find("warning: SixteenCharName1"), std::string::npos) << longName.err;
  ByteFile file;
  file.Open(dir.Path("long.pak"), ByteFile::Mode::Read);
  const PackageDirectory directory = ReadPackageDirectory(file);
  EXPECT_EQ(directory.ProductName, "Quillmark\r\n");
  EXPECT_TRUE(directory.HasExtraText);

  // Names are UTF-8 bytes: 9 characters in 19 bytes are too long; bytes that are no UTF-8
  // (a name in code page 1252) are refused with or without the option.
  const struct {
    std::string name, error;
  } refusals[] = {{"王伟的程序.txt", "王伟的程序.txt: member name longer than 15 bytes"},
                  {"M\xFCller.txt", "member M\\xFCller.txt: name is not UTF-8"}};
  for (const auto& refusal : refusals) {
    const ToolRun run = Paktool({"create", dir.Path("u.pak"), "--version", "1", "--allow-long-names",
                                 Input("説明.txt", Text(5)), Input(refusal.name, Text(5))});
    EXPECT_EQ(run.status, refusal.name[0] == 'M' ? 1 : 0);
    EXPECT_NE(run.err.find(refusal.error), std::string::npos) << run.err;
  }
}

// list shows names as the UTF-8 they are, and bytes that are no UTF-8 as escapes.
TEST_F(PaktoolTest, ListShowsUtf8NamesAndEscapesOtherBytes) {
  PackageBytes package;
  package.Header("Quillmark", "1", false).Int32(2);
  for (const std::string name : {"説明.txt", "M\xFCller"}) package.ShortText(name).EntryFields(0x5A210000, 0, 0, 0, 0, 0);
  const ToolRun list = Paktool({"list", Input("names.pak", package.bytes)});
  EXPECT_EQ(list.status, 0) << list.err;
  EXPECT_NE(list.out.find("説明.txt"), std::string::npos) << list.out;
  EXPECT_NE(list.out.find("M\\xFCller"), std::string::npos) << list.out;
}

// Reproducible packages: no stored time later than SOURCE_DATE_EPOCH, all of them in UTC
// whatever the packer's zone; a time that is not a number stops the build.
TEST_F(PaktoolTest, SourceDateEpochCapsFileTimesInUtc) {
  const std::string later = Input("later.txt", Text(5)), earlier = Input("earlier.txt", Text(6));
  for (const auto& [path, seconds] : {std::pair{later, 1800000000}, {earlier, 1600000001}}) {
    struct timespec times[2] = {{0, UTIME_OMIT}, {seconds, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  }
  setenv("TZ", "XST-5:30", 1);
  setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
  const ToolRun run = Paktool({"create", dir.Path("r.pak"), "--version", "1", later, earlier});
  setenv("SOURCE_DATE_EPOCH", "17e8", 1);
  const ToolRun malformed = Paktool({"create", dir.Path("m.pak"), "--version", "1", later});
  unsetenv("SOURCE_DATE_EPOCH");
  unsetenv("TZ");
  ASSERT_EQ(run.status, 0) << run.err;
  ByteFile file;
  file.Open(dir.Path("r.pak"), ByteFile::Mode::Read);
  const PackageDirectory directory = ReadPackageDirectory(file);
  EXPECT_EQ(FormatDosDateTime(directory.Members.at(0).FileTime), "2023-11-14 22:13:20");
  EXPECT_EQ(FormatDosDateTime(directory.Members.at(1).FileTime), "2020-09-13 12:26:40");
  EXPECT_EQ(malformed.status, 1);
  EXPECT_EQ(malformed.err, "paktool: SOURCE_DATE_EPOCH is not a number of seconds: \"17e8\"\n");
  EXPECT_FALSE(std::filesystem::exists(dir.Path("m.pak")));
}

TEST_F(PaktoolTest, WrongCommandLinesExitWithUsage) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{}, {"frobnicate"}, {"list"},
                                               {"create"}, {"create", "x.pak", "--version"},
                                               {"extract", "x.pak"}, {"create", "x.pak", "--bogus"}}) {
    const ToolRun run = Paktool(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("usage: paktool"), std::string::npos);
  }
}

}  // namespace
