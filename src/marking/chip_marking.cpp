#include "marking/chip_marking.h"

#include <array>
#include <charconv>
#include <limits>

namespace varnok {

std::optional<ChipMarking> decodeChipStr(std::string_view chipStr) {
  if (chipStr.size() < kMinChipStrLength) {
    return std::nullopt;
  }
  return ChipMarking{
      .chipStr = std::string(chipStr),
      .lotId = std::string(chipStr.substr(kLotIdOffset, kLotIdLength)),
      // substr stops at the end of the text, so a 21- to 24-byte text
      // yields a shorter serial number rather than reading past its end.
      .serialNum = std::string(chipStr.substr(kSerialNumOffset, kSerialNumMaxLength)),
  };
}

std::string composeSixDigitId(std::int32_t lotCode, std::string_view serialNum) {
  // Room for the sign and every digit of the widest int32.
  std::array<char, std::numeric_limits<std::int32_t>::digits10 + 2> digits{};
  // The buffer is wide enough for any int32, so to_chars cannot fail.
  char* end = std::to_chars(digits.data(), digits.data() + digits.size(), lotCode).ptr;
  std::string sixDigitId(digits.data(), end);
  sixDigitId += serialNum;
  return sixDigitId;
}

}  // namespace varnok
