#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "CaseName.h"
#include "FolderTrust.h"
#include "ShiftJis.h"
#include "archive/DirectoryAccess.h"

namespace {

const std::string TI = "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";
const std::string Bob = "S-1-5-21-1-2-3-1001";
// What Setup gives the folders it makes: the next Install must take them for its own.
const std::string SetupsOwn = ProtectedDirectorySddl();

FolderFacts Secured(const std::string& sddl) {
  FolderFacts facts;
  facts.Sddl = sddl;
  return facts;
}

struct JudgeCase {
  const char* why;
  FolderFacts facts;
  FolderVerdict verdict;
  std::string account;
  std::string trustedUser = "";  // the log's rule: the administrator who started Setup
};

class JudgeFolderTest : public testing::TestWithParam<JudgeCase> {};

TEST_P(JudgeFolderTest, AcceptsOnlyWhatNoOneElseMayChange) {
  const FolderJudgement judgement = JudgeFolder(GetParam().facts, GetParam().trustedUser);
  EXPECT_EQ(judgement.Verdict, GetParam().verdict);
  EXPECT_EQ(judgement.Account, GetParam().account);
}

FolderFacts With(FolderFacts facts, bool FolderFacts::*field, bool value) {
  facts.*field = value;
  return facts;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, JudgeFolderTest,
    testing::Values(
        JudgeCase{"a folder Setup made", Secured(SetupsOwn), FolderVerdict::Accepted, ""},
        JudgeCase{"with its group", Secured("O:BAG:SYD:P(A;OICI;FA;;;BA)"), FolderVerdict::Accepted, ""},
        JudgeCase{"Program Files as Windows secures it",
                  Secured("O:" + TI + "G:" + TI + "D:PAI(A;;FA;;;" + TI + ")(A;CIIO;GA;;;" + TI +
                          ")(A;;0x1301bf;;;SY)(A;OICIIO;GA;;;SY)(A;;0x1301bf;;;BA)(A;OICIIO;GA;;;BA)(A;;0x1200a9;;;BU)"
                          "(A;OICIIO;GXGR;;;BU)(A;OICIIO;GA;;;CO)(A;;0x1200a9;;;AC)(A;OICIIO;GXGR;;;AC)"),
                  FolderVerdict::Accepted, ""},
        JudgeCase{"owned by SYSTEM", Secured("O:SYD:(A;;FA;;;SY)(A;;FR;;;WD)"), FolderVerdict::Accepted, ""},
        JudgeCase{"owner written out", Secured("O:S-1-5-32-544D:(A;;FA;;;S-1-5-18)"), FolderVerdict::Accepted, ""},
        JudgeCase{"made by a user under the drive root",
                  Secured("O:" + Bob + "D:AI(A;ID;FA;;;BA)(A;ID;FA;;;SY)(A;ID;0x1301bf;;;AU)(A;ID;0x1200a9;;;BU)"),
                  FolderVerdict::ForeignOwner, Bob},
        JudgeCase{"made by an administrator under the drive root",
                  Secured("O:BAD:AI(A;ID;FA;;;BA)(A;ID;FA;;;SY)(A;ID;0x1200a9;;;BU)(A;ID;0x1301bf;;;AU)"),
                  FolderVerdict::OthersMayChange, "AU"},
        JudgeCase{"users may add files", Secured("O:BAD:(A;;FA;;;BA)(A;;0x100002;;;BU)"), FolderVerdict::OthersMayChange, "BU"},
        JudgeCase{"users may write what is made inside", Secured("O:BAD:(A;;FA;;;BA)(A;OICIIO;GW;;;BU)"),
                  FolderVerdict::OthersMayChange, "BU"},
        JudgeCase{"everyone may re-permission it", Secured("O:BAD:(A;;FA;;;BA)(A;;RCWD;;;WD)"),
                  FolderVerdict::OthersMayChange, "WD"},
        JudgeCase{"a user may delete it", Secured("O:BAD:(A;;FA;;;BA)(A;;SD;;;" + Bob + ")"),
                  FolderVerdict::OthersMayChange, Bob},
        JudgeCase{"an object entry allows writing", Secured("O:BAD:(OA;;CCDC;;;AU)"), FolderVerdict::OthersMayChange, "AU"},
        JudgeCase{"creator group passes to the group of whoever writes", Secured("O:BAD:(A;OICIIO;GA;;;CG)"),
                  FolderVerdict::OthersMayChange, "CG"},
        JudgeCase{"rights that cannot be read count as all", Secured("O:BAD:(A;;QQ;;;BU)"),
                  FolderVerdict::OthersMayChange, "BU"},
        JudgeCase{"creator owner stands for the owner", Secured("O:BAD:(A;OICIIO;FA;;;CO)(A;;FA;;;OW)"),
                  FolderVerdict::Accepted, ""},
        JudgeCase{"denials take rights away only", Secured("O:BAD:(D;;FA;;;WD)(A;;FA;;;BA)(A;;FR;;;WD)"),
                  FolderVerdict::Accepted, ""},
        JudgeCase{"no DACL lets everyone in", Secured("O:BAD:NO_ACCESS_CONTROL"), FolderVerdict::OthersMayChange, "WD"},
        JudgeCase{"a DACL that cannot be parsed", Secured("O:BAD:(A;;FA)"), FolderVerdict::OthersMayChange, "?"},
        JudgeCase{"no DACL read", Secured("O:BA"), FolderVerdict::Unreadable, ""},
        JudgeCase{"nothing read", Secured(""), FolderVerdict::Unreadable, ""},
        JudgeCase{"as Wine reports every folder",
                  Secured("O:S-1-5-21-0-0-0-1000G:S-1-5-21-0-0-0-513D:(A;OICI;FA;;;SY)(A;OICI;FA;;;S-1-5-21-0-0-0-1000)"
                          "(A;OICI;0x1200a9;;;WD)"),
                  FolderVerdict::ForeignOwner, "S-1-5-21-0-0-0-1000"},
        JudgeCase{"a known folder Windows protects", With(Secured("O:" + Bob + "D:"), &FolderFacts::TrustedKnownFolder, true),
                  FolderVerdict::Trusted, ""},
        JudgeCase{"a link, even to a known folder",
                  With(With(Secured(SetupsOwn), &FolderFacts::IsLink, true), &FolderFacts::TrustedKnownFolder, true),
                  FolderVerdict::Link, ""},
        JudgeCase{"a link on the way", With(Secured(SetupsOwn), &FolderFacts::FinalPathMatches, false),
                  FolderVerdict::Link, ""},
        JudgeCase{"a file", With(Secured(SetupsOwn), &FolderFacts::IsDirectory, false), FolderVerdict::NotAFolder, ""},
        JudgeCase{"a log of the administrator who started Setup",
                  Secured("O:" + Bob + "D:(A;;FA;;;" + Bob + ")(A;;FA;;;SY)(A;;0x1200a9;;;BU)"), FolderVerdict::Accepted, "",
                  Bob},
        JudgeCase{"a log another user made first", Secured("O:S-1-5-21-1-2-3-1002D:(A;;FA;;;S-1-5-21-1-2-3-1002)"),
                  FolderVerdict::ForeignOwner, "S-1-5-21-1-2-3-1002", Bob},
        JudgeCase{"a log the administrator owns and users may write",
                  Secured("O:" + Bob + "D:(A;;FA;;;" + Bob + ")(A;;0x1301bf;;;BU)"), FolderVerdict::OthersMayChange, "BU",
                  Bob},
        JudgeCase{"a log under Wine, of its elevated user",
                  Secured("O:S-1-5-21-0-0-0-1000G:S-1-5-21-0-0-0-513D:(A;OICI;FA;;;SY)(A;OICI;FA;;;S-1-5-21-0-0-0-1000)"
                          "(A;OICI;0x1200a9;;;WD)"),
                  FolderVerdict::Accepted, "", "S-1-5-21-0-0-0-1000"}),
    NamedByWhy());

// A few folders, every other one missing; records what was inspected.
class FakeFolders : public FolderInspector {
public:
  FakeFolders(VolumeFacts volume, std::map<std::string, FolderFacts> folders)
      : volume_(volume), folders_(std::move(folders)) {}
  VolumeFacts Volume(const std::string& root) override {
    roots.push_back(root);
    // As GetDriveType answers for a path that is no root: not a disk at all.
    const bool isRoot = root.size() == 3 || root.rfind("\\\\", 0) == 0;
    return isRoot ? volume_ : VolumeFacts{false, false};
  }
  std::optional<FolderFacts> Inspect(const std::string& folder) override {
    inspected.push_back(folder);
    const auto found = folders_.find(folder);
    if (found == folders_.end()) return std::nullopt;
    return found->second;
  }
  std::vector<std::string> roots, inspected;

private:
  VolumeFacts volume_;
  std::map<std::string, FolderFacts> folders_;
};

FolderFacts Known() { return With(Secured(""), &FolderFacts::TrustedKnownFolder, true); }
const FolderFacts UserMade = Secured("O:" + Bob + "D:(A;;FA;;;" + Bob + ")");

struct WalkCase {
  const char* why;
  std::string installDir;
  VolumeFacts volume;
  std::string refusedFolder;  // empty: accepted
  FolderVerdict verdict;
  std::string trustedUser = "";
  bool logFolder = false;  // the log's folder, which must exist
  bool shiftJis = false;   // the path's bytes in code page 932
};

class CheckInstallationFolderTest : public testing::TestWithParam<WalkCase> {};

TEST_P(CheckInstallationFolderTest, JudgesTheExistingFoldersUpToATrustedOne) {
  FakeFolders folders(GetParam().volume, {{"C:\\Program Files", Known()},
                                          {"C:\\Program Files\\Quillmark", Secured(SetupsOwn)},
                                          {"C:\\Program Files\\Users", UserMade},
                                          {"C:\\Tools", Secured(SetupsOwn)},
                                          {"C:\\Bob", UserMade},
                                          {"C:\\qmtest", UserMade},
                                          {"C:\\qmtest\\t", UserMade},
                                          {"C:\\qmtest\\t\\Program Files", Known()},
                                          {"C:\\Linked", With(Known(), &FolderFacts::FinalPathMatches, false)}});
  const WalkCase& c = GetParam();
  const std::optional<FolderRefusal> refusal =
      c.logFolder ? CheckLogFolder(c.installDir, folders, c.trustedUser)
                  : CheckInstallationFolder(c.installDir, folders, c.trustedUser,
                                            c.shiftJis ? ShiftJis() : ProgramCodePage());
  if (GetParam().refusedFolder.empty()) {
    EXPECT_FALSE(refusal) << refusal->Folder;
    return;
  }
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->Folder, GetParam().refusedFolder);
  EXPECT_EQ(refusal->Why.Verdict, GetParam().verdict);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CheckInstallationFolderTest,
    testing::Values(
        WalkCase{"new below Program Files", "C:\\Program Files\\Quillmark\\New\\", {}, "", {}},
        WalkCase{"Setup's own below Program Files", "C:\\Program Files\\Quillmark", {}, "", {}},
        WalkCase{"new below the drive root", "C:\\Quillmark\\", {}, "", {}},
        WalkCase{"new below Setup's own folder", "C:\\Tools\\Quillmark", {}, "", {}},
        WalkCase{"a user's folder", "C:\\Bob", {}, "C:\\Bob", FolderVerdict::ForeignOwner},
        WalkCase{"below a user's folder", "C:\\Bob\\Apps\\Quillmark", {}, "C:\\Bob", FolderVerdict::ForeignOwner},
        WalkCase{"a user's folder below Program Files", "C:\\Program Files\\Users\\Quillmark", {},
                 "C:\\Program Files\\Users", FolderVerdict::ForeignOwner},
        WalkCase{"a known folder below users' folders", "C:\\qmtest\\t\\Program Files\\Quillmark", {}, "", {}},
        WalkCase{"a known folder reached through a link", "C:\\Linked\\Quillmark", {}, "C:\\Linked", FolderVerdict::Link},
        WalkCase{"the drive root", "C:\\", {}, "C:\\", FolderVerdict::DriveRoot},
        WalkCase{"a network share", "\\\\srv\\share\\Quillmark", {false, true}, "\\\\srv\\share\\", FolderVerdict::NotLocal},
        WalkCase{"a drive without permissions", "C:\\Quillmark", {true, false}, "C:\\", FolderVerdict::NoPermissions},
        WalkCase{"relative", "Quillmark", {}, "Quillmark", FolderVerdict::NotAFullPath},
        WalkCase{"the log in the folder of the administrator who started Setup", "C:\\Bob", {}, "", {}, Bob, true},
        WalkCase{"the log in another user's folder", "C:\\Bob\\Logs", {}, "C:\\Bob", FolderVerdict::ForeignOwner,
                 "S-1-5-21-1-2-3-1002", true},
        WalkCase{"the log in a missing folder", "C:\\Tools\\Gone\\", {}, "C:\\Tools\\Gone", FolderVerdict::Missing, "",
                 true},
        WalkCase{"the log in a drive root", "C:\\", {}, "C:\\", FolderVerdict::DriveRoot, "", true},
        // C:\一覧表\Quillmark: the last byte of 表 (95 5C) ends no folder, so the drive is C:\.
        WalkCase{"a folder name ending in a second byte 5C", "C:\\\x88\xEA\x97\x97\x95\x5C\\Quillmark", {}, "", {},
                 "", false, true}),
    NamedByWhy());

