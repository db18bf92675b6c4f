"""Runs every example of the README and of docs/*.md as written, then every
script in examples/.

    python3 tests/readme_examples.py SOURCE_DIR BUILD_DIR VENV [PAGE.md ...]

Without PAGE the page is README.md and the scripts of examples/ follow it;
with them, those pages (docs/cli.md …) and no scripts.  Each page's blocks
run in order in one scratch folder under BUILD_DIR/readme-examples, laid out
as a clone after the set-up commands (``build/`` the build folder, ``.venv``
the environment with saiha installed, ``examples/`` and ``scripts/`` copies of
the source's, HOME a scratch folder beside it), so that a block reads what
an earlier one wrote:

- ```sh blocks run in bash -euo pipefail;
- ```python blocks with the README's ``.venv/bin/python`` on the README, and
  with /usr/bin/python3 over the built module (BUILD_DIR/python) on the
  other pages, the interpreter and module the docs name; a page's python
  blocks are one session, as typed into one interpreter (a block sees the
  names the page's earlier blocks made);
- ```cpp blocks are compiled with the C++ compiler against the built engine
  library (its headers as installed, ``#include <saiha/...>``) and run;
- a block without a language right after a block that ran is its output as
  shown: the run's standard output must be that text, byte for byte;
- a block right after ``<!-- file: PATH -->`` is written to PATH for the
  blocks after it (a CMakeLists.txt the page then builds);
- a ```json block right after a comment saying "parsed by the docs test" is
  parsed as JSON (a member of an object, ``"name": value``, as the object
  holding it);
- a block right after an HTML comment saying "not run by the README test"
  or "not run by the docs test" (the set-up itself, sudo, a package install,
  data not shipped) is skipped, one after "needs the window" is run only
  when the build has the window (build/app/saiha), and one after "exits N"
  must end with that status (a file whose last rows fail on purpose).

Any other block (an indented one, ```json without a file, a bare block after
nothing that ran) fails the test: a block is run, compared, written or marked.
Any non-zero exit fails the test, with the block that failed.  A script of
examples/ that no README block runs is run on its own.
"""

import json
import os
import re
import shutil
import subprocess
import sys
from dataclasses import dataclass
from pathlib import Path

FENCE = re.compile(r"^( *)```([\w+-]*)\s*$")
COMMENT = re.compile(r"^<!--(.*)-->\s*$")
NOT_RUN = re.compile(r"not run by the (README|docs) test")
PARSED = re.compile(r"parsed by the docs test")
RUN = {"sh", "python", "cpp"}


@dataclass
class Block:
    page: str
    line: int      # of the opening fence, 1-based
    lang: str
    code: str
    mark: str      # the HTML comment right before the fence, "" if none

    def name(self) -> str:
        return f"{self.page}:{self.line} ({self.lang or 'output'})"


def blocks_of(page: Path, label: str) -> list[Block]:
    """The fenced blocks of a page, each with the comment right before it.
    An indented code block is refused: it would be neither run nor marked."""
    lines = page.read_text(encoding="utf-8").splitlines()
    found: list[Block] = []
    i = 0
    in_list = False
    while i < len(lines):
        line = lines[i]
        if m := FENCE.match(line):
            # A fence may be indented, in a list item: its lines lose the indent.
            indent = len(m.group(1))
            end = next((j for j in range(i + 1, len(lines)) if lines[j].strip() == "```"), None)
            if end is None:
                sys.exit(f"{label}:{i + 1}: a fence that never closes")
            before = lines[i - 1].strip() if i else ""
            c = COMMENT.match(before)
            code = "".join(text[indent:] + "\n" for text in lines[i + 1:end])
            found.append(Block(label, i + 1, m.group(2), code, c.group(1).strip() if c else ""))
            i = end + 1
            continue
        if line.startswith(("- ", "* ")) or re.match(r"^\d+\. ", line):
            in_list = True
        elif line and not line.startswith(" "):
            in_list = False
        if (line.startswith("    ") and line.strip() and not in_list and i
                and not lines[i - 1].strip()):
            sys.exit(f"{label}:{i + 1}: an indented code block; fence it (```sh, ```python …) "
                     f"so that the docs test runs it, or mark it")
        i += 1
    return found


