"""saiha-calc's refusals in the language asked for: every fault of an input's
text or header, of -o and of the options that only the program checks, run
under --lang en, SAIHA_LANG=en, --lang ja over SAIHA_LANG=en, and the default.
The English must be today's words; the Japanese must be Japanese, with no
English sentence left in it (the system's own reasons, strerror, may stay);
neither names a file twice.

Usage: message_language_test.py SAIHA_CALC PROFILE_CSV
"""
import os
import re
import stat
import subprocess
import sys
import tempfile
from pathlib import Path

BIN = sys.argv[1]
PROFILE = sys.argv[2]
WORK = Path(tempfile.mkdtemp(prefix="saiha-lang-"))
READ_ONLY = WORK / "kept.csv"
READ_ONLY.write_text("x\n")
READ_ONLY.chmod(stat.S_IRUSR | stat.S_IRGRP | stat.S_IROTH)

WAVES = "Ho,T,alpha0,n\n"
CHAIN = ["overtopping", "--profile", PROFILE]

# name, arguments, standard input, words of the English message, and whether
# the message ends with the system's reason (strerror) after the last colon.
CASES = [
    ("unknown column", [], WAVES.replace("n\n", "n,H\n"), "unknown column 'H' in the header", False),
    ("lacks a column", [], "Ho,T,alpha0\n", "the header lacks column 'n'; it must name Ho, T, alpha0, n and optionally h", False),
    ("column twice", [], "Ho,T,alpha0,n,T\n", "column 'T' appears twice in the header", False),
    ("column without a name", [], "Ho,T,alpha0,n,\n", "column 5 of the header has no name", False),
    ("output column's name", [], "Ho,T,alpha0,n,error\n", "has the name of an output column; rename it", False),
    ("other separator", [], "Ho;T;alpha0;n\n", "(fields must be separated by commas)", False),
    ("empty input", ["random"], "", "the input is empty; its first row must name the columns H0p, T13, n and h", False),
    ("NUL byte", [], WAVES + "1,\0,30,60\n", "line 2: the input contains a NUL byte", False),
    ("UTF-16", [], "\ufeffHo".encode("utf-16-le").decode("latin-1"), "the input is UTF-16 text", False),
    ("not UTF-8", [], WAVES + "1,10,30,60\xe9\n", "line 2: the input is not UTF-8 text", False),
    ("quote left open", [], WAVES + '1,"10,30,60\n', "malformed CSV: a quoted field is not closed", False),
    ("quote inside a field", [], WAVES + '1,10,3"0,60\n', "malformed CSV: a double quote may only stand", False),
    ("setting twice", ["armour", "--P", "0.4"], "Hs,T,cot_alpha,P\n", "the column 'P' and the option --P both give P", False),
    ("height twice", ["transform", "--profile", PROFILE], "Hrms0,Hm0,Tp,theta0\n", "names both 'Hrms0' and 'Hm0'", False),
    ("height missing", ["transform", "--profile", PROFILE], "Tp,theta0\n", "the header lacks column 'Hrms0' (or 'Hm0'); it must name Hrms0 (or Hm0), Tp, theta0 and optionally tide", False),
    ("wind twice", ["transform", "--profile", PROFILE, "--wind-stress", "1"], "Hrms0,Tp,theta0,wind_stress\n", "give the wind stress once", False),
    ("no stations", ["random", "--profile", "--H0p", "1", "--T13", "10", "--n", "60", "--from", "1", "--spacing", "61"], "", "gives no stations", False),
    ("transform without a profile", ["transform", "--Hrms0", "1"], "", "transform needs --profile FILE (the columns x and z)", False),
    ("gamma", ["transform", "--profile", PROFILE, "--gamma", "x"], "", "--gamma 'x': ruessink2003, battjes-stive1985 or a number > 0", False),
    ("mixing", ["transform", "--profile", PROFILE, "--mixing", "x"], "", "or an eddy viscosity >= 0 (m2/s)", False),
    ("mixing coefficient", ["transform", "--profile", PROFILE, "--mixing-M", "1"], "", "--mixing-M goes with --mixing battjes1975", False),
    ("position outside", ["transform", "--profile", PROFILE, "--at", "1e6", "--Hrms0", "1", "--Tp", "8", "--theta0", "0"], "", "--at '1e6': outside the profile, x from 0 to 200", False),
    ("one condition, threads", ["transform", "--profile", PROFILE, "-j", "2", "--Hrms0", "1", "--Tp", "8", "--theta0", "0"], "", "does not go with one condition of transform", False),
    ("one wave, threads", ["compare", "-j", "2", "--Ho", "1", "--T", "10", "--alpha0", "30", "--n", "60"], "", "does not go with compare of one wave", False),
    ("toe without the chain", ["overtopping", "--toe", "1"], "", "--toe goes with --profile (the chain)", False),
    ("chain without toe", CHAIN, "", "the chain needs --toe X and --crest Z", False),
    ("chain slope", CHAIN + ["--toe", "1", "--crest", "2"], "", "the chain at a slope needs --cot-alpha", False),
    ("chain composite", CHAIN + ["--toe", "1", "--crest", "2", "--structure", "composite"], "", "the chain at a composite wall needs --mound-top", False),
    ("chain depth", CHAIN + ["--toe", "1", "--crest", "2", "--cot-alpha", "2", "--h", "3"], "", "--h and --d do not go with --profile", False),
    ("limits without summary", CHAIN + ["--toe", "1", "--crest", "2", "--cot-alpha", "2", "--limits", "1"], "", "--limits goes with --summary", False),
    ("negative limit", CHAIN + ["--toe", "1", "--crest", "2", "--cot-alpha", "2", "--summary", "--limits", "-1"], "", "--limits '-1': a discharge >= 0 (m3/s per m)", False),
    ("summary of no file", CHAIN + ["--toe", "1", "--crest", "2", "--cot-alpha", "2", "--summary", str(WORK / "none.csv")], "", "cannot open '", True),
    ("-o read-only", ["-o", str(READ_ONLY)], WAVES, "it is read-only (mode 0444); make it writable or remove it", False),
    ("-o not a file name", ["-o", str(WORK) + "/.."], WAVES, "cannot write '", True),
    ("-o in no folder", ["-o", str(WORK / "none" / "out.csv")], WAVES, "cannot write '", True),
    ("input a folder", [str(WORK)], "", "': cannot be read: ", True),
    ("output full", ["--"], WAVES + "1,10,30,60\n", "cannot write the results to standard output: ", True),
]