TEST(CheckInstallationFolderTest, StopsLookingAtTheFirstMissingFolder) {
  FakeFolders folders({}, {{"C:\\Tools", Secured(SetupsOwn)}});
  EXPECT_FALSE(CheckInstallationFolder("C:\\Tools\\New\\Deeper\\Quillmark", folders));
  EXPECT_EQ(folders.roots, std::vector<std::string>{"C:\\"});
  EXPECT_EQ(folders.inspected, (std::vector<std::string>{"C:\\Tools", "C:\\Tools\\New"}));
}

TEST(FolderRefusalTextTest, NamesTheDirectoryTheFolderAndTheAccount) {
  EXPECT_EQ(FolderRefusalText("C:\\Tools\\Quillmark\\", {"C:\\Tools", {FolderVerdict::OthersMayChange, "AU"}},
                              "NT AUTHORITY\\Authenticated Users"),
            "Cannot install into C:\\Tools\\Quillmark\\: NT AUTHORITY\\Authenticated Users may change the folder "
            "C:\\Tools, not only the administrators");
  EXPECT_EQ(FolderRefusalText("C:\\Bob\\", {"C:\\Bob", {FolderVerdict::ForeignOwner, Bob}}, "PC\\bob"),
            "Cannot install into C:\\Bob\\: the folder C:\\Bob belongs to PC\\bob, not to the administrators");
}

}  // namespace
