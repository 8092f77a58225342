#!/usr/bin/env bash
# check_reproducible.sh PACKAGE_DIR
#
# Builds the package workflow a second time, from a copy of this tree at
# another path, some seconds after the first build and under another umask,
# and compares the .deb, the tarball and SHA256SUMS with those in
# PACKAGE_DIR byte for byte.
# Names the files that differ, with diffoscope's report where it is installed.
set -euo pipefail
cd "$(dirname "$0")/.."
first=$(realpath "$1")
second_root=$(mktemp -d /tmp/varnok-rebuild.XXXXXX)
trap 'rm -rf "$second_root"' EXIT

# Clock times must not reach the files: let the clock move on first.
sleep 3
tar --exclude=./build --create --file - . | tar --extract --file - --directory "$second_root"
if ! (umask 0002 && cd "$second_root" && cmake --workflow --preset package) >"$second_root.log" 2>&1; then
  tail -n 20 "$second_root.log"
  echo "FAIL: the second package build failed (log: $second_root.log)" >&2
  exit 1
fi
second=$second_root/build/package

differ=()
for file in SHA256SUMS "$(cd "$first" && ls ./*.deb)" "$(cd "$first" && ls ./*.tar.gz)"; do
  file=${file#./}
  cmp -s "$first/$file" "$second/$file" || differ+=("$file")
done
if [[ ${#differ[@]} -gt 0 ]]; then
  echo "FAIL: two builds of one tree differ in: ${differ[*]}" >&2
  if command -v diffoscope >/dev/null; then
    for file in "${differ[@]}"; do
      diffoscope --max-report-size 200000 --max-diff-block-lines 40 "$first/$file" "$second/$file" || true
    done
  fi
  exit 1
fi
echo "reproducible: a second build at $second_root gave the same bytes:"
cat "$second/SHA256SUMS"
