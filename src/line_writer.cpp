#include "line_writer.h"

#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <limits>

namespace varnok {

LineWriter& LineWriter::operator<<(std::string_view piece) {
  line_ += piece;
  return *this;
}

LineWriter& LineWriter::operator<<(std::int32_t number) { return appendDecimal(number); }

LineWriter& LineWriter::operator<<(std::size_t number) { return appendDecimal(number); }

template <typename Number>
LineWriter& LineWriter::appendDecimal(Number number) {
  // Room for a sign and every digit of the widest value of the type.
  std::array<char, std::numeric_limits<Number>::digits10 + 2> digits{};
  char* end = std::to_chars(digits.data(), digits.data() + digits.size(), number).ptr;
  line_.append(digits.data(), end);
  return *this;
}

void LineWriter::endLine() {
  line_ += '\n';
  std::string_view rest = line_;
  // A pipe or terminal may take a long line in parts, and a signal may
  // interrupt the call: keep going until all of it is out or it fails.
  while (error_ == 0 && !rest.empty()) {
    const ssize_t written = ::write(descriptor_, rest.data(), rest.size());
    if (written > 0) {
      rest.remove_prefix(static_cast<std::size_t>(written));
    } else if (written == 0) {
      error_ = EIO;  // no progress and no reason: never spin on it
    } else if (errno != EINTR) {
      error_ = errno;
    }
  }
  line_.clear();
}

}  // namespace varnok
