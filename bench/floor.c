/* The floor: the least a process can do to print the tool's report for the
 * usage example, two write(2) calls of the same 86 bytes. Linked statically
 * like the release build, so the two differ only in the tool's own work. */
#include <unistd.h>

int main(void) {
  static const char report[] = " chipStr ZAVRO V4G35F77.118/254182 lot-id G35F77.1 serialNum 4182\n";
  static const char identifier[] = " 6-digit-id: 774182\n";
  if (write(STDOUT_FILENO, report, sizeof report - 1) != (ssize_t)(sizeof report - 1)) return 1;
  if (write(STDOUT_FILENO, identifier, sizeof identifier - 1) != (ssize_t)(sizeof identifier - 1))
    return 1;
  return 0;
}
