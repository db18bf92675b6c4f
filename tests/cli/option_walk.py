"""Every mode of saiha-calc with every shared option, before and after the
subcommand: an option a mode lists in its --help does what it says there, and
one it does not list is refused with the reason, exit 2 and no output.

    option_walk.py SAIHA_CALC
"""
from __future__ import annotations

import os
import re
import subprocess
import sys
import tempfile
from dataclasses import dataclass, field
from pathlib import Path

BIN = sys.argv[1]
WORK = Path(tempfile.mkdtemp(prefix="saiha-walk-"))
BOM = b"\xef\xbb\xbf"
JAPANESE = re.compile("[\u3040-\u30ff\u4e00-\u9fff]")


def write(name: str, text: str) -> str:
    path = WORK / name
    path.write_text(text, encoding="utf-8")
    return str(path)


# Inputs: the second row of each file fails, so that error cells show the language.
CASES = write("cases.csv", "id,Ho,T,alpha0,n,h\nA,1,10,30,60,\nB,1,10,90,60,\nC,2,8,0,100,3\n")
SEAS = write("seas.csv", "id,H0p,T13,n,h\nA,3,10,50,4\nB,3,10,0,4\nC,2,8,30,20\n")
WAVES = write("waves.csv", "id,Ho,T,alpha0,n\nA,2,10,30,100\nB,0.01,20,0,0.01\n")
BED = write("bed.csv", "x,z\n0,-6.5\n50,-4.5\n100,-2.5\n150,-0.5\n175,0.5\n")
SEA_STATES = write("sea_states.csv", "id,Hrms0,Tp,theta0,tide\nA,1.2,10,20,0.25\nB,1,0,20,0\n")


@dataclass
class Mode:
    name: str          # as the walk calls it
    sub: list[str]     # the subcommand words
    args: list[str]    # what follows them
    failing: list[str]  # arguments whose run has an error message somewhere
    file: str | None = None  # the CSV it reads, for the text-format options
    # Shared options the subcommand lists for its FILE form only.
    file_only: set[str] = field(default_factory=set)
    # A second CSV the run reads, respelt with the FILE for the text formats.
    companion: str | None = None


MODES = [
    Mode("calc", [], [CASES], [CASES], CASES),
    Mode("profile", ["profile"], ["--Ho", "1", "--T", "10", "--alpha0", "30", "--n", "60",
                                  "--stations", "5"],
         ["--Ho", "1", "--T", "10", "--alpha0", "30", "--n", "0"]),
    Mode("compare", ["compare"], ["--Ho", "2", "--T", "10", "--alpha0", "30", "--n", "100"],
         ["--Ho", "0.01", "--T", "20", "--alpha0", "0", "--n", "0.01"],
         file_only={"--progress", "--jobs"}),
    Mode("compare FILE", ["compare"], [WAVES], [WAVES], WAVES),
    Mode("random", ["random"], [SEAS], [SEAS], SEAS),
    Mode("random --profile", ["random"], ["--profile", "--H0p", "3", "--T13", "10", "--n", "50",
                                          "--stations", "5"],
         ["--profile", "--H0p", "3", "--T13", "10", "--n", "0"],
         file_only={"--jobs", "--progress"}),
    Mode("shore", ["shore"], ["--Ho", "2", "--T", "10", "--alpha0", "30", "--n", "100"],
         ["--Ho", "0.01", "--T", "20", "--alpha0", "0", "--n", "0.01"]),
    Mode("transform", ["transform"], ["--profile", BED, SEA_STATES], ["--profile", BED, SEA_STATES],
         SEA_STATES, companion=BED),
    Mode("transform one condition", ["transform"],
         ["--profile", BED, "--Hrms0", "1.2", "--Tp", "10", "--theta0", "20", "--tide", "0.25"],
         ["--profile", BED, "--Hrms0", "4", "--Tp", "10", "--theta0", "20"],
         file_only={"--progress", "--jobs"}, companion=BED),
]

failures: list[str] = []
checked = 0


def run(args: list[str], env: dict[str, str] | None = None) -> subprocess.CompletedProcess:
    environment = {k: v for k, v in os.environ.items() if k != "SAIHA_LANG"}
    environment.update(env or {})
    return subprocess.run([BIN, *args], capture_output=True, env=environment, timeout=120)


