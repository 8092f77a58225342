// Taking a chip's QR text apart into its lot and serial number, and
// composing the chip's six-digit identifier from them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace varnok {

// Byte layout of the QR text, e.g. "ZAVRO V4G35F77.118/254182":
//   bytes 0-7   not read         "ZAVRO V4"
//   bytes 8-15  lotId            "G35F77.1"
//   bytes 16-20 not read         "18/25"
//   bytes 21-24 serialNum        "4182"
//   bytes 25-   not read
inline constexpr std::size_t kLotIdOffset = 8;
inline constexpr std::size_t kLotIdLength = 8;
inline constexpr std::size_t kSerialNumOffset = 21;
inline constexpr std::size_t kSerialNumMaxLength = 4;

// The shortest text that holds the whole lotId; its serialNum is empty.
inline constexpr std::size_t kMinChipStrLength = kSerialNumOffset;

// The fields are slices of the QR text, not copies: decoding allocates
// nothing, so it works however little memory is left, and the marking is
// valid as long as the text it came from.
struct ChipMarking {
  std::string_view chipStr;    // the whole QR text, byte for byte
  std::string_view lotId;      // always kLotIdLength bytes
  std::string_view serialNum;  // 0 to kSerialNumMaxLength bytes
};

// Splits a QR text into its fields. Nothing is trimmed, case-folded or
// validated: the fields are whatever bytes stand at their positions.
// Returns nothing for a text shorter than kMinChipStrLength bytes.
std::optional<ChipMarking> decodeChipStr(std::string_view chipStr);

// The identifier: the lot code in plain decimal, then the serial number.
// At most 11 + 4 bytes, which std::string holds without allocating.
std::string composeSixDigitId(std::int32_t lotCode, std::string_view serialNum);

}  // namespace varnok