def scratch(source: Path, build: Path, venv: Path, name: str) -> Path:
    folder = build / "readme-examples" / name
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    (folder / "build").symlink_to(build)
    (folder / ".venv").symlink_to(venv)
    # Copies, so that a script finds build/ beside its own folder.
    shutil.copytree(source / "examples", folder / "examples",
                    ignore=shutil.ignore_patterns("__pycache__"))
    shutil.copytree(source / "scripts", folder / "scripts")
    return folder


def run(what: str, command: list[str], folder: Path, env: dict[str, str], status: int = 0) -> str:
    done = subprocess.run(command, cwd=folder, capture_output=True, text=True, env=env)
    if done.returncode != status:
        sys.exit(f"{what} exited with {done.returncode}\n--- stdout\n{done.stdout}"
                 f"--- stderr\n{done.stderr}")
    print(f"ok: {what}")
    return done.stdout


def left_untracked(source: Path, folder: Path) -> list[str]:
    """What a block left in the clone's root that the repository's .gitignore
    does not cover: a fresh clone's `git status` would show it."""
    made = [p.name + ("/" if p.is_dir() else "") for p in folder.iterdir()
            if p.name not in ("build", ".venv", "examples", "scripts", "example.py", "session.py")
            and not p.name.startswith("block-")]
    if not made or not (source / ".git").exists():
        return []
    done = subprocess.run(["git", "-C", str(source), "check-ignore", "--no-index", *made],
                          capture_output=True, text=True)
    ignored = set(done.stdout.split())
    return [name for name in made if name not in ignored]


# The page's python blocks are one session, as in an interpreter: a block
# sees the names its page's earlier blocks made, which run again first with
# their output set aside.
SESSION = """import contextlib as _c, io as _io
with _c.redirect_stdout(_io.StringIO()):
    exec(compile(open("session.py", encoding="utf-8").read(), "earlier blocks", "exec"))
del _c, _io
"""


def command_of(block: Block, folder: Path, source: Path, build: Path, readme: bool,
               session: list[str]) -> list[str]:
    if block.lang == "sh":
        return ["bash", "-euo", "pipefail", "-c", block.code]
    stem = f"block-{block.line}"
    if block.lang == "python":
        script = folder / ("example.py" if readme else f"{stem}.py")
        (folder / "session.py").write_text("".join(session), encoding="utf-8")
        script.write_text((SESSION if session else "") + block.code, encoding="utf-8")
        session.append(block.code)
        python = str(Path(".venv") / "bin" / "python") if readme else "/usr/bin/python3"
        return [python, script.name]
    # C++: against the engine library of the build, its headers by their
    # installed names (build/generated/saiha/… lead to the source's).
    (folder / f"{stem}.cpp").write_text(block.code, encoding="utf-8")
    compiler = os.environ.get("CXX") or shutil.which("c++") or "g++"
    library = build / "libsaiha"
    compile_ = [compiler, "-std=c++20", "-Wall", "-Wextra", "-Werror", f"-I{build / 'generated'}",
                f"-I{source}", f"{stem}.cpp", f"-L{library}", "-lsaiha",
                f"-Wl,-rpath,{library}", "-o", stem]
    return ["bash", "-c", " ".join(f"'{a}'" for a in compile_) + f" && ./{stem}"]


