#include "line_writer.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>

namespace varnok {
namespace {

// Drops the first `count` bytes from the parts, and every part left empty.
void dropWritten(std::span<iovec>& parts, std::size_t count) {
  while (!parts.empty() && (count > 0 || parts.front().iov_len == 0)) {
    iovec& first = parts.front();
    const std::size_t taken = std::min(count, first.iov_len);
    first.iov_base = static_cast<char*>(first.iov_base) + taken;
    first.iov_len -= taken;
    count -= taken;
    if (first.iov_len == 0) {
      parts = parts.subspan(1);
    }
  }
}

// std::to_chars writes plain decimal, without padding, whatever the locale.
template <std::size_t Size, typename Number>
std::size_t writeDecimal(std::array<char, Size>& digits, Number number) {
  const char* end = std::to_chars(digits.data(), digits.data() + Size, number).ptr;
  return static_cast<std::size_t>(end - digits.data());
}

}  // namespace

LinePiece::LinePiece(std::int32_t number) : digitCount_(writeDecimal(digits_, number)) {}

LinePiece::LinePiece(std::size_t number) : digitCount_(writeDecimal(digits_, number)) {}

std::string_view LinePiece::text() const {
  return digitCount_ == 0 ? text_ : std::string_view(digits_.data(), digitCount_);
}

iovec LineWriter::toIovec(std::string_view text) {
  // writev(2) only reads the bytes; iovec has no const form.
  return {.iov_base = const_cast<char*>(text.data()), .iov_len = text.size()};
}

void LineWriter::writeAll(std::span<iovec> parts) {
  // Empty pieces are dropped first, so a write that takes nothing is never
  // mistaken for progress.
  dropWritten(parts, 0);
  // A pipe or terminal may take a long line in parts, a signal may interrupt
  // the call, and a non-blocking descriptor may be full for a while: keep
  // going until all of it is out or a write fails for good.
  while (error_ == 0 && !parts.empty()) {
    const ssize_t written = ::writev(descriptor_, parts.data(), static_cast<int>(parts.size()));
    if (written > 0) {
      dropWritten(parts, static_cast<std::size_t>(written));
    } else if (written == 0) {
      error_ = EIO;  // no progress and no reason: never spin on it
    } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
      waitUntilWritable();
    } else if (errno != EINTR) {
      error_ = errno;
    }
  }
}

void LineWriter::waitUntilWritable() {
  pollfd descriptor{.fd = descriptor_, .events = POLLOUT, .revents = 0};
  // POLLERR and POLLHUP end the wait too: the next write reports them.
  while (::poll(&descriptor, 1, -1) < 0) {
    if (errno != EINTR) {
      error_ = errno;
      return;
    }
  }
}

}  // namespace varnok