ENGLISH_SENTENCE = re.compile(r"[A-Za-z]{2,}(?: [A-Za-z]{2,}){2,}")


def run(args, stdin, environment, name):
    env = {k: v for k, v in os.environ.items() if k not in ("SAIHA_LANG", "LANG", "LC_ALL")}
    env.update(environment)
    args = [a for a in args if a != "--"]
    output = open("/dev/full", "wb") if name == "output full" else subprocess.DEVNULL
    # The inputs are bytes written as latin-1 text ("\xe9" is the byte 0xE9).
    done = subprocess.run([BIN] + args, input=stdin.encode("latin-1"), stdout=output,
                          stderr=subprocess.PIPE, env=env, timeout=20)
    return done.returncode, done.stderr.decode("utf-8", "replace")


def japanese_fault(message, fragment, os_reason):
    """What is wrong with `message` as a Japanese message, or ''."""
    if not re.search(r"[\u3000-\u30ff\u4e00-\u9fff\uff00-\uffef]", message):
        return "no Japanese"
    if fragment in message:
        return "holds the English " + repr(fragment)
    text = message
    if os_reason:
        text = text[: text.rfind("：")]  # the system's own reason after the last colon
    text = re.sub(r"'[^']*'", "''", text)  # names and values as given
    text = text.replace(str(WORK), "")
    sentence = ENGLISH_SENTENCE.search(text)
    return "holds English words " + repr(sentence.group(0)) if sentence else ""


failures = 0
for name, args, stdin, fragment, os_reason in CASES:
    for form, prefix, environment, english in (
        ("--lang en", ["--lang", "en"], {}, True),
        ("SAIHA_LANG=en", [], {"SAIHA_LANG": "en"}, True),
        ("--lang ja over SAIHA_LANG=en", ["--lang", "ja"], {"SAIHA_LANG": "en"}, False),
        ("default", [], {}, False),
    ):
        status, err = run(prefix + args, stdin, environment, name)
        lines = err.splitlines()
        fault = ""
        if status == 0:
            fault = "exit status 0"
        elif len(lines) != 1 or not lines[0].startswith("saiha-calc: "):
            fault = "not one line of saiha-calc"
        elif lines[0].count(str(WORK)) > 1:
            fault = "names the file twice"
        elif english:
            if fragment not in lines[0] or not lines[0].isascii():
                fault = "not today's English " + repr(fragment)
        else:
            fault = japanese_fault(lines[0][len("saiha-calc: "):], fragment, os_reason)
        if fault:
            failures += 1
            print(f"FAIL: {name} ({form}): {fault}: {err!r}")

READ_ONLY.chmod(stat.S_IRWXU)
for path in sorted(WORK.rglob("*"), reverse=True):
    path.unlink() if path.is_file() else path.rmdir()
WORK.rmdir()
print(f"{len(CASES)} faults, {failures} failure(s)")
sys.exit(1 if failures else 0)
