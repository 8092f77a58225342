#include "marking/chip_marking.h"

namespace varnok {

std::optional<ChipMarking> decodeChipStr(std::string_view chipStr) {
  if (chipStr.size() < kMinChipStrLength) {
    return std::nullopt;
  }
  return ChipMarking{
      .chipStr = chipStr,
      .lotId = chipStr.substr(kLotIdOffset, kLotIdLength),
      // substr stops at the end of the text, so a 21- to 24-byte text
      // yields a shorter serial number rather than reading past its end.
      .serialNum = chipStr.substr(kSerialNumOffset, kSerialNumMaxLength),
  };
}

std::string composeSixDigitId(std::int32_t lotCode, std::string_view serialNum) {
  // std::to_string writes plain decimal, without padding, whatever the locale.
  std::string sixDigitId = std::to_string(lotCode);
  sixDigitId += serialNum;
  return sixDigitId;
}

}  // namespace varnok
