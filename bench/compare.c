/* compare ROUNDS FLOOR TOOL ARG
 *
 * Runs FLOOR ARG and TOOL ARG alternately, ROUNDS times each, with stdout on
 * /dev/null, and prints the median and mean wall time of each and the peak
 * resident memory (VmHWM) of each.
 *
 * Alternating, and swapping which goes first every round, spreads drifts of
 * the machine (frequency, cache, other load) evenly over both programs.
 * Peak memory is read from /proc while the child is stopped at its exit
 * under ptrace: the rusage of a spawned child also counts the memory of the
 * process that spawned it, which would swamp a figure this small. */
#define _GNU_SOURCE
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char **environ;

enum { WARMUP_ROUNDS = 20, RSS_RUNS = 5 };

static double now_us(void) {
  struct timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return (double)ts.tv_sec * 1e6 + (double)ts.tv_nsec / 1e3;
}

static void die(const char *what) {
  perror(what);
  exit(2);
}

/* Wall time of one run, from spawn to reaped exit. */
static double time_one_run(char *const argv[]) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid;
  int status;
  const double start = now_us();
  if (posix_spawn(&pid, argv[0], &actions, NULL, argv, environ) != 0) die(argv[0]);
  if (waitpid(pid, &status, 0) != pid) die("waitpid");
  const double elapsed = now_us() - start;
  posix_spawn_file_actions_destroy(&actions);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    fprintf(stderr, "%s did not exit with status 0\n", argv[0]);
    exit(2);
  }
  return elapsed;
}

static long vm_hwm_kib(pid_t pid) {
  char path[64];
  snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
  FILE *status = fopen(path, "r");
  if (!status) die(path);
  char line[256];
  long kib = -1;
  while (fgets(line, sizeof line, status))
    if (sscanf(line, "VmHWM: %ld kB", &kib) == 1) break;
  fclose(status);
  return kib;
}

/* Peak resident memory of one run, in KiB, read just before it exits. */
static long peak_rss_kib(char *const argv[]) {
  const pid_t pid = fork();
  if (pid < 0) die("fork");
  if (pid == 0) {
    const int null = open("/dev/null", O_WRONLY);
    if (null < 0 || dup2(null, STDOUT_FILENO) < 0) _exit(126);
    if (ptrace(PTRACE_TRACEME, 0, NULL, NULL) != 0) _exit(126);
    execv(argv[0], argv);
    _exit(127);
  }
  int status;
  long kib = -1;
  if (waitpid(pid, &status, 0) != pid || !WIFSTOPPED(status)) die("exec stop");
  if (ptrace(PTRACE_SETOPTIONS, pid, NULL, (void *)PTRACE_O_TRACEEXIT) != 0) die("ptrace");
  if (ptrace(PTRACE_CONT, pid, NULL, NULL) != 0) die("ptrace");
  while (waitpid(pid, &status, 0) == pid && WIFSTOPPED(status)) {
    int signal_to_pass = 0;
    if (status >> 8 == (SIGTRAP | (PTRACE_EVENT_EXIT << 8)))
      kib = vm_hwm_kib(pid);
    else
      signal_to_pass = WSTOPSIG(status);
    ptrace(PTRACE_CONT, pid, NULL, (void *)(long)signal_to_pass);
  }
  return kib;
}

static int by_value(const void *a, const void *b) {
  const double x = *(const double *)a, y = *(const double *)b;
  return (x > y) - (x < y);
}

static void summarize(const char *name, double *times, int n, long rss_kib) {
  double sum = 0;
  for (int i = 0; i < n; ++i) sum += times[i];
  qsort(times, (size_t)n, sizeof *times, by_value);
  printf("%-6s median %7.1f us  mean %7.1f us  peak RSS %5ld KiB\n", name, times[n / 2], sum / n,
         rss_kib);
}

int main(int argc, char *argv[]) {
  if (argc != 5 || atoi(argv[1]) <= 0) {
    fprintf(stderr, "usage: %s ROUNDS FLOOR TOOL ARG\n", argv[0]);
    return 2;
  }
  const int rounds = atoi(argv[1]);
  char *floor_argv[] = {argv[2], argv[4], NULL};
  char *tool_argv[] = {argv[3], argv[4], NULL};
  double *floor_us = calloc((size_t)rounds, sizeof *floor_us);
  double *tool_us = calloc((size_t)rounds, sizeof *tool_us);
  if (!floor_us || !tool_us) die("calloc");

  for (int i = 0; i < WARMUP_ROUNDS; ++i) {
    time_one_run(floor_argv);
    time_one_run(tool_argv);
  }
  for (int i = 0; i < rounds; ++i) {
    if (i % 2 == 0) {
      floor_us[i] = time_one_run(floor_argv);
      tool_us[i] = time_one_run(tool_argv);
    } else {
      tool_us[i] = time_one_run(tool_argv);
      floor_us[i] = time_one_run(floor_argv);
    }
  }
  long floor_rss = 0, tool_rss = 0;
  for (int i = 0; i < RSS_RUNS; ++i) {
    const long f = peak_rss_kib(floor_argv), t = peak_rss_kib(tool_argv);
    if (f > floor_rss) floor_rss = f;
    if (t > tool_rss) tool_rss = t;
  }
  summarize("floor", floor_us, rounds, floor_rss);
  summarize("tool", tool_us, rounds, tool_rss);
  free(floor_us);
  free(tool_us);
  return 0;
}
