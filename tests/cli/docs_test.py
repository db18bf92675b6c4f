"""Every option of every mode of saiha-calc, as its --help lists it, appears in
the mode's manual page (which says in FILES where the documentation is), in the bash and zsh completions for that mode and in
the mode's section of docs/cli.md; the bash completion offers a mode's own
options after its name and no other mode's.

    docs_test.py SAIHA_CALC GENERATED_DIR DOCS_CLI_MD
"""
from __future__ import annotations

import re
import shutil
import subprocess
import sys
from pathlib import Path

BIN, GENERATED, CLI_MD = sys.argv[1], Path(sys.argv[2]), Path(sys.argv[3])
failures: list[str] = []
checked = 0


def check(ok: bool, what: str) -> None:
    global checked
    checked += 1
    if not ok:
        failures.append(what)


def help_options(sub: list[str]) -> list[str]:
    """The options a mode's --help lists (its own and the shared ones)."""
    text = subprocess.run([BIN, *sub, "--help"], capture_output=True, text=True).stdout
    names: list[str] = []
    section = None
    for line in text.splitlines():
        if re.match(r"^(Options|Shared options):$", line):
            section = line
            continue
        if line and not line.startswith(" "):
            section = None
        if section:
            m = re.match(r"^\s+((?:-\w,)?--[\w-]+)", line)
            if m:
                names += m.group(1).split(",")
    return [n for n in names if n not in ("-h", "--help", "--version")]


def subcommands() -> list[str]:
    text = subprocess.run([BIN, "--help"], capture_output=True, text=True).stdout
    block = text.split("Subcommands:\n")[1]
    return re.findall(r"^  (\w+)\s", block.split("\n\n")[0], re.M)


def section(markdown: str, heading: str) -> str:
    """The text under `heading` up to the next heading of its level or above."""
    m = re.search(r"^(#+) " + re.escape(heading) + r"\s*$", markdown, re.M)
    if not m:
        return ""
    level = len(m.group(1))
    rest = markdown[m.end():]
    end = re.search(r"^#{1,%d} " % level, rest, re.M)
    return rest[: end.start()] if end else rest


def bash_offers(words: list[str]) -> set[str] | None:
    """What the generated bash completion offers after `words` and '--'."""
    loader = Path("/usr/share/bash-completion/bash_completion")
    if not loader.exists() or shutil.which("bash") is None:
        return None
    line = " ".join(["saiha-calc", *words, "--"])
    script = f"""
source {loader}
source {GENERATED / 'saiha-calc.bash'}
COMP_WORDS=({line}); COMP_CWORD=$(( ${{#COMP_WORDS[@]}} - 1 )); COMP_LINE="{line}"
COMP_POINT=${{#COMP_LINE}}
_saiha_calc saiha-calc -- "${{COMP_WORDS[COMP_CWORD-1]}}"
printf '%s\\n' "${{COMPREPLY[@]}}"
"""
    out = subprocess.run(["bash", "-c", script], capture_output=True, text=True)
    return set(out.stdout.split())


markdown = CLI_MD.read_text(encoding="utf-8")
bash = (GENERATED / "saiha-calc.bash").read_text()
zsh = (GENERATED / "_saiha-calc").read_text()
modes = [""] + subcommands()
if shutil.which("zsh"):
    syntax = subprocess.run(["zsh", "-n", str(GENERATED / "_saiha-calc")], capture_output=True)
    check(syntax.returncode == 0, f"the zsh completion does not parse: {syntax.stderr!r}")
check(set(modes[1:]) >= {"profile", "compare", "random", "shore"}, "the top-level help omits a mode")
for mode in modes:
    sub = [mode] if mode else []
    title = "saiha-calc" + (f" {mode}" if mode else "")
    page = GENERATED / (("saiha-calc-" + mode) if mode else "saiha-calc")
    man = page.with_suffix(".1").read_text().replace("\\-", "-") if page.with_suffix(".1").exists() else ""
    check(bool(man), f"{title}: no manual page")
    # Where the package puts what the page refers to (docs/, examples/).
    files = re.search(r"^\.SH FILES\n(.*?)^\.SH ", man, re.M | re.S)
    check(files is not None and "/usr/share/doc/saiha" in files.group(1)
          and "examples/conditions.csv" in files.group(1),
          f"{title}: no FILES section naming /usr/share/doc/saiha and its examples")
    options = help_options(sub)
    check(len(options) > 5, f"{title}: --help lists almost nothing")
    m = re.search(r"^\s+%s\) options=\"([^\"]*)\"" % (mode if mode else '""'), bash, re.M)
    completion = set(m.group(1).split()) if m else set()
    z = re.search(r"^\s+%s\)\n(.*?)\n\s+;;" % (mode if mode else "''"), zsh, re.M | re.S)
    zblock = z.group(1) if z else ""
    doc = section(markdown, f"`{title}`")
    check(bool(doc), f"{title}: docs/cli.md has no section headed `{title}`")
    for option in options:
        check(re.search(r"\\fB%s\\fR" % re.escape(option), man) is not None,
              f"{title}: {option} missing from its manual page")
        check(option in completion, f"{title}: {option} missing from the bash completion")
        check(re.search(r"[{,'(]%s[,}\[]" % re.escape(option), zblock) is not None,
              f"{title}: {option} missing from the zsh completion")
        check(f"`{option}" in doc, f"{title}: {option} missing from its section of docs/cli.md")
    offered = bash_offers(sub)
    if offered is not None:
        expected = (set(options) | {"--help"} | ({"--version"} if not mode else set())) - {"-j", "-o"}
        check(offered == expected, f"{title}: bash offers {sorted(offered ^ expected)} wrongly")

for failure in failures:
    print("FAIL:", failure)
print(f"{checked - len(failures)} passed, {len(failures)} failed")
sys.exit(1 if failures else 0)
