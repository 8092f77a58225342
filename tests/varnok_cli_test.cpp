// Runs the built Varnok.exe as a child process and compares both streams
// and the exit status byte for byte.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <string>
#include <vector>

namespace {

enum class Stdout {
  kPipe,        // captured on its own
  kWithStderr,  // stderr goes down the same pipe, to check line order
  kDevFull,     // every write fails with ENOSPC
  kClosed,      // every write fails with EBADF
};

struct RunResult {
  std::string out;
  std::string err;
  int status = -1;  // wait status as waitpid reports it
};

constexpr std::size_t kReadChunk = 4096;

// Reads both pipes together, so a child that fills one cannot stall.
void drain(int outFd, int errFd, RunResult& result) {
  std::array<pollfd, 2> fds{{{outFd, POLLIN, 0}, {errFd, POLLIN, 0}}};
  std::array<std::string*, 2> sinks{&result.out, &result.err};
  int open = 2;
  while (open > 0) {
    ASSERT_GT(poll(fds.data(), fds.size(), 10'000), 0) << "child hung or poll failed";
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

RunResult run(const std::vector<std::string>& args, Stdout mode) {
  RunResult result;
  std::array<int, 2> outPipe{};
  std::array<int, 2> errPipe{};
  EXPECT_EQ(pipe2(outPipe.data(), O_CLOEXEC), 0);
  EXPECT_EQ(pipe2(errPipe.data(), O_CLOEXEC), 0);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  switch (mode) {
    case Stdout::kPipe:
      posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
      posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
      break;
    case Stdout::kWithStderr:
      posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
      posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDERR_FILENO);
      break;
    case Stdout::kDevFull:
      posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/full", O_WRONLY, 0);
      posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
      break;
    case Stdout::kClosed:
      posix_spawn_file_actions_addclose(&actions, STDOUT_FILENO);
      posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
      break;
  }

  // argv[0] is not the program's file name: the usage text must not use it.
  std::vector<char*> argv{const_cast<char*>("renamed-tool")};
  for (const auto& arg : args) {
    argv.push_back(const_cast<char*>(arg.c_str()));
  }
  argv.push_back(nullptr);

  pid_t pid = -1;
  const int spawnError = posix_spawn(&pid, VARNOK_EXE, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(outPipe[1]);
  close(errPipe[1]);
  EXPECT_EQ(spawnError, 0) << VARNOK_EXE;
  if (spawnError == 0) {
    drain(outPipe[0], errPipe[0], result);
    EXPECT_EQ(waitpid(pid, &result.status, 0), pid);
  }
  return result;
}

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;  // too short a text, or stdout not written
constexpr int kExitUsage = 255;  // main returned -1

struct CliCase {
  std::string name;
  std::vector<std::string> args;
  Stdout mode;
  std::string out;
  std::string err;
  int exitStatus;
};

std::vector<CliCase> cliCases() {
  const std::string example = "ZAVRO V4G35F77.118/254182";
  const std::string exampleReport =
      " chipStr ZAVRO V4G35F77.118/254182 lot-id G35F77.1 serialNum 4182\n"
      " 6-digit-id: 774182\n";
  const std::string usage = "not enough arguments: argc = 1\n";
  const std::string syntax =
      "Syntax should be:\n./Varnok.exe QRCode\n"
      "Example:\n./Varnok.exe \"ZAVRO V4G35F77.118/254182\"\n";
  const std::string unknownLot = " unknown lot! \n";
  const std::string diskFull = "error writing standard output: No space left on device\n";
  // Longer than a pipe's buffer, so it is written in more than one part.
  const std::string longText = example + std::string(100'000, '9');

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
    {"a long text is echoed whole", {longText}, Stdout::kPipe,
     " chipStr " + longText + " lot-id G35F77.1 serialNum 4182\n 6-digit-id: 774182\n", "", kExitOk},
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
  };
  // clang-format on
}

TEST(VarnokCli, WritesExactBytesAndStatus) {
  for (const auto& entry : cliCases()) {
    SCOPED_TRACE(entry.name);
    const RunResult result = run(entry.args, entry.mode);
    ASSERT_TRUE(WIFEXITED(result.status)) << "wait status " << result.status;
    EXPECT_EQ(WEXITSTATUS(result.status), entry.exitStatus);
    EXPECT_EQ(result.out, entry.out);
    EXPECT_EQ(result.err, entry.err);
  }
}

}  // namespace
