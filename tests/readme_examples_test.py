"""The docs test refuses what it must: pages with a block that prints
otherwise than shown, an unmarked block it cannot run, an indented code
block, a command that fails, a comment it does not know; and passes a page
whose blocks run, are shown, written or marked (a block that needs the
window skipped in a build without it, as this scratch build is).

    python3 tests/readme_examples_test.py
"""

import subprocess
import sys
import tempfile
from pathlib import Path

RUNNER = Path(__file__).resolve().parent / "readme_examples.py"
FENCE = "```"

GOOD = f"""# A page

<!-- file: input.txt -->
{FENCE}text
3
{FENCE}

{FENCE}sh
echo $(( $(cat input.txt) * 2 ))
{FENCE}

prints

{FENCE}
6
{FENCE}

{FENCE}python
x = 41
print("set")
{FENCE}

- in a list, the session goes on:

  {FENCE}python
  print(x + 1)
  {FENCE}

  {FENCE}
  42
  {FENCE}

<!-- exits 3: on purpose -->
{FENCE}sh
exit 3
{FENCE}

<!-- needs the window -->
{FENCE}sh
build/app/saiha --version
{FENCE}

<!-- sudo: not run by the docs test -->
{FENCE}sh
false
{FENCE}

<!-- a file of settings: parsed by the docs test -->
{FENCE}json
{{ "format": "saiha-case", "inputs": {{ "Ho": "1" }} }}
{FENCE}

<!-- one member of it: parsed by the docs test -->
{FENCE}json
"inputs": {{ "Ho": "1", "T": "10" }}
{FENCE}
"""

# Each bad page, with a few words of what the runner must say.
BAD = {
    "shown_otherwise": (f"{FENCE}sh\necho 7\n{FENCE}\n\n{FENCE}\n6\n{FENCE}\n", "prints otherwise"),
    "unmarked_json": (f"{FENCE}json\n{{}}\n{FENCE}\n", "neither run nor written"),
    "indented": ("Text.\n\n    echo indented\n", "indented code block"),
    "fails": (f"{FENCE}sh\necho no; false\n{FENCE}\n", "exited with 1"),
    "wrong_status": (f"<!-- exits 1: on purpose -->\n{FENCE}sh\ntrue\n{FENCE}\n", "exited with 0"),
    "unknown_comment": (f"<!-- run it twice -->\n{FENCE}sh\ntrue\n{FENCE}\n", "does not know"),
    "output_after_nothing": (f"{FENCE}\n6\n{FENCE}\n", "after no block that ran"),
    "python_fails": (f"{FENCE}python\nimport no_such_module_here\n{FENCE}\n", "exited with 1"),
    "not_json": (f"<!-- parsed by the docs test -->\n{FENCE}json\n{{ \"a\": 1, }}\n{FENCE}\n",
                 "not JSON"),
    "member_not_json": (f"<!-- parsed by the docs test -->\n{FENCE}json\n\"a\": [1\n{FENCE}\n",
                        "not JSON"),
}


def run(source: Path, build: Path, page: str) -> subprocess.CompletedProcess:
    return subprocess.run([sys.executable, str(RUNNER), str(source), str(build), str(build / "venv"),
                           str(source / page)], capture_output=True, text=True)


def main() -> None:
    failures = []
    with tempfile.TemporaryDirectory() as work:
        source, build = Path(work) / "source", Path(work) / "build"
        for folder in (source / "examples", source / "scripts", build / "python"):
            folder.mkdir(parents=True)
        (source / "good.md").write_text(GOOD, encoding="utf-8")
        done = run(source, build, "good.md")
        if done.returncode != 0 or "4 blocks run, 2 not run" not in done.stdout:
            failures.append(f"the good page: {done.returncode}\n{done.stdout}{done.stderr}")
        for name, (page, said) in BAD.items():
            (source / f"{name}.md").write_text(page, encoding="utf-8")
            done = run(source, build, f"{name}.md")
            if done.returncode == 0 or said not in done.stderr:
                failures.append(f"{name}: exit {done.returncode}, expected a failure saying "
                                f"{said!r}\n{done.stdout}{done.stderr}")
    for failure in failures:
        print("FAIL:", failure)
    print(f"{1 + len(BAD) - len(failures)} passed, {len(failures)} failed")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