def check(ok: bool, what: str) -> None:
    global checked
    checked += 1
    if not ok:
        failures.append(what)


def honoured(mode: Mode) -> set[str]:
    """The shared options the mode's --help lists."""
    text = run([*mode.sub, "--help"]).stdout.decode()
    shared = text.split("Shared options:")[1]
    shared = re.split(r"\n\S", shared)[0]
    return set(re.findall(r"^\s+(?:-\w,)?(--[\w-]+)", shared, re.M))


def semicolons(path: str, decimal_comma: bool) -> str:
    """The file with ';' between fields (and decimal commas)."""
    rows = Path(path).read_text(encoding="utf-8").splitlines()
    out = []
    for row in rows:
        cells = row.split(",")
        if decimal_comma:
            cells = [c.replace(".", ",") for c in cells]
        out.append(";".join(cells))
    return write(Path(path).stem + (".dc" if decimal_comma else "") + ".ssv", "\n".join(out) + "\n")


def with_file(mode: Mode, args: list[str], path: str, companion: str | None = None) -> list[str]:
    return [path if a == mode.file else companion if companion and a == mode.companion else a
            for a in args]


def both_places(mode: Mode, option: list[str], args: list[str], env=None):
    """The run with `option` before the subcommand and after its arguments."""
    before = run([*option, *mode.sub, *args], env)
    after = run([*mode.sub, *args, *option], env)
    label = " ".join(option)
    check(before.returncode == after.returncode and before.stdout == after.stdout,
          f"{mode.name}: {label} before and after the subcommand differ")
    return after


