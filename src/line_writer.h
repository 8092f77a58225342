// Line-at-a-time output to a file descriptor that remembers whether every
// byte got through.
#pragma once

#include <sys/uio.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace varnok {

// One piece of a line: a text, or an integer in plain decimal. A text piece
// refers to the caller's bytes; a number keeps its digits in the piece.
class LinePiece {
 public:
  // Implicit, so that writeLine takes texts and numbers side by side.
  LinePiece(std::string_view text) : text_(text) {}
  LinePiece(const char* text) : text_(text) {}
  LinePiece(std::int32_t number);
  LinePiece(std::size_t number);

  [[nodiscard]] std::string_view text() const;

 private:
  // Room for the longest std::size_t or std::int32_t in decimal.
  static constexpr std::size_t kMaxDigits = 20;

  std::string_view text_;
  std::array<char, kMaxDigits> digits_{};
  std::size_t digitCount_ = 0;  // a number has at least one digit
};

// Writes each line with one writev(2) when it is complete, so it reaches the
// reader at once and lines keep their order across descriptors. Nothing is
// copied or allocated: a line of any length costs the same memory. After the
// first failed write the writer stops writing and keeps that error.
class LineWriter {
 public:
  explicit LineWriter(int descriptor) : descriptor_(descriptor) {}

  // Writes the pieces one after another, then the line break. Every piece
  // lives until the call returns, temporaries included.
  template <typename... Pieces>
  void writeLine(const Pieces&... pieces) {
    const std::array<LinePiece, sizeof...(Pieces)> line{LinePiece(pieces)...};
    std::array<iovec, sizeof...(Pieces) + 1> parts{};
    for (std::size_t i = 0; i < line.size(); ++i) {
      parts[i] = toIovec(line[i].text());
    }
    parts.back() = toIovec(kLineBreak);
    writeAll(parts);
  }

  // errno of the first failed write, or 0 when everything was written.
  [[nodiscard]] int error() const { return error_; }

 private:
  static constexpr std::string_view kLineBreak = "\n";

  static iovec toIovec(std::string_view text);
  void writeAll(std::span<iovec> parts);
  // Waits until a descriptor in non-blocking mode takes bytes again.
  void waitUntilWritable();

  int descriptor_;
  int error_ = 0;
};

}  // namespace varnok
