#include "RecordText.h"

#include <gtest/gtest.h>

namespace {

std::vector<uint8_t> Bytes(std::initializer_list<int> values) {
  std::vector<uint8_t> bytes;
  for (int v : values) bytes.push_back(static_cast<uint8_t>(v));
  return bytes;
}

TEST(RecordText, EncodesLengthByteAndCharactersWithoutTerminator) {
  EXPECT_EQ(EncodeRecordText(""), Bytes({0}));
  EXPECT_EQ(EncodeRecordText("C:\\"), Bytes({3, 'C', ':', '\\'}));

  const std::vector<uint8_t> longest = EncodeRecordText(std::string(300, 'd'));
  ASSERT_EQ(longest.size(), 256u);
  EXPECT_EQ(longest[0], 255);
  EXPECT_EQ(longest[255], 'd');

  // 256 bytes: the last "ü" would be split, so it goes whole.
  std::string umlauts = "xy";
  for (int i = 0; i < 127; ++i) umlauts += "ü";
  const std::vector<uint8_t> cut = EncodeRecordText(umlauts);
  EXPECT_EQ(cut[0], 254);
  EXPECT_EQ(std::string(cut.begin() + 1, cut.end()), umlauts.substr(0, 254));

  const std::vector<uint8_t> version = EncodeRecordText(std::string(40, 'v'), RecordVersionMax);
  EXPECT_EQ(version.size(), 33u);
  EXPECT_EQ(version[0], 32);
}

TEST(RecordText, DecodesOnlyTheBytesRead) {
  struct Case {
    std::vector<uint8_t> bytes;
    size_t maxLength;
    std::string expected;
  };
  const Case cases[] = {
      {{}, 255, ""},
      {Bytes({0}), 255, ""},
      {Bytes({2, 'a', 'b'}), 255, "ab"},
      {Bytes({2, 'a', 'b', 'c'}), 255, "ab"},      // bytes beyond the length are ignored
      {Bytes({9, 'a', 'b'}), 255, "ab"},           // a length beyond the value stops at its end
      {Bytes({5, '1', '.', '2', '3', '4'}), 3, "1.2"},  // a long version is cut when read
      {Bytes({4, 'a', 0xC3, 0xBC, 'b'}), 2, "a"},       // never inside a character
      {Bytes({3, 'a', 0xC3}), 255, "a"},                // nor where the value ends early
      {Bytes({2, 'a', 0xFC}), 255, "a\xFC"},            // an earlier code page's text read whole
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeRecordText(c.bytes, c.maxLength), c.expected);

  const std::string text(255, 'x');
  EXPECT_EQ(DecodeRecordText(EncodeRecordText(text)), text);
}

// Start-up reads "Version" through 33 bytes: a longer value is no installation, never cut.
TEST(RecordText, VersionOfAtMost32CharactersIsKeptLongerIsNone) {
  const std::string v32(32, '9');
  EXPECT_EQ(DecodeRecordVersion(EncodeRecordText(v32)), v32);
  EXPECT_EQ(DecodeRecordVersion(Bytes({3, '1', '.', '0'})), "1.0");
  EXPECT_EQ(DecodeRecordVersion(Bytes({})), "");
  std::vector<uint8_t> v33 = EncodeRecordText(v32 + "9");
  EXPECT_EQ(DecodeRecordVersion(v33), std::nullopt);
  EXPECT_EQ(DecodeRecordVersion(EncodeRecordText(std::string(200, '1'))), std::nullopt);
  v33.pop_back();  // 33 bytes, but the length byte claims a 33rd character
  EXPECT_EQ(DecodeRecordVersion(v33), std::nullopt);
}

}  // namespace
