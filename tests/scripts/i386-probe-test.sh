#!/usr/bin/env bash
# The probe that decides whether this machine runs 32-bit code (and so the
# i686 tests): it must be a real i386 program that exits with its own 42, and
# only that answer may count as "runs 32-bit code".
set -uo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"

source "$(dirname "$0")/check.sh"

dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
glyphora_i386_probe "$dir/probe"
header="$(readelf -h -l "$dir/probe" 2>&1)"
check "the probe is a 32-bit ELF" grep -q 'Class: *ELF32' <<<"$header"
check "the probe is an i386 executable" grep -q 'Machine: *Intel 80386' <<<"$header"
check "the probe loads one read+execute segment" grep -qE 'LOAD .* R E ' <<<"$header"

# Stand-ins for what the kernel can answer.
refuses() { echo "$1: cannot execute binary file: Exec format error" >&2; return 126; }
exits0() { return 0; }
for case in "refuses:0" "exits0:0" "false:0"; do
  unset GLYPHORA_I386
  glyphora_detect_i386 "${case%%:*}"
  check "a runner that ${case%%:*} means no 32-bit code" test "$GLYPHORA_RUNS_I386" = "${case##*:}"
done
glyphora_detect_i386 refuses
check "the reason names the kernel's answer" grep -q 'Exec format error' <<<"$GLYPHORA_I386_REASON"
GLYPHORA_I386=1 glyphora_detect_i386 refuses
check "GLYPHORA_I386=1 overrides the probe" test "$GLYPHORA_RUNS_I386" = 1
unset GLYPHORA_I386

# Run by a real i386 emulator, the probe runs and exits with 42.
if command -v qemu-i386 >/dev/null; then
  glyphora_detect_i386 qemu-i386
  check "under qemu-i386 the probe runs (exit 42)" test "$GLYPHORA_RUNS_I386" = 1
else
  printf 'FAIL qemu-i386 is missing (package qemu-user)\n'
  failures=$((failures + 1))
fi

# Run directly, it agrees with the kernel's answer to another i386 program.
glyphora_detect_i386
direct="$GLYPHORA_RUNS_I386"
cp "$dir/probe" "$dir/other"
printf '\xbb\x07\x00\x00\x00' | dd of="$dir/other" bs=1 seek=$((0x59)) conv=notrunc status=none
"$dir/other" 2>/dev/null
other=$?
if ((direct)); then
  check "the kernel runs another i386 program (exit 7)" test "$other" = 7
else
  check "the kernel refuses another i386 program too" test "$other" = 126
fi
printf '%s\n' "direct probe: $GLYPHORA_I386_REASON"
exit $((failures > 0))
