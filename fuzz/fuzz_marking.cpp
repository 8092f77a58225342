// Feeds arbitrary bytes through decoding, lot lookup and composing, and
// traps when a result breaks what the report relies on.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "marking/chip_marking.h"
#include "marking/lot_table.h"

namespace {

void check(bool holds) {
  if (!holds) {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The input is copied into a buffer of exactly its size, so any read
  // past the end of the text is caught by AddressSanitizer.
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string_view chipStr = bytes;

  const auto marking = varnok::decodeChipStr(chipStr);
  check(marking.has_value() == (size >= varnok::kMinChipStrLength));
  if (!marking) {
    return 0;
  }
  check(marking->chipStr == chipStr);
  check(marking->lotId == chipStr.substr(varnok::kLotIdOffset, varnok::kLotIdLength));
  check(marking->serialNum ==
        chipStr.substr(varnok::kSerialNumOffset, varnok::kSerialNumMaxLength));

  const varnok::LotTable lotTable;
  const auto lotCode = lotTable.findLotCode(marking->lotId);
  if (lotCode) {
    // Every known code has two digits, so the identifier is those two
    // digits followed by the serial number, byte for byte.
    check(*lotCode >= 10 && *lotCode <= 99);
    const std::string sixDigitId = varnok::composeSixDigitId(*lotCode, marking->serialNum);
    check(sixDigitId == std::to_string(*lotCode).append(marking->serialNum));
  }
  return 0;
}
