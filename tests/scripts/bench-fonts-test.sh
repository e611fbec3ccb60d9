#!/usr/bin/env bash
# The benchmark's generated font set, read back through fontconfig (not the
# library that wrote it): every file a TrueType font of its own family, the
# names distinct and short enough for Windows, the letters of the character
# map present, and a bad count refused.
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"

source "$(dirname "$0")/check.sh"

dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
count=40
"$root/scripts/make-bench-fonts" "$count" "$dir/fonts" >/dev/null
check "one file per font" test "$(find "$dir/fonts" -name '*.ttf' | wc -l)" = "$count"
fc-scan --format '%{family}\t%{style}\t%{fontformat}\n' "$dir/fonts" >"$dir/scan"
check "fontconfig reads every file" test "$(wc -l <"$dir/scan")" = "$count"
check "all TrueType, all Regular" test "$(cut -f2,3 "$dir/scan" | sort -u)" = "$(printf 'Regular\tTrueType')"
check "distinct families" test "$(cut -f1 "$dir/scan" | sort -u | wc -l)" = "$count"
check "families under 32 characters" test "$(cut -f1 "$dir/scan" | awk 'length($0) > 31' | wc -l)" = 0
check "first words vary" test "$(cut -f1 "$dir/scan" | awk '{print $1}' | sort -u | wc -l)" -gt 10
# A (U+41), é (U+E9), č (U+10D), € (U+20AC), but no Greek alpha (U+3B1).
charset="$(fc-scan --format '%{charset}' "$dir/fonts/bench-00007.ttf")"
has() { # has <hex code point>: whether fontconfig's ranges in $charset cover it
  local c=$((16#$1)) range lo hi
  for range in $charset; do
    lo=$((16#${range%-*})) hi=$((16#${range#*-}))
    ((c >= lo && c <= hi)) && return 0
  done
  return 1
}
for cp in 41 e9 10d 20ac; do check "U+$cp is in the subset" has "$cp"; done
! has 3b1
check "U+3b1 is not" test $? = 0
for bad in 0 -3 x; do
  "$root/scripts/make-bench-fonts" "$bad" "$dir/bad" >/dev/null 2>&1
  check "N=$bad is refused" test $? -ne 0 -a ! -e "$dir/bad/bench-00000.ttf"
done
exit $((failures > 0))
