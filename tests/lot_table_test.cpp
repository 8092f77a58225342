#include "marking/lot_table.h"

#include <gtest/gtest.h>

#include <array>
#include <string_view>

namespace varnok {
namespace {

// Written out independently of the program's table, so a wrong or missing
// row there shows here.
constexpr auto kExpectedRows = std::to_array<LotRow>({
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
});

constexpr auto kNearMisses = std::to_array<std::string_view>({
    "G39B57.2",   // no ".2" row for this lot
    "G35F71.1",   // just below the run 72..85
    "G35F86.1",   // just above it
    "g35f72.1",   // a known lot in lower case
    "G35F72.1 ",  // trailing space
    " G35F72.1",  // leading space
    "G35F72.3",   // last byte differs
    "G35F84.2",   // ".2" of a lot that only has ".1"
    "G35F72.",    // a prefix of a row
    "G35F72.10",  // a row as a prefix
    "",
    "G35F7\xC3\xA9.1",  // bytes above 0x7F
});

void expectEveryRowFound(const LotTable& table) {
  for (const auto& row : kExpectedRows) {
    EXPECT_EQ(table.findLotCode(row.lotId), row.lotCode) << row.lotId;
  }
}

TEST(LotTable, FindsTheCodeOfEveryKnownLot) { expectEveryRowFound(LotTable{}); }

TEST(LotTable, FindsOnlyExactByteWiseMatches) {
  const LotTable table;
  for (const auto lotId : kNearMisses) {
    EXPECT_EQ(table.findLotCode(lotId), std::nullopt) << '"' << lotId << '"';
  }
  // A miss neither adds a row nor disturbs the others.
  expectEveryRowFound(table);
  for (const auto lotId : kNearMisses) {
    EXPECT_EQ(table.findLotCode(lotId), std::nullopt) << '"' << lotId << '"';
  }
}

}  // namespace
}  // namespace varnok
