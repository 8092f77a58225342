#include "marking/chip_marking.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace varnok {
namespace {

using namespace std::string_literals;

struct DecodeCase {
  std::string_view name;
  std::string chipStr;
  std::string lotId;
  std::string serialNum;
};

TEST(DecodeChipStr, TakesFieldsFromFixedBytePositions) {
  const auto cases = std::to_array<DecodeCase>({
      {"usage example, 25 bytes", "ZAVRO V4G35F77.118/254182", "G35F77.1", "4182"},
      {"bytes from 25 on are ignored", "ZAVRO V4G35F77.118/254182XYZWQ", "G35F77.1", "4182"},
      {"23 bytes give a two-byte serial", "ZAVRO V4G35F77.118/2541", "G35F77.1", "41"},
      {"21 bytes give an empty serial", "ZAVRO V4G35F77.118/25", "G35F77.1", ""},
      {"letters in the serial are kept", "ZAVRO V4G35F77.118/25AbC-", "G35F77.1", "AbC-"},
      {"a leading space shifts every field", " ZAVRO V4G35F77.118/254182", "4G35F77.", "5418"},
      {"a missing first byte shifts the other way", "AVRO V4G35F77.118/254182x", "35F77.11",
       "182x"},
      {"a two-byte UTF-8 character counts as two bytes", "ZAVRO \xC3\x84G35F77.118/254182",
       "G35F77.1", "4182"},
      {"no byte is validated", "ZAVRO V4g35f77 1\xFF\xFE/25\t 0\x01", "g35f77 1", "\t 0\x01"},
      {"an embedded NUL is just a byte",
       "ZAVRO V4G35\0"
       "77.118/254182"s,
       "G35\0"
       "77.1"s,
       "4182"},
  });
  for (const auto& entry : cases) {
    SCOPED_TRACE(entry.name);
    const auto marking = decodeChipStr(entry.chipStr);
    ASSERT_TRUE(marking.has_value());
    EXPECT_EQ(marking->chipStr, entry.chipStr);
    EXPECT_EQ(marking->lotId, entry.lotId);
    EXPECT_EQ(marking->serialNum, entry.serialNum);
  }
}

TEST(DecodeChipStr, RefusesEveryTextShorterThanTwentyOneBytes) {
  const std::string example = "ZAVRO V4G35F77.118/254182";
  for (std::size_t length = 0; length <= example.size(); ++length) {
    // A heap copy of exactly `length` bytes: under AddressSanitizer any read
    // past the end of the text is caught.
    const std::vector<char> text(example.begin(),
                                 example.begin() + static_cast<std::ptrdiff_t>(length));
    EXPECT_EQ(decodeChipStr({text.data(), text.size()}).has_value(), length >= 21)
        << "length " << length;
  }
}

TEST(ComposeSixDigitId, PutsCodeThenSerialWithoutPaddingOrSeparator) {
  struct ComposeCase {
    std::int32_t lotCode;
    std::string_view serialNum;
    std::string_view sixDigitId;
  };
  const auto cases = std::to_array<ComposeCase>({
      {77, "4182", "774182"},
      {99, "", "99"},
      {57, "41", "5741"},
      {83, "0007", "830007"},
      {72, "AbC-", "72AbC-"},
      {5, "1234", "51234"},
  });
  for (const auto& entry : cases) {
    EXPECT_EQ(composeSixDigitId(entry.lotCode, entry.serialNum), entry.sixDigitId)
        << entry.lotCode << " + \"" << entry.serialNum << '"';
  }
}

}  // namespace
}  // namespace varnok
