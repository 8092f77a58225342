// Varnok.exe: prints a chip's six-digit identifier from its QR text.
//
//   stdout  " chipStr <text> lot-id <lotId> serialNum <serialNum>"
//           " 6-digit-id: <lotCode><serialNum>"   (known lot)
//   stderr  " unknown lot! "                      (unknown lot)
//
// Exit status: 0 after a report, known lot or not; 1 for a QR text too
// short to hold its fields or when standard output could not be written;
// 255 without an argument.

#include <unistd.h>

#include <cstddef>
#include <cstring>
#include <string_view>

#include "line_writer.h"
#include "marking/chip_marking.h"
#include "marking/lot_table.h"

namespace {

using varnok::LineWriter;

constexpr std::string_view kSyntax = "Syntax should be:\n./Varnok.exe QRCode";
constexpr std::string_view kExample = "Example:\n./Varnok.exe \"ZAVRO V4G35F77.118/254182\"";

// The usage text names the tool ./Varnok.exe whatever it was started as.
void writeSyntaxAndExample(LineWriter& err) {
  err << kSyntax;
  err.endLine();
  err << kExample;
  err.endLine();
}

int reportMissingArgument(LineWriter& err, int argc) {
  err << "not enough arguments: argc = " << argc;
  err.endLine();
  writeSyntaxAndExample(err);
  return -1;  // seen by the caller as exit status 255
}

int reportTooShort(LineWriter& err, std::size_t length) {
  err << "QR code too short: " << length << " bytes, expected at least "
      << varnok::kMinChipStrLength;
  err.endLine();
  writeSyntaxAndExample(err);
  return 1;
}

void reportChip(LineWriter& out, LineWriter& err, const varnok::ChipMarking& marking,
                const varnok::LotTable& lotTable) {
  // The fields line comes first, so it stands for unknown lots too.
  out << " chipStr " << marking.chipStr << " lot-id " << marking.lotId << " serialNum "
      << marking.serialNum;
  out.endLine();
  if (const auto lotCode = lotTable.findLotCode(marking.lotId)) {
    out << " 6-digit-id: " << varnok::composeSixDigitId(*lotCode, marking.serialNum);
    out.endLine();
  } else {
    err << " unknown lot! ";
    err.endLine();
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  LineWriter out(STDOUT_FILENO);
  LineWriter err(STDERR_FILENO);
  if (argc <= 1) {
    return reportMissingArgument(err, argc);
  }
  const varnok::LotTable lotTable;
  const std::string_view chipStr = argv[1];
  const auto marking = varnok::decodeChipStr(chipStr);
  if (!marking) {
    return reportTooShort(err, chipStr.size());
  }
  reportChip(out, err, *marking, lotTable);
  // A report that never reached its reader is not a success.
  if (out.error() != 0) {
    err << "error writing standard output: " << std::strerror(out.error());
    err.endLine();
    return 1;
  }
  return 0;
}
