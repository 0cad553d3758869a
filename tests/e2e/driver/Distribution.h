#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// A distribution folder of one test: Setup.exe and the packages it is given.
namespace e2e {

// The seven packages of the sample distribution: the application's first, then the six
// property-editor packages in the order of the IDE options.
extern const std::array<const char*, 7> SamplePackages;

class Distribution {
public:
  // Uses dir (created when missing) as the distribution folder.
  explicit Distribution(std::string dir);

  const std::string& Dir() const { return dir_; }  // ends in a backslash
  std::string SetupPath() const;
  std::string PathOf(const std::string& name) const;

  // The generic Setup.exe, which reads any packages beside it: what most tests lay out their own.
  void AddSetup();
  // The distribution's Setup.exe, which opens only the sample packages it pins.
  void AddPinnedSetup();
  // Setup.exe without its UTF-8 declaration: as Windows before 10 1903 run it, in the
  // system's code page.
  void AddSetupInOldCodePage();
  void AddPackage(const std::string& name);       // one sample package of the build
  void AddSamplePackages();                       // all seven
  void WriteFile(const std::string& name, const std::vector<uint8_t>& bytes);

private:
  std::string dir_;
};

// What a test expects of a package, read from the file itself independently of Setup's reader.
struct PackageFacts {
  bool Valid = false;  // signature and table readable
  std::string ProductName;
  std::string VersionText;
  int64_t TotalSize = 0;  // sum of the members' UnpackedSize
  std::vector<std::string> MemberNames;
};
PackageFacts ReadPackageFacts(const std::string& path);

}  // namespace e2e
