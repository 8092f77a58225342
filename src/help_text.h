// What --help and --version print.
#pragma once

#include <string_view>

namespace varnok {

inline constexpr std::string_view kHelpText =
    "Usage: Varnok.exe QRCode\n"
    "       Varnok.exe --help | --version\n"
    "Print a chip's six-digit identifier from the text decoded from its QR code.\n"
    "\n"
    "The QR text is read as bytes, counted from 0; nothing in it is trimmed,\n"
    "case-folded or validated:\n"
    "  bytes 8-15    the lot id, which must be one of seventeen known lots exactly\n"
    "  bytes 21-24   the serial number (fewer bytes when the text ends sooner)\n"
    "\n"
    "Standard output gets the fields line, then the identifier line: the lot's\n"
    "two-digit code followed by the serial number.\n"
    "   chipStr QRCODE lot-id LOTID serialNum SERIAL\n"
    "   6-digit-id: CODESERIAL\n"
    "When the lot is not known, \" unknown lot! \" goes to standard error instead\n"
    "of the identifier line. Arguments after the first are ignored.\n"
    "\n"
    "Exit status:\n"
    "  0    the fields line was written, whether the lot was known or not;\n"
    "       or --help or --version printed what they print\n"
    "  1    the QR text is shorter than 21 bytes, or standard output could not\n"
    "       be written\n"
    "  255  no argument\n"
    "\n"
    "Example:\n"
    "  ./Varnok.exe \"ZAVRO V4G35F77.118/254182\"\n"
    "   chipStr ZAVRO V4G35F77.118/254182 lot-id G35F77.1 serialNum 4182\n"
    "   6-digit-id: 774182\n"
    "\n"
    "--help and --version count only as the whole first argument.\n"
    "Full documentation: man Varnok.exe";

inline constexpr std::string_view kCopyrightLine =
    "Copyright (c) 2026 the Varnok authors. Released under the MIT License.";

}  // namespace varnok
