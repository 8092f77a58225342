#!/usr/bin/env bash
# check_release_files.sh PACKAGE_DIR VERSION
#
# Checks what the package workflow left in PACKAGE_DIR, the way a user meets
# it: the .deb unpacked with dpkg-deb and checked by lintian, the tarball
# unpacked with tar, the program of each run on the example, --version and
# --help, and SHA256SUMS checked by sha256sum.
set -euo pipefail
dir=$1 version=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

report=$' chipStr ZAVRO V4G35F77.118/254182 lot-id G35F77.1 serialNum 4182\n 6-digit-id: 774182'

check_program() {
  local program=$1
  [[ $("$program" "ZAVRO V4G35F77.118/254182") == "$report" ]] || fail "$program: wrong report"
  [[ $("$program" --version | head -n 1) == "Varnok.exe $version" ]] || fail "$program: wrong --version"
  [[ $("$program" --help | head -n 1) == Usage:* ]] || fail "$program: wrong --help"
  if readelf -S "$program" | grep -q '\.symtab'; then
    fail "$program is not stripped"
  fi
}

# Every member owned by root; directories 755, the program 755, the rest 644.
check_listing() {
  local what=$1
  awk -v what="$what" '
    $2 != "root/root" && $2 != "0/0" { print what ": owner " $2 " of " $NF; bad = 1 }
    $1 ~ /^d/ && $1 != "drwxr-xr-x" { print what ": mode " $1 " of " $NF; bad = 1 }
    $1 ~ /^-/ && $NF ~ /\/Varnok\.exe$/ && $1 != "-rwxr-xr-x" { print what ": mode " $1 " of " $NF; bad = 1 }
    $1 ~ /^-/ && $NF !~ /\/Varnok\.exe$/ && $1 != "-rw-r--r--" { print what ": mode " $1 " of " $NF; bad = 1 }
    END { exit bad }' || fail "$what: owners or modes"
}

# The Debian package
debs=("$dir"/*.deb)
[[ ${#debs[@]} == 1 ]] || fail "expected one .deb in $dir, found ${#debs[@]}"
deb=${debs[0]}
[[ ${deb##*/} == "varnok_${version}_amd64.deb" ]] || fail "unexpected name ${deb##*/}"
for field in Package:varnok Version:$version Section:utils Priority:optional Architecture:amd64; do
  [[ $(dpkg-deb --field "$deb" "${field%%:*}") == "${field#*:}" ]] || fail "control field ${field%%:*}"
done
[[ -n $(dpkg-deb --field "$deb" Maintainer) ]] || fail "no Maintainer"
dpkg-deb --contents "$deb" >"$scratch/deb-listing"
check_listing "$deb" <"$scratch/deb-listing"
dpkg-deb -x "$deb" "$scratch/deb"
for path in usr/bin/Varnok.exe usr/share/man/man1/Varnok.exe.1.gz \
  usr/share/doc/varnok/copyright usr/share/doc/varnok/changelog.gz; do
  [[ -f $scratch/deb/$path ]] || fail "$deb has no /$path"
done
check_program "$scratch/deb/usr/bin/Varnok.exe"
lintian --fail-on error,warning "$deb" || fail "lintian found errors or warnings in $deb"

# The tarball, to use in place
tarball=$dir/varnok-$version-linux-x86_64.tar.gz
tar --list --verbose --file "$tarball" >"$scratch/tar-listing"
check_listing "$tarball" <"$scratch/tar-listing"
mkdir "$scratch/tar"
tar --extract --file "$tarball" --directory "$scratch/tar"
[[ $(ls "$scratch/tar") == "varnok-$version" ]] || fail "$tarball does not hold one folder varnok-$version"
for path in bin/Varnok.exe share/man/man1/Varnok.exe.1.gz \
  share/doc/varnok/LICENSE share/doc/varnok/CHANGELOG.md share/doc/varnok/README.md; do
  [[ -f $scratch/tar/varnok-$version/$path ]] || fail "$tarball has no $path"
done
check_program "$scratch/tar/varnok-$version/bin/Varnok.exe"
cmp "$scratch/deb/usr/bin/Varnok.exe" "$scratch/tar/varnok-$version/bin/Varnok.exe" ||
  fail "the .deb and the tarball hold different programs"

(cd "$dir" && sha256sum --check --strict SHA256SUMS) || fail "SHA256SUMS does not match"
echo "release files in $dir: all checks passed"
