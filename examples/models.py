"""Breaker and shoaling models side by side, and the longshore transport.

A 2 m, 10 s wave arriving 30 degrees off the shore normal on a 1/100 beach:
where it breaks under each model, and how much sand the breaking waves move
alongshore (the CERC formula, the regular wave's breaker height standing in
for the significant height).  Run with the Python that has saiha installed:

    .venv/bin/python examples/models.py
"""

import numpy as np

import saiha

Ho, T, alpha0, n = 2.0, 10.0, 30.0, 100.0

# Every breaker limit with each shoaling rule, and the empirical breaking
# point, with the transport each one implies (m3/year, signed as theta_b).
rows = saiha.compare(Ho, T, alpha0, n)
print(rows[["breaker", "shoaling", "Hb", "hb", "gamma", "theta_b", "Q_m3_per_year"]]
      .to_string(index=False, float_format="{:.3g}".format))

# One model over many waves: the periods from 6 s to 14 s under McCowan's
# limit, and the transport of those breaking points for a finer sand bed.
T_range = np.arange(6.0, 15.0, 2.0)
r = saiha.calc(Ho, T_range, alpha0, n, breaker="mccowan")
t = saiha.transport(r.Hb, r.hb, r.theta_b, gamma=r.gamma, porosity=0.35)
print()
print("T (s)   Hb (m)   hb (m)   Q (m3/year)")
for period, Hb, hb, Q in zip(T_range, r.Hb, r.hb, t.Q_m3_per_year):
    print(f"{period:5.0f} {Hb:8.2f} {hb:8.2f} {Q:13.0f}")

# The transport is driven by the angle at breaking: none at normal incidence.
assert np.all(t.Q_m3_per_year > 0)
assert saiha.compare(Ho, T, 0.0, n).Q_m3_per_year.abs().max() == 0
