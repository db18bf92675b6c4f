#!/usr/bin/env bash
# saiha-calc -o FILE: the results under FILE's name whole or not at all.  A
# run that fails or is interrupted leaves FILE as it was and no temporary
# file beside it.  Links are followed; FIFOs and devices are written to,
# never replaced.
set -euo pipefail
bin=$1
# The refusals are read in English (Japanese is the default of every message).
export SAIHA_LANG=en
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
leftovers() { find "$work" -name '.*' | grep -q . && fail "temporary file left: $1" || true; }

printf 'Ho,T,alpha0,n,h\n1,10,30,60,\n1,10,90,60,\n' > "$work/in.csv"
printf 'Ho,T,alpha0,n,h\n1,10,30,60,\n1,"10,30,60,\n' > "$work/malformed.csv"
awk 'BEGIN { print "Ho,T,alpha0,n,h"
  for (i = 0; i < 400000; i++) printf "%.2f,%.1f,%d,60,\n", 0.5 + (i % 40) * 0.1, 5 + (i % 30) * 0.3, i % 60 - 30 }' \
  > "$work/long.csv"

# Exit 1 is a result: the file is written, the same bytes as on standard output.
status=0
printed=$("$bin" -o "$work/out.csv" "$work/in.csv" 2>/dev/null) || status=$?
[[ $status -eq 1 && -z $printed ]] || fail "status $status, standard output '$printed'"
cmp -s "$work/out.csv" <("$bin" "$work/in.csv" 2>/dev/null) || fail "-o wrote other bytes"
"$bin" profile --Ho 1 --T 10 --alpha0 30 --n 60 -o "$work/profile.csv" || fail "profile -o"
[[ $(head -c 2 "$work/profile.csv") == "x," ]] || fail "profile -o wrote no table"

# A fault after some rows: FILE keeps what it held.
echo "kept" > "$work/kept.csv"
status=0
"$bin" -o "$work/kept.csv" "$work/malformed.csv" 2>/dev/null || status=$?
[[ $status -eq 2 && $(cat "$work/kept.csv") == kept ]] || fail "status $status after a fault"
leftovers "after a fault"

# Interrupted mid-file: no FILE at all.
"$bin" -j 2 --no-progress -o "$work/interrupted.csv" "$work/long.csv" 2>/dev/null &
pid=$!
sleep 0.5
kill -INT "$pid"
status=0
wait "$pid" || status=$?
[[ $status -eq 130 ]] || fail "exit status $status after SIGINT (the run may have ended first)"
[[ ! -e "$work/interrupted.csv" ]] || fail "an interrupted run left its file"
leftovers "after SIGINT"

# Two Ctrl+C at once: the program ends at once, and the temporary goes with it.
"$bin" -j 2 --no-progress -o "$work/twice.csv" "$work/long.csv" 2>/dev/null &
pid=$!
sleep 0.5
kill -INT "$pid"; kill -INT "$pid"
status=0
wait "$pid" || status=$?
[[ $status -eq 130 ]] || fail "exit status $status after two SIGINT"
[[ ! -e "$work/twice.csv" ]] || fail "a twice interrupted run left its file"
leftovers "after two SIGINT"

expected=$("$bin" "$work/in.csv" 2>/dev/null || true)

# A symbolic link: the file it names is replaced, the link stays a link,
# also through a chain of relative links in other folders.
mkdir -p "$work/a" "$work/b"
echo old > "$work/b/real.csv"
ln -s ../b/link2.csv "$work/a/link1.csv"
ln -s real.csv "$work/b/link2.csv"
"$bin" -o "$work/a/link1.csv" "$work/in.csv" 2>/dev/null || true
[[ -L "$work/a/link1.csv" && -L "$work/b/link2.csv" ]] || fail "-o replaced a link"
[[ $(cat "$work/b/real.csv") == "$expected" ]] || fail "-o onto links: the file is not replaced"
leftovers "after -o onto links"
# A dangling link: its file is made, the link kept.
ln -s made.csv "$work/dangling.csv"
"$bin" -o "$work/dangling.csv" "$work/in.csv" 2>/dev/null || true
[[ -L "$work/dangling.csv" && -f "$work/made.csv" ]] || fail "-o onto a dangling link"
[[ $(cat "$work/made.csv") == "$expected" ]] || fail "-o onto a dangling link wrote other bytes"

# A FIFO: a reader gets the rows, and the FIFO stays one.
mkfifo "$work/fifo"
timeout 20 cat "$work/fifo" > "$work/from_fifo.csv" &  # no hang when no one writes
reader=$!
"$bin" -o "$work/fifo" "$work/in.csv" 2>/dev/null || true
wait "$reader" || fail "the FIFO's reader got nothing"
[[ -p "$work/fifo" ]] || fail "-o replaced the FIFO"
[[ $(cat "$work/from_fifo.csv") == "$expected" ]] || fail "the FIFO's reader got other bytes"
leftovers "after -o onto a FIFO"

# A character device (1,3 is the null device): the rows go to it, and it
# stays a device.
if mknod "$work/null" c 1 3 2>/dev/null; then
  status=0
  "$bin" -o "$work/null" "$work/in.csv" 2>/dev/null || status=$?
  [[ $status -eq 1 ]] || fail "status $status writing to a device"
  [[ -c "$work/null" ]] || fail "-o replaced the character device"
  leftovers "after -o onto a device"
else
  echo "skipped: mknod is not permitted here, no character device test"
fi

# An existing file keeps its mode; a new one gets 0666 less the umask.
echo secret > "$work/private.csv"
chmod 600 "$work/private.csv"
"$bin" -o "$work/private.csv" "$work/in.csv" 2>/dev/null || true
[[ $(stat -c %a "$work/private.csv") == 600 ]] || fail "a 0600 file came back $(stat -c %a "$work/private.csv")"
(umask 027 && "$bin" -o "$work/new.csv" "$work/in.csv" 2>/dev/null) || true
[[ $(stat -c %a "$work/new.csv") == 640 ]] || fail "a new file under umask 027 is $(stat -c %a "$work/new.csv")"

# Standard error closed (as under cron): the summary line does not land in
# the file, which holds the rows only.
status=0
"$bin" -o "$work/closed.csv" "$work/in.csv" 2>&- || status=$?
[[ $status -eq 1 ]] || fail "status $status with standard error closed"
[[ $(cat "$work/closed.csv") == "$expected" ]] || fail "with 2>&- the file holds: $(cat "$work/closed.csv")"
# Standard output closed: still a failure to write, not a silent success.
status=0
"$bin" "$work/in.csv" >&- 2>/dev/null || status=$?
[[ $status -eq 2 ]] || fail "status $status with standard output closed"

# A directory is refused in one line, and left alone.
mkdir "$work/folder"
status=0
message=$("$bin" -o "$work/folder" "$work/in.csv" 2>&1) || status=$?
[[ $status -eq 2 ]] || fail "status $status for a directory"
[[ $message == *"cannot write '$work/folder': Is a directory" && $message != *$'\n'* ]] ||
  fail "for a directory: $message"
[[ -z $(ls -A "$work/folder") ]] || fail "something was written into the directory"

# -o - is standard output.
[[ $("$bin" -o - "$work/in.csv" 2>/dev/null) == "$expected" ]] || fail "-o - is not standard output"
echo "ok"
