# Sourced by the script tests: one line per check, and a count of failures
# for the test's exit status (exit $((failures > 0))).
failures=0
check() { # check <what> <condition...>
  local what="$1"
  shift
  if "$@"; then printf 'ok   %s\n' "$what"; else printf 'FAIL %s\n' "$what"; failures=$((failures + 1)); fi
}
