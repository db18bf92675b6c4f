"""Runs every example of the README as written, then every script in examples/.

    python3 tests/readme_examples.py SOURCE_DIR BUILD_DIR VENV

The README's ```sh blocks run in bash, its ```python blocks with VENV's
Python, each in a fresh folder under BUILD_DIR/readme-examples laid out as a clone after the set-up commands
(``build/`` the build folder, ``.venv`` the environment with saiha
installed, ``examples/`` a copy of the source's).  A block right after an HTML comment
saying "not run by the README test" (the set-up itself, the window) is
skipped.  A script of examples/ that no README block runs is run on its own.
Any non-zero exit fails the test, with the block that failed.
"""

import os
import re
import shutil
import subprocess
import sys
from pathlib import Path

BLOCK = re.compile(r"(<!--[^\n]*-->\n)?```(sh|python)\n(.*?)```", re.S)


def clone_layout(source: Path, build: Path, venv: Path, name: str) -> Path:
    folder = build / "readme-examples" / name
    folder.mkdir(parents=True)
    (folder / "build").symlink_to(build)
    (folder / ".venv").symlink_to(venv)
    # A copy, so that a script finds build/ beside its own folder.
    shutil.copytree(source / "examples", folder / "examples")
    return folder


def run(what: str, command: list[str], folder: Path) -> None:
    done = subprocess.run(command, cwd=folder, capture_output=True, text=True)
    if done.returncode != 0:
        sys.exit(f"{what} exited with {done.returncode}\n--- stdout\n{done.stdout}"
                 f"--- stderr\n{done.stderr}")
    print(f"ok: {what}")


def left_untracked(source: Path, folder: Path) -> list[str]:
    """What a block left in the clone's root that the repository's .gitignore
    does not cover: a fresh clone's `git status` would show it."""
    made = [p.name + ("/" if p.is_dir() else "") for p in folder.iterdir()
            if p.name not in ("build", ".venv", "examples", "example.py")]
    if not made or not (source / ".git").exists():
        return []
    done = subprocess.run(["git", "-C", str(source), "check-ignore", "--no-index", *made],
                          capture_output=True, text=True)
    ignored = set(done.stdout.split())
    return [name for name in made if name not in ignored]


def main() -> None:
    source, build, venv = (Path(p).resolve() for p in sys.argv[1:4])
    readme = (source / "README.md").read_text(encoding="utf-8")
    blocks = [(lang, code) for comment, lang, code in BLOCK.findall(readme)
              if "not run by the README test" not in comment]
    if not blocks:
        sys.exit("no runnable example in README.md")
    python = str(Path(".venv") / "bin" / "python")
    shutil.rmtree(build / "readme-examples", ignore_errors=True)
    for number, (lang, code) in enumerate(blocks, 1):
        folder = clone_layout(source, build, venv, f"block-{number}")
        if lang == "sh":
            command = ["bash", "-euo", "pipefail", "-c", code]
        else:
            (folder / "example.py").write_text(code, encoding="utf-8")
            command = [python, "example.py"]
        run(f"README block {number} ({lang})", command, folder)
        if stray := left_untracked(source, folder):
            sys.exit(f"README block {number} leaves {stray} untracked in the clone's root")
    run_by_readme = "".join(code for _, code in blocks)
    for script in sorted((source / "examples").iterdir()):
        name = f"examples/{script.name}"
        if script.suffix not in (".sh", ".py") or name in run_by_readme:
            continue
        command = ["bash", name] if script.suffix == ".sh" else [python, name]
        folder = clone_layout(source, build, venv, script.stem)
        run(name, command, folder)
        if stray := left_untracked(source, folder):
            sys.exit(f"{name} leaves {stray} untracked in the clone's root")


if __name__ == "__main__":
    os.environ.pop("PYTHONPATH", None)
    main()
