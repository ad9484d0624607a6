# What the install tests share: check WHAT COMMAND... counts a check that passes and reports one
# that fails, finish prints the count and fails the test when any check failed.
failures=0
passes=0
check() {
  local what=$1
  shift
  if "$@"; then
    passes=$((passes + 1))
  else
    echo "FAIL: $what" >&2
    failures=$((failures + 1))
  fi
}
finish() {
  echo "$passes passed, $failures failed"
  [ "$failures" -eq 0 ]
}
