#include "driver/Distribution.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "driver/Files.h"

namespace e2e {

const std::array<const char*, 7> SamplePackages = {"Quillmk.pak",  "Delphi10.pak", "Delphi20.pak", "Delphi30.pak",
                                                   "Delphi40.pak", "BCB10.pak",    "BCB30.pak"};

Distribution::Distribution(std::string dir) : dir_(WithBackslash(dir)) { CreateDirectories(dir_); }

std::string Distribution::SetupPath() const { return PathOf("Setup.exe"); }

std::string Distribution::PathOf(const std::string& name) const { return dir_ + name; }

void Distribution::AddSetup() { CopyOneFile(BuiltGenericSetup(), SetupPath()); }

void Distribution::AddPinnedSetup() { CopyOneFile(BuildDistDir() + "Setup.exe", SetupPath()); }

namespace {
// Windows calls it with its own convention (stdcall in 32-bit code): never a plain lambda.
BOOL CALLBACK FirstLanguage(HMODULE, LPCSTR, LPCSTR, WORD found, LONG_PTR language) {
  *reinterpret_cast<WORD*>(language) = found;
  return FALSE;
}
}  // namespace

void Distribution::AddSetupInOldCodePage() {
  AddSetup();
  const std::string path = SetupPath();
  std::string manifest;
  WORD language = 0;
  if (HMODULE image = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
    EnumResourceLanguagesA(image, MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1), FirstLanguage,
                           reinterpret_cast<LONG_PTR>(&language));
    if (HRSRC resource = FindResourceExA(image, MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1), language))
      manifest.assign(static_cast<const char*>(LockResource(LoadResource(image, resource))), SizeofResource(image, resource));
    FreeLibrary(image);
  }
  const size_t start = manifest.find("<activeCodePage");
  const size_t end = manifest.find("</activeCodePage>");
  ASSERT_TRUE(start != std::string::npos && end != std::string::npos) << "no UTF-8 declaration in " << path;
  manifest.erase(start, end + 17 - start);
  HANDLE update = BeginUpdateResourceA(path.c_str(), FALSE);
  ASSERT_NE(update, nullptr);
  ASSERT_TRUE(UpdateResourceA(update, MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1), language, manifest.data(),
                              static_cast<DWORD>(manifest.size())));
  ASSERT_TRUE(EndUpdateResourceA(update, FALSE));
}

void Distribution::AddPackage(const std::string& name) { CopyOneFile(BuildDistDir() + name, PathOf(name)); }

void Distribution::AddSamplePackages() {
  for (const char* name : SamplePackages) AddPackage(name);
}

void Distribution::WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
  WriteFileBytes(PathOf(name), bytes);
}

namespace {

// Sequential little-endian reads over an image; any read past the end marks it failed.
class ImageReader {
public:
  explicit ImageReader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
  bool Failed() const { return failed_; }
  uint8_t Byte() { return Take(1) ? bytes_[pos_ - 1] : 0; }
  int32_t Int32() {
    if (!Take(4)) return 0;
    const uint8_t* p = &bytes_[pos_ - 4];
    return static_cast<int32_t>(p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24);
  }
  std::string Text(size_t length) {
    if (!Take(length)) return std::string();
    return std::string(bytes_.begin() + (pos_ - length), bytes_.begin() + pos_);
  }

private:
  bool Take(size_t count) {
    if (failed_ || bytes_.size() - pos_ < count) {
      failed_ = true;
      return false;
    }
    pos_ += count;
    return true;
  }
  const std::vector<uint8_t>& bytes_;
  size_t pos_ = 0;
  bool failed_ = false;
};

}  // namespace

PackageFacts ReadPackageFacts(const std::string& path) {
  const std::vector<uint8_t> bytes = ReadFileBytes(path);
  PackageFacts facts;
  ImageReader in(bytes);
  if (in.Text(5) != "PWPAK") return facts;
  in.Text(2);
  facts.ProductName = in.Text(static_cast<uint32_t>(in.Int32()));
  facts.VersionText = in.Text(static_cast<uint32_t>(in.Int32()));
  const bool hasExtraText = in.Byte() != 0;
  const int32_t count = in.Int32();
  for (int32_t i = 0; i < count && !in.Failed(); ++i) {
    facts.MemberNames.push_back(in.Text(in.Byte()));
    if (hasExtraText) in.Text(in.Byte());
    in.Int32();
    facts.TotalSize += in.Int32();
    in.Text(16);
  }
  facts.Valid = !in.Failed();
  return facts;
}

}  // namespace e2e