def walk(mode: Mode) -> None:
    listed = honoured(mode) - mode.file_only
    plain = run([*mode.sub, *mode.args])
    plain_failing = run([*mode.sub, *mode.failing])
    check(plain.returncode in (0, 1) and plain.stdout, f"{mode.name}: the plain run fails")

    def refused(option: list[str]) -> None:
        r = both_places(mode, option, mode.args)
        check(r.returncode == 2 and not r.stdout and (b"not go with" in r.stderr or "には使えません".encode() in r.stderr),
              f"{mode.name}: {' '.join(option)} is not listed, yet not refused with a reason")

    options = {
        "--lang": ["--lang", "en"], "--output": ["-o", str(WORK / "out.csv")],
        "--precision": ["--precision", "full"], "--warnings": ["--warnings"],
        "--progress": ["--progress"], "--no-progress": ["--no-progress"],
        "--jobs": ["-j", "2"], "--strict": ["--strict"], "--delimiter": ["--delimiter", ";"],
        "--decimal-comma": ["--delimiter", ";", "--decimal-comma"], "--bom": ["--bom"],
        "--breaker": ["--breaker", "mccowan"], "--shoaling": ["--shoaling", "shuto"],
        "--units": ["--units"],
    }
    for name, option in options.items():
        if name not in listed:
            refused(option if name != "--decimal-comma" else ["--decimal-comma"])
            continue
        if name == "--lang":
            ja = plain_failing.stdout + plain_failing.stderr
            r = both_places(mode, option, mode.failing)
            en = r.stdout + r.stderr
            check(JAPANESE.search(ja.decode()) and not JAPANESE.search(en.decode()),
                  f"{mode.name}: --lang en leaves Japanese text")
            env = run([*mode.sub, *mode.failing], {"SAIHA_LANG": "en"})
            check(env.stdout + env.stderr == en, f"{mode.name}: SAIHA_LANG=en is not --lang en")
        elif name == "--output":
            target = WORK / "out.csv"
            for place in ("before", "after"):
                target.unlink(missing_ok=True)
                args = [*option, *mode.sub, *mode.args] if place == "before" else \
                    [*mode.sub, *mode.args, *option]
                r = run(args)
                check(not r.stdout and target.exists() and target.read_bytes() == plain.stdout,
                      f"{mode.name}: -o {place} the subcommand does not hold the rows")
        elif name == "--precision":
            r = both_places(mode, option, mode.args)
            check(r.stdout != plain.stdout and
                  r.stdout.split(b"\n")[0] == plain.stdout.split(b"\n")[0],
                  f"{mode.name}: --precision full writes the same numbers")
        elif name == "--units":
            r = both_places(mode, option, mode.args)
            check(b" [m]" in r.stdout.split(b"\n")[0] and
                  r.stdout.split(b"\n")[1:] == plain.stdout.split(b"\n")[1:],
                  f"{mode.name}: --units names no unit, or changes the rows")
        elif name == "--warnings":
            r = both_places(mode, option, mode.args)
            check(r.stdout.split(b"\n")[0].endswith(b",warnings"),
                  f"{mode.name}: --warnings adds no warnings column")
        elif name == "--progress":
            r = both_places(mode, option, mode.args)
            check(r.stdout == plain.stdout and b"rows" in r.stderr,
                  f"{mode.name}: --progress shows no progress or changes the rows")
        elif name == "--no-progress":
            r = both_places(mode, option, mode.args)
            check(r.stdout == plain.stdout and r.stderr == plain.stderr,
                  f"{mode.name}: --no-progress changes the output")
        elif name == "--jobs":
            for jobs in ("1", "2", "1000"):
                r = both_places(mode, ["-j", jobs], mode.args)
                check(r.stdout == plain.stdout and r.stderr == plain.stderr,
                      f"{mode.name}: -j {jobs} changes the output or says something")
        elif name == "--strict":
            if mode.file is None:
                r = both_places(mode, option, mode.args)
                check(r.stdout == plain.stdout, f"{mode.name}: --strict changes a one-wave table")
                continue
            text = Path(mode.file).read_text(encoding="utf-8")
            sloppy = write("sloppy-" + Path(mode.file).name, text.replace(",10,", ",10s,", 1))
            loose = run([*mode.sub, *with_file(mode, mode.args, sloppy)])
            r = both_places(mode, option, with_file(mode, mode.args, sloppy))
            # The row that took the unit, as every output row of it starts.
            row = next(line for line in text.splitlines() if ",10," in line)
            sloppy_row = row.replace(",10,", ",10s,", 1)
            check(loose.stdout == plain.stdout.replace(("\n" + row.rstrip(",")).encode(),
                                                       ("\n" + sloppy_row.rstrip(",")).encode()),
                  f"{mode.name}: without --strict '10s' does not read as 10")
            check(r.returncode == 1 and r.stdout != loose.stdout,
                  f"{mode.name}: --strict does not refuse the cell '10s'")
        elif name in ("--delimiter", "--decimal-comma"):
            comma = name == "--decimal-comma"
            args = mode.args
            if mode.file is not None or mode.companion is not None:
                args = with_file(mode, mode.args, semicolons(mode.file, comma) if mode.file else "",
                                 semicolons(mode.companion, comma) if mode.companion else None)
            r = both_places(mode, option, args)
            lines = r.stdout.decode().splitlines()
            expected = plain.stdout.decode().splitlines()
            check(r.returncode == plain.returncode and len(lines) == len(expected) and
                  bool(lines) and lines[0] == expected[0].replace(",", ";"),
                  f"{mode.name}: {' '.join(option)} does not write ';' between fields")
            if comma and len(lines) > 1:
                numbers = re.findall(r"(?:^|;)(-?\d+,\d+)(?=;|$)", "\n".join(lines[1:]), re.M)
                check(numbers and not re.search(r"(?:^|;)-?\d+\.\d+(?=;|$)", "\n".join(lines)),
                      f"{mode.name}: --decimal-comma writes decimal points")
        elif name == "--bom":
            r = both_places(mode, option, mode.args)
            check(r.stdout == BOM + plain.stdout, f"{mode.name}: --bom is not a byte-order mark")
        elif name in ("--breaker", "--shoaling"):
            r = both_places(mode, option, mode.args)
            check(r.returncode in (0, 1) and r.stdout != plain.stdout,
                  f"{mode.name}: {' '.join(option)} changes nothing")


for mode in MODES:
    walk(mode)
for failure in failures:
    print("FAIL:", failure)
print(f"{checked - len(failures)} passed, {len(failures)} failed")
sys.exit(1 if failures else 0)
