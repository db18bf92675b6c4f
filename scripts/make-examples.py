#!/usr/bin/env python3
"""Writes examples/cases.csv: a few hundred varied cases for saiha-calc.

Deterministic: a fixed seed and a small generator of its own, so the file is
the same on every machine and every Python version.  Run from anywhere:

    scripts/make-examples.py            # rewrites examples/cases.csv
    scripts/make-examples.py -          # writes to standard output

The cases: deep-water heights 0.3-8 m, periods 4-20 s, angles -60..60
degrees, slopes 1/10..1/200, and the depth empty (the breaking depth) or
1-50 m.  Height and period are paired so that the deep-water steepness
Ho/Lo stays between 0.004 and 0.05, the range of ordinary sea and swell.
A handful of rows at the end show how each kind of failure is reported.
"""

import math
import pathlib
import sys

CASES = 300
SEED = 20240611

# Rows that fail, each for a different reason, with the sheet's texts as a
# user would type them.
FAILING_ROWS = [
    ("1", "10", "30", "0", ""),        # slope denominator 0
    ("1", "10", "90", "60", ""),       # angle outside -90..90 (exclusive)
    ("1", "10", "30", "60", "abc"),    # depth that is not a number
    ("0.01", "20", "0", "0.01", ""),   # no breaking point on h/Lo = 0.00001..1
    ("1", "0", "30", "60", ""),        # period 0
    ("", "10", "30", "60", ""),        # height missing
    ("-2", "10", "30", "60", ""),      # negative height
    ("1", "10", "30", "-60", ""),      # negative slope denominator
    ("8", "2", "0", "10", ""),         # far too steep to shoal
]


class SplitMix64:
    """A tiny pseudo-random generator (SplitMix64), the same on every Python."""

    MASK = (1 << 64) - 1

    def __init__(self, seed):
        self.state = seed & self.MASK

    def next_u64(self):
        self.state = (self.state + 0x9E3779B97F4A7C15) & self.MASK
        z = self.state
        z = ((z ^ (z >> 30)) * 0xBF58476D1CE4E5B9) & self.MASK
        z = ((z ^ (z >> 27)) * 0x94D049BB133111EB) & self.MASK
        return z ^ (z >> 31)

    def uniform(self, low, high):
        return low + (high - low) * (self.next_u64() >> 11) / float(1 << 53)

    def log_uniform(self, low, high):
        return math.exp(self.uniform(math.log(low), math.log(high)))


def fixed(value, decimals):
    """The value as a plain decimal text, trailing zeros dropped ("2.50" -> "2.5")."""
    text = f"{value:.{decimals}f}"
    if "." in text:
        text = text.rstrip("0").rstrip(".")
    return text


def random_case(rng):
    while True:
        period = round(rng.uniform(4.0, 20.0), 1)
        height = round(rng.log_uniform(0.3, 8.0), 2)
        steepness = height / (1.56 * period * period)
        if 0.004 <= steepness <= 0.05:
            break
    angle = rng.uniform(-60.0, 60.0)
    angle_text = fixed(angle, 1 if rng.uniform(0, 1) < 0.3 else 0)
    slope = fixed(rng.log_uniform(10.0, 200.0), 0)
    depth = "" if rng.uniform(0, 1) < 0.4 else fixed(rng.log_uniform(1.0, 50.0), 1)
    return (fixed(height, 2), fixed(period, 1), angle_text, slope, depth)


def main():
    rng = SplitMix64(SEED)
    rows = [("Ho", "T", "alpha0", "n", "h"), ("1", "10", "30", "60", "")]
    rows += [random_case(rng) for _ in range(CASES - 1)]
    rows += FAILING_ROWS
    text = "".join(",".join(row) + "\n" for row in rows)

    if sys.argv[1:] == ["-"]:
        sys.stdout.write(text)
    else:
        target = pathlib.Path(__file__).resolve().parent.parent / "examples" / "cases.csv"
        target.write_text(text, encoding="utf-8", newline="\n")


if __name__ == "__main__":
    main()
