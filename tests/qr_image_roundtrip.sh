#!/usr/bin/env bash
# qr_image_roundtrip.sh VARNOK_EXE QRENCODE ZBARIMG SCRATCH_DIR
#
# The path a user takes from a chip: each text becomes a real QR symbol
# (qrencode -8, byte mode), is read back from the image by zbarimg as raw
# bytes, and Varnok.exe runs on what the reader gave. Checks that the reader
# gave back the text byte for byte, and that the identifier line, or the
# unknown-lot message on standard error, is the expected one.
set -uo pipefail
exe=$1 qrencode=$2 zbarimg=$3 scratch=$4
mkdir -p "$scratch"

# name, QR text, and the identifier line or the unknown-lot message
cases=(
  "the example" "ZAVRO V4G35F77.118/254182" " 6-digit-id: 774182"
  "the .2 lot has code 99" "ZAVRO V4G35F83.218/254182" " 6-digit-id: 994182"
  "an unknown lot" "ZAVRO V4G35F86.118/254182" " unknown lot! "
  "21 bytes: empty serial" "ZAVRO V4G39B57.118/25" " 6-digit-id: 57"
  "a Latin-1 byte before the lot" $'ZAVR\xe9 V4G35F77.118/254182' " 6-digit-id: 774182"
)

failures=0
fail() {
  echo "FAIL ($name): $*"
  failures=$((failures + 1))
}

for ((i = 0; i < ${#cases[@]}; i += 3)); do
  name=${cases[i]} text=${cases[i + 1]} expected=${cases[i + 2]}
  image="$scratch/case$((i / 3)).png"
  if ! printf '%s' "$text" | "$qrencode" -8 -o "$image"; then
    fail "qrencode could not make the symbol"
    continue
  fi
  # -Sbinary hands over the bytes of the symbol as they are, with no line
  # feed after them; without it zbarimg guesses a character set and
  # re-encodes them. $(...) would strip line feeds at the end of the text:
  # the "." keeps them.
  read_back=$("$zbarimg" --raw -q -Sbinary --nodbus "$image"; echo .)
  read_back=${read_back%.}
  if [[ $read_back != "$text" ]]; then
    fail "the reader gave $(printf '%q' "$read_back") for $(printf '%q' "$text")"
    continue
  fi

  out=$("$exe" "$read_back" 2>"$scratch/stderr")
  status=$?
  if [[ $expected == " unknown lot! " ]]; then
    got=$(<"$scratch/stderr")
  else
    got=$(sed -n 2p <<<"$out")
  fi
  [[ $status == 0 ]] || fail "exit status $status"
  [[ $got == "$expected" ]] || fail "got '$got', expected '$expected'"
done

echo "$((${#cases[@]} / 3)) cases, $failures failed"
[[ $failures == 0 ]]
