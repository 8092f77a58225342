#include "line_writer.h"

#include <unistd.h>

#include <cerrno>

namespace varnok {

LineWriter& LineWriter::operator<<(std::string_view piece) {
  line_ += piece;
  return *this;
}

// std::to_string writes plain decimal, without padding, independent of the
// locale.
LineWriter& LineWriter::operator<<(std::int32_t number) { return *this << std::to_string(number); }

LineWriter& LineWriter::operator<<(std::size_t number) { return *this << std::to_string(number); }

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