def run_page(source: Path, build: Path, venv: Path, page: Path) -> str:
    label = str(page.relative_to(source))
    readme = label == "README.md"
    blocks = blocks_of(page, label)
    folder = scratch(source, build, venv, "README" if readme else page.stem)
    # A home of its own beside the clone (`$HOME/saiha` of docs/install.md,
    # Matplotlib's caches), so that what it holds is no file of the clone's.
    home = folder.with_name(folder.name + ".home")
    shutil.rmtree(home, ignore_errors=True)
    home.mkdir()
    env = dict(os.environ, HOME=str(home))
    env.pop("PYTHONPATH", None)
    if not readme:
        env["PYTHONPATH"] = str(build / "python")
    window = (build / "app" / "saiha").exists()
    ran: list[str] = []
    session: list[str] = []
    skipped = 0
    last: tuple[Block, str] | None = None
    for block in blocks:
        if NOT_RUN.search(block.mark):
            skipped += 1
            last = None
            continue
        if m := re.match(r"file:\s*(\S+)$", block.mark):
            target = folder / m.group(1)
            target.parent.mkdir(parents=True, exist_ok=True)
            target.write_text(block.code, encoding="utf-8")
            print(f"ok: {block.name()} written to {m.group(1)}")
            last = None
            continue
        if block.lang == "json" and PARSED.search(block.mark):
            text = block.code.strip()
            try:
                json.loads("{" + text + "}" if text.startswith('"') else text)
            except json.JSONDecodeError as error:
                sys.exit(f"{block.name()}: not JSON: {error}")
            print(f"ok: {block.name()} is JSON")
            last = None
            continue
        if block.lang in ("", "text"):
            if last is None:
                sys.exit(f"{block.name()}: a block of no language after no block that ran: "
                         f"mark it or give it a language")
            shown, (command, got) = block.code, last
            if got != shown:
                sys.exit(f"{command.name()} prints otherwise than {block.name()} shows\n"
                         f"--- shown\n{shown}--- printed\n{got}")
            print(f"ok: {block.name()} is what {command.name()} prints")
            last = None
            continue
        if block.lang not in RUN:
            sys.exit(f"{block.name()}: a ```{block.lang} block is neither run nor written to a "
                     f"file (<!-- file: PATH -->) nor marked as not run")
        if "needs the window" in block.mark and not window:
            print(f"skip: {block.name()} (the build has no window)")
            skipped += 1
            last = None
            continue
        exits = re.match(r"exits (\d+)\b", block.mark)
        if block.mark and not exits and block.mark != "needs the window":
            sys.exit(f"{block.name()}: a comment the docs test does not know: {block.mark!r}")
        out = run(block.name(), command_of(block, folder, source, build, readme, session),
                  folder, env, int(exits.group(1)) if exits else 0)
        if readme and (stray := left_untracked(source, folder)):
            sys.exit(f"{block.name()} leaves {stray} untracked in the clone's root")
        ran.append(block.code)
        last = (block, out)
    if readme and not ran:
        sys.exit(f"no runnable example in {label}")
    print(f"{label}: {len(ran)} blocks run, {skipped} not run")
    return "".join(ran)


def main() -> None:
    source, build, venv = (Path(p).resolve() for p in sys.argv[1:4])
    pages = [Path(p).resolve() for p in sys.argv[4:]] or [source / "README.md"]
    run_by_pages = "".join(run_page(source, build, venv, page) for page in pages)
    if sys.argv[4:]:
        return
    env = dict(os.environ, HOME=str(build / "readme-examples"))
    env.pop("PYTHONPATH", None)
    python = str(Path(".venv") / "bin" / "python")
    for script in sorted((source / "examples").iterdir()):
        name = f"examples/{script.name}"
        if script.suffix not in (".sh", ".py") or name in run_by_pages:
            continue
        command = ["bash", name] if script.suffix == ".sh" else [python, name]
        folder = scratch(source, build, venv, script.stem)
        run(name, command, folder, env)
        if stray := left_untracked(source, folder):
            sys.exit(f"{name} leaves {stray} untracked in the clone's root")


if __name__ == "__main__":
    main()
