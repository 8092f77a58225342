// Line-at-a-time output to a file descriptor that remembers whether every
// byte got through.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace varnok {

// Collects the pieces of one line and writes the whole line with write(2)
// when it ends, so each line reaches the reader as soon as it is complete
// and in the order lines are ended across descriptors. After the first
// failed write the writer stops writing and keeps that error.
class LineWriter {
 public:
  explicit LineWriter(int descriptor) : descriptor_(descriptor) {}

  LineWriter& operator<<(std::string_view piece);
  LineWriter& operator<<(std::int32_t number);
  LineWriter& operator<<(std::size_t number);

  // Appends the line break and writes the line out.
  void endLine();

  // errno of the first failed write, or 0 when everything was written.
  [[nodiscard]] int error() const { return error_; }

 private:
  int descriptor_;
  int error_ = 0;
  std::string line_;
};

}  // namespace varnok
