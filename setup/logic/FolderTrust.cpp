#include "FolderTrust.h"

#include <cstdint>
#include <cstdlib>
#include <vector>


namespace {

// Accounts that may change an installation directory, as SDDL writes them. CREATOR OWNER and
// OWNER RIGHTS stand for the owner, who must be one of the first three anyway.
const char* const Administrators[] = {"BA", "S-1-5-32-544"};
const char* const System[] = {"SY", "S-1-5-18"};
const char TrustedInstaller[] = "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";
const char* const OwnerPlaceholders[] = {"CO", "S-1-3-0", "OW", "S-1-3-4"};

// Write data or add files, append or add folders, write extended attributes, delete children,
// write attributes, delete, change permissions or owner; the generic rights that include them.
constexpr uint32_t ChangingRights = 0x2 | 0x4 | 0x10 | 0x40 | 0x100 | 0x10000 | 0x40000 | 0x80000 |
                                    0x01000000 | 0x02000000 | 0x10000000 | 0x40000000;

template <size_t N>
bool OneOf(const std::string& sid, const char* const (&sids)[N]) {
  for (const char* known : sids)
    if (sid == known) return true;
  return false;
}

bool MayOwn(const std::string& sid, const std::string& trustedUser) {
  return OneOf(sid, Administrators) || OneOf(sid, System) || sid == TrustedInstaller ||
         (!trustedUser.empty() && sid == trustedUser);
}

bool MayChange(const std::string& sid, const std::string& trustedUser) {
  return MayOwn(sid, trustedUser) || OneOf(sid, OwnerPlaceholders);
}

// A SID after "O:" or at the end of an ACE: "S-1-..." or two capital letters.
std::string ReadSid(const std::string& text, size_t& at) {
  const size_t start = at;
  if (text.compare(at, 2, "S-") == 0) {
    at += 2;
    while (at < text.size() && ((text[at] >= '0' && text[at] <= '9') || text[at] == '-')) ++at;
  } else {
    while (at < text.size() && at - start < 2 && text[at] >= 'A' && text[at] <= 'Z') ++at;
  }
  return text.substr(start, at - start);
}

// An ACE's rights: a number ("0x1301bf") or two-letter codes ("GXGR", "FA"). What cannot be
// read counts as every right.
uint32_t ParseRights(const std::string& rights) {
  if (rights.empty()) return 0xFFFFFFFF;
  if (rights[0] >= '0' && rights[0] <= '9') {
    char* end = nullptr;
    const unsigned long mask = std::strtoul(rights.c_str(), &end, 0);
    return *end == '\0' ? static_cast<uint32_t>(mask) : 0xFFFFFFFF;
  }
  static const struct {
    const char* Code;
    uint32_t Mask;
  } codes[] = {{"GA", 0x10000000}, {"GR", 0x80000000}, {"GW", 0x40000000}, {"GX", 0x20000000},
               {"RC", 0x20000},    {"SD", 0x10000},    {"WD", 0x40000},    {"WO", 0x80000},
               {"RP", 0x10},       {"WP", 0x20},       {"CC", 0x1},        {"DC", 0x2},
               {"LC", 0x4},        {"SW", 0x8},        {"LO", 0x80},       {"DT", 0x40},
               {"CR", 0x100},      {"FA", 0x1F01FF},   {"FR", 0x120089},   {"FW", 0x120116},
               {"FX", 0x1200A0},   {"KA", 0xF003F},    {"KR", 0x20019},    {"KW", 0x20006},
               {"KX", 0x20019}};
  if (rights.size() % 2 != 0) return 0xFFFFFFFF;
  uint32_t mask = 0;
  for (size_t at = 0; at < rights.size(); at += 2) {
    bool known = false;
    for (const auto& code : codes) {
      if (rights.compare(at, 2, code.Code) == 0) {
        mask |= code.Mask;
        known = true;
      }
    }
    if (!known) return 0xFFFFFFFF;
  }
  return mask;
}

std::vector<std::string> Fields(const std::string& ace) {
  std::vector<std::string> fields(1);
  for (const char c : ace) {
    if (c == ';')
      fields.emplace_back();
    else
      fields.back() += c;
  }
  return fields;
}

// The first account, besides those that may change the folder, that the DACL lets write, delete
// or re-permission it or what is made in it (inherit-only entries too: they pass to the files
// Setup writes there). Deny entries only take rights away. Empty when there is none.
std::string AccountThatMayChange(const std::string& dacl, const std::string& trustedUser) {
  if (dacl.compare(0, 17, "NO_ACCESS_CONTROL") == 0) return "WD";  // no DACL at all: everyone
  for (size_t open = dacl.find('('); open != std::string::npos; open = dacl.find('(', open + 1)) {
    const size_t close = dacl.find(')', open);
    const std::vector<std::string> fields =
        Fields(dacl.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1));
    if (fields.size() < 6) return "?";
    const std::string& type = fields[0];
    const bool allows = type == "A" || type == "OA" || type == "XA" || type == "ZA";
    if (allows && (ParseRights(fields[2]) & ChangingRights) && !MayChange(fields[5], trustedUser)) return fields[5];
  }
  return std::string();
}

}  // namespace

