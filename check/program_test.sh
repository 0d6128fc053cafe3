#!/bin/sh
# Runs the built vexla-check as a user would, on the fixture, on broken and
# endless input, and on files written by the built vexla program.
# Usage: program_test.sh VEXLA_CHECK VEXLA TESTDATA_DIR
set -u
check=$1 vexla=$2 data=$3
work=$(mktemp -d) || exit 2
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# expect STATUS STREAM PATTERN -- ARGS...: runs vexla-check with ARGS in the
# work directory; wants that exit status and a line matching PATTERN on
# stdout or stderr (STREAM out or err).
expect() {
  want=$1 stream=$2 pattern=$3
  shift 4
  (cd "$work" && "$check" "$@") >"$work/out" 2>"$work/err" </dev/null
  got=$?
  [ "$got" = "$want" ] || fail "vexla-check $*: status $got, not $want"
  grep -q -e "$pattern" "$work/$stream" ||
    fail "vexla-check $*: no '$pattern' on std$stream: $(cat "$work/$stream")"
}

fixture=$data/counting-seed.tickets
expect 0 out "^$fixture: OK\$" -- "$fixture"
expect 0 out "^  3 or more   0.99964244 (13978816 draws)    0.99937318\$" \
  -- --report "$fixture"
expect 0 out '"matches":4,"draws":4509581,' -- --json "$fixture"
expect 0 out '^Usage: vexla-check' -- --help
expect 2 err "^vexla-check: unknown option '-x'\$" -- -x "$fixture"
expect 2 err '^vexla-check: no FILE given$' -- --report
expect 2 err "^vexla-check: $work/none: No such file or directory\$" \
  -- "$fixture" "$work/none"
expect 2 err "^vexla-check: $work: Is a directory\$" -- "$work"

# One broken file among good ones decides the status; its line is named.
sed '5s/^12 23/12 32/' "$fixture" >"$work/broken.tickets"
expect 1 err "^$work/broken.tickets:5: ticket is not strictly ascending" \
  -- "$fixture" "$work/broken.tickets"
expect 1 err "^$work/broken.tickets:5: " -- --report "$work/broken.tickets"
cp "$fixture" "$work/-r"
expect 0 out '^-r: OK$' -- -- -r

# Standard input, and input without end: read no further than the limit.
"$check" - <"$fixture" >"$work/out" 2>&1 && grep -q '^-: OK$' "$work/out" ||
  fail "standard input: $(cat "$work/out")"
timeout 20 "$check" /dev/zero >"$work/out" 2>"$work/err"
[ $? = 1 ] && grep -q '^/dev/zero:0: over 1 MiB: not a ticket file$' \
  "$work/err" || fail "endless input: $(cat "$work/err")"
head -c 100000 /dev/urandom >"$work/noise"
expect 1 err "^$work/noise:0: size is 100000 bytes, not 8398\$" \
  -- "$work/noise"
if [ -w /dev/full ]; then
  "$check" "$fixture" >/dev/full 2>"$work/err"
  [ $? = 2 ] || fail "a full standard output is not reported"
fi

# Files the program itself writes.
for run in 1 2 3; do
  dir=$work/run$run
  mkdir "$dir"
  (cd "$dir" && "$vexla") >"$work/out" 2>&1 ||
    fail "vexla run $run: status $?: $(cat "$work/out")"
  set -- "$dir"/vexla-*.TXT
  [ $# = 1 ] && [ -f "$1" ] || fail "vexla run $run wrote: $*"
  expect 0 out ': OK$' -- "$1"
  expect 0 out '^Numbers: each of 01 to 49 is on 48 tickets$' -- -r "$1"
done

[ "$failures" = 0 ] && echo "all checks passed"
exit $((failures != 0))
