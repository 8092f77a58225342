#include "marking/lot_table.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace varnok {
namespace {

template <std::size_t RowCount>
constexpr std::array<LotRow, RowCount> sortedByLotId(std::array<LotRow, RowCount> rows) {
  std::ranges::sort(rows, {}, &LotRow::lotId);
  return rows;
}

// Rows in the order they were entered; sorted once, at compile time.
// Every code but the last equals bytes 4-5 of its lotId; "G35F83.2" is the
// exception, which is why the codes are stored rather than derived.
constexpr auto kKnownLots = sortedByLotId(std::to_array<LotRow>({
    {"G35F72.1", 72},
    {"G35F73.1", 73},
    {"G35F74.1", 74},
    {"G35F75.1", 75},
    {"G35F76.1", 76},
    {"G35F77.1", 77},
    {"G35F78.1", 78},
    {"G35F79.1", 79},
    {"G35F80.1", 80},
    {"G35F81.1", 81},
    {"G35F82.1", 82},
    {"G35F83.1", 83},
    {"G35F84.1", 84},
    {"G35F85.1", 85},
    {"G39B57.1", 57},
    {"G39B58.1", 58},
    {"G35F83.2", 99},
}));

// Binary search below needs strictly ascending keys: sorted and unique.
static_assert(std::ranges::adjacent_find(kKnownLots, std::ranges::greater_equal{},
                                         &LotRow::lotId) == kKnownLots.end(),
              "lot ids must be unique");

}  // namespace

LotTable::LotTable() : rows_(kKnownLots) {}

std::optional<std::int32_t> LotTable::findLotCode(std::string_view lotId) const {
  // string_view compares byte-wise (char_traits<char> compares as unsigned
  // char), so this order matches the order the rows were sorted in.
  const auto row = std::ranges::lower_bound(rows_, lotId, {}, &LotRow::lotId);
  if (row == rows_.end() || row->lotId != lotId) {
    return std::nullopt;
  }
  return row->lotCode;
}

}  // namespace varnok
