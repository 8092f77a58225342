// The fixed table of known lots and the two-digit code of each.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace varnok {

struct LotRow {
  std::string_view lotId;
  std::int32_t lotCode;
};

// A read-only view of the seventeen known lots, ordered byte-wise by lotId.
// Building one costs nothing: the rows are a constant of the program.
class LotTable {
 public:
  LotTable();

  // The code of exactly this lotId: byte for byte, case-sensitive, no
  // prefix match and no fallback between ".1" and ".2" lots.
  [[nodiscard]] std::optional<std::int32_t> findLotCode(std::string_view lotId) const;

 private:
  std::span<const LotRow> rows_;
};

}  // namespace varnok
