#!/bin/bash
# saiha's command line without a display: --help and --version answer and
# end, a missing display ends with one line that says what to do, and a
# platform named on the command line or in the environment is not refused.
# Usage: command_line_test.sh SAIHA VERSION
set -u
saiha=$1
version=$2
failures=0
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT

fail() {
  echo "FAIL: $*"
  echo "  stdout: $(head -c 2000 "$out")"
  echo "  stderr: $(head -c 2000 "$err")"
  failures=$((failures + 1))
}

# Runs saiha with no display of any kind and the given extra environment
# (NAME=value words before --) and arguments; sets rc.  Bounded, so that a
# window opened by mistake ends the test instead of hanging it.
run() {
  local environment=()
  while [ "$1" != "--" ]; do environment+=("$1"); shift; done
  shift
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u SAIHA_LANG "${environment[@]}" \
    timeout 60 "$saiha" "$@" >"$out" 2>"$err"
  rc=$?
}

# --help and -h: the options on standard output, nothing on standard error,
# whatever the display and the other arguments.
for help in --help -h; do
  for setting in "" DISPLAY=:77 QT_QPA_PLATFORM=nosuchplatform; do
    run ${setting:+"$setting"} -- "$help" --lang en
    [ "$rc" = 0 ] || fail "$help ($setting) exits $rc"
    for option in --help --version --lang "xvfb-run -a saiha" QT_QPA_PLATFORM=offscreen; do
      grep -qF -- "$option" "$out" || fail "$help ($setting) does not mention $option"
    done
    [ -s "$err" ] && fail "$help ($setting) writes to standard error"
  done
done

# --version and -v: exactly "saiha <version>", also next to Qt's options and
# an unknown language.
for arguments in "--version" "-v" "-style fusion --version" "--version --lang xx"; do
  run -- $arguments
  [ "$rc" = 0 ] || fail "$arguments exits $rc"
  [ "$(cat "$out")" = "saiha $version" ] || fail "$arguments prints '$(cat "$out")'"
  [ -s "$err" ] && fail "$arguments writes to standard error"
done

# No display: exit 2, one line on standard error naming both ways out,
# nothing on standard output.  Qt's -style is no display.
for arguments in "" "--lang en" "-style fusion" "--lang=ja somefile"; do
  run -- $arguments
  [ "$rc" = 2 ] || fail "no display ($arguments) exits $rc"
  [ "$(wc -l <"$err")" = 1 ] || fail "no display ($arguments): not one line"
  grep -qF "xvfb-run -a saiha" "$err" && grep -qF "QT_QPA_PLATFORM=offscreen" "$err" ||
    fail "no display ($arguments): the line does not say what to do"
  [ -s "$out" ] && fail "no display ($arguments) writes to standard output"
done

# A display that is named but cannot be reached, or a platform plugin that
# does not exist: Qt says why, then saiha's line and exit 2 instead of an
# abort.
for setting in DISPLAY=:77 QT_QPA_PLATFORM=nosuchplatform; do
  run "$setting" -- --lang en
  [ "$rc" = 2 ] || fail "$setting exits $rc"
  tail -n 1 "$err" | grep -qF "xvfb-run -a saiha" || fail "$setting: no line saying what to do"
  grep -qF "Reinstalling" "$err" && fail "$setting: Qt's abort message"
done

# Usage errors: exit 2, the reason and where the options are listed.
run -- --lang
[ "$rc" = 2 ] || fail "--lang without a language exits $rc"
grep -qF -- "--lang" "$err" && grep -qF -- "--help" "$err" || fail "--lang without a language"

# An option neither saiha's nor Qt's is refused, not ignored: exit 2, one
# line naming it, before any window or display is looked for.
for arguments in "--lang en --bogus" "--lang en -bogus" "--lang=en --bogus=1" \
    "-style fusion --lang en --frobnicate"; do
  run DISPLAY=:77 -- $arguments
  [ "$rc" = 2 ] || fail "$arguments exits $rc"
  [ "$(wc -l <"$err")" = 1 ] || fail "$arguments: not one line"
  grep -qE "saiha: unknown option '(bogus|frobnicate)'" "$err" || fail "$arguments: option not named"
done
# In the windows' language: Japanese without --lang or SAIHA_LANG, English
# with SAIHA_LANG=en.
run DISPLAY=:77 XDG_CONFIG_HOME=/nonexistent -- --bogus
[ "$rc" = 2 ] && grep -qF "saiha: オプション 'bogus' はありません" "$err" || fail "--bogus: not in Japanese"
run DISPLAY=:77 SAIHA_LANG=en -- --bogus
[ "$rc" = 2 ] && grep -qF "saiha: unknown option 'bogus'" "$err" || fail "--bogus: SAIHA_LANG=en not followed"
run XDG_CONFIG_HOME=/nonexistent -- --lang en
grep -qF "saiha: no display to open the window on" "$err" || fail "no display: --lang en not followed"

# A platform on the command line is a display: the window opens (the
# offscreen platform needs none) and is still open when the bound ends it.
settings=$(mktemp -d)
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_CONFIG_HOME="$settings" \
  timeout 5 "$saiha" -platform offscreen >"$out" 2>"$err"
rc=$?
rm -rf "$settings"
[ "$rc" = 124 ] || fail "-platform offscreen without a display exits $rc"

if [ "$failures" != 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "all passed"
