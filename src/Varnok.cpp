// Varnok.exe: prints a chip's six-digit identifier from its QR text.
//
//   stdout  " chipStr <text> lot-id <lotId> serialNum <serialNum>"
//           " 6-digit-id: <lotCode><serialNum>"   (known lot)
//   stderr  " unknown lot! "                      (unknown lot)
//
// Exit status: 0 after a report, known lot or not, and after --help or
// --version; 1 for a QR text too short to hold its fields or when standard
// output could not be written; 255 without an argument.

#include <unistd.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

#include "help_text.h"
#include "line_writer.h"
#include "marking/chip_marking.h"
#include "marking/lot_table.h"

namespace {

using varnok::LineWriter;

constexpr std::string_view kSyntax = "Syntax should be:\n./Varnok.exe QRCode";
constexpr std::string_view kExample = "Example:\n./Varnok.exe \"ZAVRO V4G35F77.118/254182\"";

// The usage text names the tool ./Varnok.exe whatever it was started as.
void writeSyntaxAndExample(LineWriter& err) {
  err.writeLine(kSyntax);
  err.writeLine(kExample);
}

int reportMissingArgument(LineWriter& err, int argc) {
  err.writeLine("not enough arguments: argc = ", argc);
  writeSyntaxAndExample(err);
  return -1;  // seen by the caller as exit status 255
}

int reportTooShort(LineWriter& err, std::size_t length) {
  err.writeLine("QR code too short: ", length, " bytes, expected at least ",
                varnok::kMinChipStrLength);
  writeSyntaxAndExample(err);
  return 1;
}

void reportChip(LineWriter& out, LineWriter& err, const varnok::ChipMarking& marking,
                const varnok::LotTable& lotTable) {
  // The fields line comes first, so it stands for unknown lots too.
  out.writeLine(" chipStr ", marking.chipStr, " lot-id ", marking.lotId, " serialNum ",
                marking.serialNum);
  if (const auto lotCode = lotTable.findLotCode(marking.lotId)) {
    out.writeLine(" 6-digit-id: ", varnok::composeSixDigitId(*lotCode, marking.serialNum));
  } else {
    err.writeLine(" unknown lot! ");
  }
}

// --help and --version count only as the whole first argument: no QR text
// is that short, and any other short text stays a QR text that is too short.
bool writeHelpOrVersion(LineWriter& out, std::string_view argument) {
  if (argument == "--help") {
    out.writeLine(varnok::kHelpText);
    return true;
  }
  if (argument == "--version") {
    out.writeLine("Varnok.exe ", VARNOK_VERSION);
    out.writeLine(varnok::kCopyrightLine);
    return true;
  }
  return false;
}

int run(std::string_view argument, LineWriter& out, LineWriter& err) {
  if (writeHelpOrVersion(out, argument)) {
    return 0;
  }
  const varnok::LotTable lotTable;
  const auto marking = varnok::decodeChipStr(argument);
  if (!marking) {
    return reportTooShort(err, argument.size());
  }
  reportChip(out, err, *marking, lotTable);
  return 0;
}

// What reached standard output decides the status: a report that never got
// to its reader is not a success.
int checkStandardOutput(LineWriter& out, LineWriter& err, int status) {
  if (out.error() == 0) {
    return status;
  }
  err.writeLine("error writing standard output: ", std::strerror(out.error()));
  return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  LineWriter out(STDOUT_FILENO);
  LineWriter err(STDERR_FILENO);
  const int status = argc <= 1 ? reportMissingArgument(err, argc) : run(argv[1], out, err);
  return checkStandardOutput(out, err, status);
}