FolderJudgement JudgeFolder(const FolderFacts& facts, const std::string& trustedUser) {
  if (!facts.IsDirectory) return {FolderVerdict::NotAFolder, ""};
  if (facts.IsLink || !facts.FinalPathMatches) return {FolderVerdict::Link, ""};
  if (facts.TrustedKnownFolder) return {FolderVerdict::Trusted, ""};
  const std::string& sddl = facts.Sddl;
  size_t at = sddl.find("O:");
  const size_t daclAt = sddl.find("D:");
  if (at == std::string::npos || daclAt == std::string::npos) return {FolderVerdict::Unreadable, ""};
  at += 2;
  const std::string owner = ReadSid(sddl, at);
  if (!MayOwn(owner, trustedUser)) return {FolderVerdict::ForeignOwner, owner};
  const size_t saclAt = sddl.find("S:", daclAt);
  const std::string account =
      AccountThatMayChange(sddl.substr(daclAt + 2, saclAt == std::string::npos ? std::string::npos : saclAt - daclAt - 2),
                           trustedUser);
  if (!account.empty()) return {FolderVerdict::OthersMayChange, account};
  return {FolderVerdict::Accepted, ""};
}

namespace {

struct FolderWalk {
  std::optional<FolderRefusal> Refusal;
  std::vector<std::string> Levels;  // the folders of the path below its root
  size_t Existing = 0;              // how many of them exist, from the root down
};

// Checks the drive, then opens the existing folders of the path from the root down (stopping at
// the first missing one) and judges them from the deepest up to the nearest trusted folder.
FolderWalk WalkFolders(const std::string& text, const std::optional<InstallDirectory>& dir, FolderInspector& inspector,
                       const std::string& trustedUser) {
  FolderWalk walk;
  if (!dir) {
    walk.Refusal = FolderRefusal{text, {FolderVerdict::NotAFullPath, ""}};
    return walk;
  }
  walk.Levels = dir->Levels;
  const std::vector<std::string>& levels = walk.Levels;
  const VolumeFacts volume = levels.empty() ? VolumeFacts() : inspector.Volume(dir->Root);
  if (levels.empty()) walk.Refusal = FolderRefusal{dir->Root, {FolderVerdict::DriveRoot, ""}};
  else if (!volume.Local) walk.Refusal = FolderRefusal{dir->Root, {FolderVerdict::NotLocal, ""}};
  else if (!volume.PersistentAcls) walk.Refusal = FolderRefusal{dir->Root, {FolderVerdict::NoPermissions, ""}};
  if (walk.Refusal) return walk;

  std::vector<std::pair<std::string, FolderFacts>> existing;
  for (const std::string& level : levels) {
    std::optional<FolderFacts> facts = inspector.Inspect(level);
    if (!facts) break;
    existing.emplace_back(level, *facts);
  }
  walk.Existing = existing.size();
  for (auto level = existing.rbegin(); level != existing.rend(); ++level) {
    const FolderJudgement judgement = JudgeFolder(level->second, trustedUser);
    if (judgement.Verdict == FolderVerdict::Trusted) break;
    if (judgement.Verdict != FolderVerdict::Accepted) {
      walk.Refusal = FolderRefusal{level->first, judgement};
      break;
    }
  }
  return walk;
}

}  // namespace

std::optional<FolderRefusal> CheckInstallationFolder(const InstallDirectory& installDir, FolderInspector& inspector,
                                                     const std::string& trustedUser) {
  return WalkFolders(installDir.Path, installDir, inspector, trustedUser).Refusal;
}

std::optional<FolderRefusal> CheckInstallationFolder(const std::string& installDir, FolderInspector& inspector,
                                                     const std::string& trustedUser, const CodePage& page) {
  return WalkFolders(installDir, RootedDirectory(installDir, page), inspector, trustedUser).Refusal;
}

std::optional<FolderRefusal> CheckLogFolder(const std::string& logFolder, FolderInspector& inspector,
                                            const std::string& trustedUser) {
  const FolderWalk walk = WalkFolders(logFolder, RootedDirectory(logFolder), inspector, trustedUser);
  if (walk.Refusal) return walk.Refusal;
  // Setup makes no folder for its log: one that is missing is said as such.
  if (walk.Existing < walk.Levels.size()) return FolderRefusal{walk.Levels[walk.Existing], {FolderVerdict::Missing, ""}};
  return std::nullopt;
}

std::string FolderRefusalText(const std::string& installDir, const FolderRefusal& refusal, const std::string& account) {
  return "Cannot install into " + installDir + ": " + FolderRefusalReason(refusal, account);
}

std::string FolderRefusalReason(const FolderRefusal& refusal, const std::string& account) {
  const std::string& folder = refusal.Folder;
  const std::string it = (refusal.IsFile ? "the file " : "the folder ") + folder;
  switch (refusal.Why.Verdict) {
    case FolderVerdict::NotAFullPath: return "it is not a full path (C:\\...)";
    case FolderVerdict::DriveRoot: return "it is the root folder of a drive";
    case FolderVerdict::NotLocal: return "the drive " + folder + " is not a local disk of this computer";
    case FolderVerdict::NoPermissions:
      return "the drive " + folder + " keeps no permissions, so that any user could change what Setup puts there";
    case FolderVerdict::NotAFolder: return folder + " is a file";
    case FolderVerdict::Missing: return "the folder " + folder + " does not exist";
    case FolderVerdict::Link: return it + " is a junction or symbolic link, or lies behind one";
    case FolderVerdict::Unreadable: return "the permissions of " + it + " cannot be read";
    case FolderVerdict::ForeignOwner:
      return it + " belongs to " + account + ", not to the administrators";
    case FolderVerdict::OthersMayChange:
      return account + " may change " + it + ", not only the administrators";
    case FolderVerdict::Accepted:
    case FolderVerdict::Trusted: break;
  }
  return it + " is not Setup's own";
}

