// Runs the built Varnok.exe as a child process and compares both streams
// and the exit status byte for byte.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "help_text.h"

namespace {

enum class Stdout {
  kPipe,                   // captured on its own
  kWithStderr,             // stderr goes down the same pipe, to check line order
  kDevFull,                // every write fails with ENOSPC
  kClosed,                 // every write fails with EBADF
  kNonBlockingLateReader,  // O_NONBLOCK, and read only once the pipe is full
};

// Runs under a sweep of address-space limits, from the least one at which
// the program starts with this argument up to a few hundred KiB above it.
enum class Memory { kUnlimited, kSweep };

struct RunResult {
  std::string out;
  std::string err;
  int status = -1;  // wait status as waitpid reports it
};

constexpr std::size_t kReadChunk = 4096;
constexpr int kExecFailed = 127;
constexpr int kPatienceMs = 10'000;  // for a child that should have long finished
constexpr useconds_t kMillisecond = 1000;
constexpr rlim_t kKiB = 1024;
constexpr rlim_t kSweepStep = 16 * kKiB;
constexpr rlim_t kSweepRange = 512 * kKiB;
constexpr rlim_t kMiB = 1024 * kKiB;
constexpr rlim_t kEnoughAddressSpace = 64 * kMiB;
// The sanitizers reserve terabytes of address space: no limit lets them start.
constexpr bool kSanitized = VARNOK_SANITIZED != 0;

// Reads both pipes together, so a child that fills one cannot stall.
void drain(int outFd, int errFd, RunResult& result) {
  std::array<pollfd, 2> fds{{{outFd, POLLIN, 0}, {errFd, POLLIN, 0}}};
  std::array<std::string*, 2> sinks{&result.out, &result.err};
  int open = 2;
  while (open > 0) {
    ASSERT_GT(poll(fds.data(), fds.size(), kPatienceMs), 0) << "child hung or poll failed";
    for (std::size_t i = 0; i < fds.size(); ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) {
        continue;
      }
      std::array<char, kReadChunk> buffer{};
      const ssize_t got = read(fds[i].fd, buffer.data(), buffer.size());
      if (got > 0) {
        sinks[i]->append(buffer.data(), static_cast<std::size_t>(got));
      } else {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
}

// Waits until the child has filled the pipe, so that its next write finds
// no room: on a non-blocking pipe that write fails with EAGAIN.
void waitUntilFull(int readFd) {
  const int capacity = fcntl(readFd, F_GETPIPE_SZ);
  for (int waitedMs = 0; waitedMs < kPatienceMs; ++waitedMs) {
    int queued = 0;
    ASSERT_EQ(ioctl(readFd, FIONREAD, &queued), 0);
    if (queued >= capacity) {
      return;
    }
    usleep(kMillisecond);
  }
  FAIL() << "the child never filled the pipe";
}

// In the child, between fork and exec: only async-signal-safe calls.
[[noreturn]] void execChild(std::vector<char*>& argv, Stdout mode, int outFd, int errFd,
                            std::optional<rlim_t> addressSpace) {
  dup2(mode == Stdout::kWithStderr ? outFd : errFd, STDERR_FILENO);
  switch (mode) {
    case Stdout::kDevFull:
      dup2(open("/dev/full", O_WRONLY | O_CLOEXEC), STDOUT_FILENO);
      break;
    case Stdout::kClosed:
      close(STDOUT_FILENO);
      break;
    default:
      dup2(outFd, STDOUT_FILENO);
      break;
  }
  if (addressSpace) {
    const rlimit limit{*addressSpace, *addressSpace};
    setrlimit(RLIMIT_AS, &limit);
  }
  execv(VARNOK_EXE, argv.data());
  _exit(kExecFailed);
}

// Starts the program with the arguments, its stdout and stderr as the mode
// says, and the address-space limit if one is given.
pid_t spawn(const std::vector<std::string>& args, Stdout mode, int outFd, int errFd,
            std::optional<rlim_t> addressSpace) {
  // argv[0] is not the program's file name: the usage text must not use it.
  std::vector<char*> argv{const_cast<char*>("renamed-tool")};
  for (const auto& arg : args) {
    argv.push_back(const_cast<char*>(arg.c_str()));
  }
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    execChild(argv, mode, outFd, errFd, addressSpace);
  }
  return pid;
}

RunResult run(const std::vector<std::string>& args, Stdout mode,
              std::optional<rlim_t> addressSpace = std::nullopt) {
  RunResult result;
  std::array<int, 2> outPipe{};
  std::array<int, 2> errPipe{};
  EXPECT_EQ(pipe2(outPipe.data(), O_CLOEXEC), 0);
  EXPECT_EQ(pipe2(errPipe.data(), O_CLOEXEC), 0);
  if (mode == Stdout::kNonBlockingLateReader) {
    // The flag belongs to the open pipe, so the child's stdout has it too.
    EXPECT_EQ(fcntl(outPipe[1], F_SETFL, O_NONBLOCK), 0);
  }
  const pid_t pid = spawn(args, mode, outPipe[1], errPipe[1], addressSpace);
  close(outPipe[1]);
  close(errPipe[1]);
  if (pid < 0) {
    ADD_FAILURE() << "fork failed";
    return result;
  }
  if (mode == Stdout::kNonBlockingLateReader) {
    waitUntilFull(outPipe[0]);
  }
  drain(outPipe[0], errPipe[0], result);
  EXPECT_EQ(waitpid(pid, &result.status, 0), pid);
  return result;
}

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;  // too short a text, or stdout not written
constexpr int kExitUsage = 255;  // main returned -1

constexpr std::string_view kExample = "ZAVRO V4G35F77.118/254182";
constexpr std::string_view kExampleReport =
    " chipStr ZAVRO V4G35F77.118/254182 lot-id G35F77.1 serialNum 4182\n"
    " 6-digit-id: 774182\n";

bool printsTheExample(std::optional<rlim_t> addressSpace) {
  const RunResult result = run({std::string(kExample)}, Stdout::kPipe, addressSpace);
  return WIFEXITED(result.status) && WEXITSTATUS(result.status) == kExitOk &&
         result.out == kExampleReport;
}

// The least address-space limit, to a page, under which the program prints
// the example's report. Below it exec or the C library's start-up fails
// before main runs, which no program can help.
rlim_t startingLimit() {
  const auto page = static_cast<rlim_t>(sysconf(_SC_PAGESIZE));
  rlim_t failing = 0;
  rlim_t working = kEnoughAddressSpace;
  EXPECT_TRUE(printsTheExample(working)) << "the example needs more than 64 MiB";
  while (working - failing > page) {
    const rlim_t middle = (failing + (working - failing) / 2) / page * page;
    (printsTheExample(middle) ? working : failing) = middle;
  }
  return working;
}

// The limits a kSweep case runs under: from where the program starts with
// the case's arguments, which the kernel copies onto the new stack, in steps
// of 16 KiB up to 512 KiB above that.
std::vector<std::optional<rlim_t>> addressSpaceLimits(Memory memory,
                                                      const std::vector<std::string>& args) {
  if (memory == Memory::kUnlimited) {
    return {std::nullopt};
  }
  if (kSanitized) {
    return {};
  }
  static const rlim_t exampleStart = startingLimit();
  const auto page = static_cast<rlim_t>(sysconf(_SC_PAGESIZE));
  rlim_t argumentBytes = 0;
  for (const auto& arg : args) {
    argumentBytes += arg.size() + 1;
  }
  const rlim_t extraPages = (argumentBytes - (kExample.size() + 1) + page - 1) / page;
  std::vector<std::optional<rlim_t>> limits;
  for (rlim_t above = 0; above <= kSweepRange; above += kSweepStep) {
    limits.emplace_back(exampleStart + extraPages * page + above);
  }
  return limits;
}

struct CliCase {
  std::string name;
  std::vector<std::string> args;
  Stdout mode;
  std::string out;
  std::string err;
  int exitStatus;
  Memory memory = Memory::kUnlimited;
};

std::vector<CliCase> cliCases() {
  const std::string usage = "not enough arguments: argc = 1\n";
  const std::string syntax =
      "Syntax should be:\n./Varnok.exe QRCode\n"
      "Example:\n./Varnok.exe \"ZAVRO V4G35F77.118/254182\"\n";
  const std::string unknownLot = " unknown lot! \n";
  const std::string diskFull = "error writing standard output: No space left on device\n";
  const std::string help = std::string(varnok::kHelpText) + "\n";
  const std::string version =
      "Varnok.exe " VARNOK_VERSION "\n" + std::string(varnok::kCopyrightLine) + "\n";
  const std::string example(kExample);
  const std::string exampleReport(kExampleReport);
  // Longer than a pipe's buffer, so it is written in more than one part.
  const std::string longText = example + std::string(100'000, '9');
  const std::string longReport =
      " chipStr " + longText + " lot-id G35F77.1 serialNum 4182\n 6-digit-id: 774182\n";

  // clang-format off
  return {
    {"no argument", {}, Stdout::kPipe, "", usage + syntax, kExitUsage},
    {"no argument, stdout full", {}, Stdout::kDevFull, "", usage + syntax, kExitUsage},
    {"usage example", {example}, Stdout::kPipe, exampleReport, "", kExitOk},
    {"further arguments are ignored", {example, "ZAVRO V4G35F99.118/25", ""}, Stdout::kPipe,
     exampleReport, "", kExitOk},
    {"the .2 lot has its own code", {"ZAVRO V4G35F83.218/254182"}, Stdout::kPipe,
     " chipStr ZAVRO V4G35F83.218/254182 lot-id G35F83.2 serialNum 4182\n 6-digit-id: 994182\n",
     "", kExitOk},
    {"21 bytes: empty serial", {"ZAVRO V4G39B57.118/25"}, Stdout::kPipe,
     " chipStr ZAVRO V4G39B57.118/25 lot-id G39B57.1 serialNum \n 6-digit-id: 57\n", "", kExitOk},
    {"bytes pass through untouched", {"ZAVRO \xC3\x84G35F77.1\xFF\xFE/25AbC-tail"}, Stdout::kPipe,
     " chipStr ZAVRO \xC3\x84G35F77.1\xFF\xFE/25AbC-tail lot-id G35F77.1 serialNum AbC-\n"
     " 6-digit-id: 77AbC-\n", "", kExitOk},
    {"a long text is echoed whole", {longText}, Stdout::kPipe, longReport, "", kExitOk},
    {"unknown lot: lower case", {"zavro v4g35f77.118/254182"}, Stdout::kPipe,
     " chipStr zavro v4g35f77.118/254182 lot-id g35f77.1 serialNum 4182\n", unknownLot, kExitOk},
    {"unknown lot: shifted by a leading space", {" " + example}, Stdout::kPipe,
     " chipStr  ZAVRO V4G35F77.118/254182 lot-id 4G35F77. serialNum 5418\n", unknownLot, kExitOk},
    {"unknown lot: report line comes first", {"ZAVRO V4G35F86.118/254182"}, Stdout::kWithStderr,
     " chipStr ZAVRO V4G35F86.118/254182 lot-id G35F86.1 serialNum 4182\n" + unknownLot, "", kExitOk},
    {"20 bytes is too short", {"ZAVRO V4G35F77.118/2"}, Stdout::kPipe, "",
     "QR code too short: 20 bytes, expected at least 21\n" + syntax, kExitFailure},
    {"an empty argument is too short", {""}, Stdout::kPipe, "",
     "QR code too short: 0 bytes, expected at least 21\n" + syntax, kExitFailure},
    {"too short, stdout full", {"ZAVRO"}, Stdout::kDevFull, "",
     "QR code too short: 5 bytes, expected at least 21\n" + syntax, kExitFailure},
    {"stdout full", {example}, Stdout::kDevFull, "", diskFull, kExitFailure},
    {"stdout full, unknown lot", {"ZAVRO V4G35F86.118/254182"}, Stdout::kDevFull, "",
     unknownLot + diskFull, kExitFailure},
    {"stdout closed", {example}, Stdout::kClosed, "",
     "error writing standard output: Bad file descriptor\n", kExitFailure},
    {"--help", {"--help"}, Stdout::kPipe, help, "", kExitOk},
    {"--version, further arguments ignored", {"--version", example}, Stdout::kPipe, version, "",
     kExitOk},
    {"--help, stdout full", {"--help"}, Stdout::kDevFull, "", diskFull, kExitFailure},
    {"--version, stdout closed", {"--version"}, Stdout::kClosed, "",
     "error writing standard output: Bad file descriptor\n", kExitFailure},
    {"-h is a QR text, too short", {"-h"}, Stdout::kPipe, "",
     "QR code too short: 2 bytes, expected at least 21\n" + syntax, kExitFailure},
    {"--version with a space is a QR text", {"--version "}, Stdout::kPipe, "",
     "QR code too short: 10 bytes, expected at least 21\n" + syntax, kExitFailure},
    {"non-blocking stdout, slow reader", {longText}, Stdout::kNonBlockingLateReader, longReport,
     "", kExitOk},
    {"memory limit: the example", {example}, Stdout::kPipe, exampleReport, "", kExitOk,
     Memory::kSweep},
    {"memory limit: a 100 kB text", {longText}, Stdout::kPipe, longReport, "", kExitOk,
     Memory::kSweep},
  };
  // clang-format on
}

// Like EXPECT_EQ, but a long text is told by its length and first
// difference rather than printed whole.
void expectSameBytes(const std::string& stream, const std::string& actual,
                     const std::string& expected) {
  constexpr std::size_t kPrintable = 400;
  if (actual.size() <= kPrintable && expected.size() <= kPrintable) {
    EXPECT_EQ(actual, expected) << stream;
    return;
  }
  const auto differ = std::ranges::mismatch(actual, expected);
  EXPECT_TRUE(actual == expected) << stream << ": " << actual.size() << " bytes, expected "
                                  << expected.size() << "; first difference at byte "
                                  << differ.in1 - actual.begin();
}

TEST(VarnokCli, WritesExactBytesAndStatus) {
  for (const auto& entry : cliCases()) {
    SCOPED_TRACE(entry.name);
    for (const auto limit : addressSpaceLimits(entry.memory, entry.args)) {
      SCOPED_TRACE(limit ? "address space " + std::to_string(*limit >> 10U) + " KiB" : "");
      const RunResult result = run(entry.args, entry.mode, limit);
      ASSERT_TRUE(WIFEXITED(result.status)) << "wait status " << result.status;
      EXPECT_EQ(WEXITSTATUS(result.status), entry.exitStatus);
      expectSameBytes("stdout", result.out, entry.out);
      expectSameBytes("stderr", result.err, entry.err);
    }
  }
}

TEST(VarnokCli, HelpStartsWithUsageAndShowsTheExample) {
  const std::string_view help = varnok::kHelpText;
  EXPECT_TRUE(help.starts_with("Usage:"));
  EXPECT_NE(help.find("\n  ./Varnok.exe \"ZAVRO V4G35F77.118/254182\"\n"), std::string_view::npos);
}

}  // namespace
