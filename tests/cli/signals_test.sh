#!/usr/bin/env bash
# saiha-calc -o FILE and what ends a run from outside: a closed pipe on
# standard error, any catchable signal that ends the program, a file the
# user made read-only.  Finished results reach FILE; an ended run leaves no
# temporary file; a read-only FILE is kept and the run refused.
set -uo pipefail
bin=$1
# The refusals are read in English (Japanese is the default of every message).
export SAIHA_LANG=en
work=$(mktemp -d)
trap 'exec 4>&- 2>/dev/null; rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
temporaries() { find "$work" -maxdepth 1 -name '.*.csv.*' | wc -l; }

printf 'Ho,T,alpha0,n,h\n1,10,30,60,\n1,10,90,60,\n' > "$work/bad.csv"
expected=$("$bin" "$work/bad.csv" 2>/dev/null)

# Standard error a pipe whose reader has gone: the summary line cannot be
# written, the results still take their file (exit 1: a row failed).
status=0
{ sleep 0.3; "$bin" -o "$work/res.csv" "$work/bad.csv"; echo "status $?" > "$work/status"; } 2>&1 | true
sleep 0.2
[[ $(cat "$work/status" 2>/dev/null) == "status 1" ]] || fail "closed stderr: $(cat "$work/status" 2>/dev/null)"
[[ -f "$work/res.csv" && $(cat "$work/res.csv") == "$expected" ]] || fail "closed stderr: -o file not written"
[[ $(temporaries) == 0 ]] || fail "closed stderr: a temporary file is left"
# The same with the progress line forced onto the closed pipe.
{ sleep 0.3; "$bin" --progress -o "$work/res2.csv" "$work/bad.csv"; } 2>&1 | true
sleep 0.2
[[ $(cat "$work/res2.csv" 2>/dev/null) == "$expected" ]] || fail "closed stderr with --progress"

# A signal while the rows are read (standard input a FIFO that stays open):
# no temporary file afterwards, whichever signal ended the run.  (SIGQUIT is
# not among them: a background job of a script starts with it ignored, and
# an ignored signal stays ignored.)
mkfifo "$work/in"
for signal in USR1 USR2 ALRM TERM HUP INT PIPE VTALRM PROF XCPU; do
  exec 4<>"$work/in"
  printf 'Ho,T,alpha0,n,h\n1,10,30,60,\n' >&4
  "$bin" --no-progress -o "$work/out.csv" < "$work/in" 2>/dev/null &
  pid=$!
  for _ in $(seq 100); do [[ $(temporaries) == 1 ]] && break; sleep 0.05; done
  [[ $(temporaries) == 1 ]] || fail "$signal: no temporary file while reading"
  kill -s "$signal" "$pid"
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
  if kill -0 "$pid" 2>/dev/null; then
    kill -s TERM "$pid"; kill -s TERM "$pid"  # ended by Ctrl+C's second signal
    fail "$signal did not end the run"
  fi
  { wait "$pid"; } 2>/dev/null
  exec 4>&-
  [[ $(temporaries) == 0 ]] || { fail "$signal left the temporary file"; rm -f "$work"/.out.csv.*; }
  [[ ! -e "$work/out.csv" ]] || { fail "$signal: an ended run wrote its file"; rm -f "$work/out.csv"; }
done

# A read-only file is kept, the run refused in one line, exit 2.
echo old > "$work/ro.csv"
chmod 444 "$work/ro.csv"
status=0
message=$("$bin" -o "$work/ro.csv" "$work/bad.csv" 2>&1 >/dev/null) || status=$?
[[ $status == 2 ]] || fail "read-only file: exit $status"
[[ $message == *"cannot write '$work/ro.csv': it is read-only (mode 0444)"* && $message != *$'\n'* ]] ||
  fail "read-only file: $message"
[[ $(cat "$work/ro.csv") == old && $(stat -c %a "$work/ro.csv") == 444 ]] || fail "read-only file replaced"
[[ $(temporaries) == 0 ]] || fail "read-only file: a temporary file is left"
# Made writable again, it is replaced as before.
chmod 644 "$work/ro.csv"
"$bin" -o "$work/ro.csv" "$work/bad.csv" 2>/dev/null
[[ $(cat "$work/ro.csv") == "$expected" ]] || fail "a writable file is not replaced"

if [[ $failures != 0 ]]; then
  echo "$failures failure(s)"
  exit 1
fi
echo ok
