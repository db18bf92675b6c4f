#!/usr/bin/env python3
"""Writes examples/cases.csv, a few hundred varied cases for saiha-calc, and
examples/conditions.csv, three days of hourly sea states at the offshore end
of examples/barred_profile.csv for `saiha-calc transform`.

Deterministic: a fixed seed and a small generator of its own, so the files
are the same on every machine and every Python version.  Run from anywhere:

    scripts/make-examples.py            # rewrites both files
    scripts/make-examples.py -          # writes cases.csv to standard output
    scripts/make-examples.py - conditions   # writes conditions.csv there

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


def cases_text():
    rng = SplitMix64(SEED)
    rows = [("Ho", "T", "alpha0", "n", "h"), ("1", "10", "30", "60", "")]
    rows += [random_case(rng) for _ in range(CASES - 1)]
    rows += FAILING_ROWS
    return "".join(",".join(row) + "\n" for row in rows)


# A storm passing over three days, hour by hour, at the 7 m deep offshore end
# of the barred beach: the root-mean-square height rises from a swell of
# 0.5 m to 1.5 m at its peak on the second day and falls again, the peak
# period lengthens from 8 to 11 s as the sea grows, the waves turn from 10
# degrees on one side of the normal to 25 on the other as the storm goes by,
# and a semi-diurnal tide of 0.5 m amplitude (12.42 h) rises and falls.
CONDITION_HOURS = 72
STORM_PEAK_HOUR = 36.0
STORM_SPREAD_HOURS = 14.0


def condition_rows():
    rows = [("time", "Hrms0", "Tp", "theta0", "tide")]
    for hour in range(CONDITION_HOURS):
        storm = math.exp(-(((hour - STORM_PEAK_HOUR) / STORM_SPREAD_HOURS) ** 2))
        height = 0.5 + 1.0 * storm
        period = 8.0 + 3.0 * storm
        angle = -10.0 + 35.0 * hour / (CONDITION_HOURS - 1)
        tide = 0.5 * math.cos(2.0 * math.pi * hour / 12.42)
        day, clock = divmod(hour, 24)
        rows.append((f"2024-03-{11 + day:02d}T{clock:02d}:00", f"{height:.2f}", f"{period:.1f}",
                     f"{angle:.1f}", f"{tide:.2f}"))
    return rows


def conditions_text():
    return "".join(",".join(row) + "\n" for row in condition_rows())


def main():
    texts = {"cases": cases_text(), "conditions": conditions_text()}
    if sys.argv[1:2] == ["-"]:
        sys.stdout.write(texts[sys.argv[2] if len(sys.argv) > 2 else "cases"])
        return
    examples = pathlib.Path(__file__).resolve().parent.parent / "examples"
    for name, text in texts.items():
        (examples / f"{name}.csv").write_text(text, encoding="utf-8", newline="\n")


if __name__ == "__main__":
    main()
