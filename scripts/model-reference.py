#!/usr/bin/env python3
"""Breaking points of every breaker/shoaling model, solved independently.

Plain double precision with the library's π, no single-precision narrowing,
Newton's method for the dispersion relation and bisection to 1e-12 for every
boundary: the reference values of tests/models_test.cpp.  The Ursell
parameter is gHT²/h² throughout.  Prints one C++ table row per case.
"""
import math

G = 9.81


def wavelength(T, h):
    L0 = G * T * T / (2 * math.pi)
    k0h = 2 * math.pi * h / L0
    x = max(k0h, math.sqrt(k0h))
    for _ in range(100):
        f = x * math.tanh(x) - k0h
        x -= f / (math.tanh(x) + x / math.cosh(x) ** 2)
    return 2 * math.pi * h / x


def linear_height(Ho, T, a0, h):
    L0 = G * T * T / (2 * math.pi)
    L = wavelength(T, h)
    kh = 2 * math.pi * h / L
    n = 0.5 * (1 + 2 * kh / math.sinh(2 * kh))
    Ks = math.sqrt(L0 / (2 * n * L))
    a = math.asin(L / L0 * math.sin(a0))
    Kr = math.sqrt(math.cos(a0) / math.cos(a))
    return Ho * Ks * Kr


def root(f, lo, hi):
    """The crossing of f between lo and hi (opposite signs), by bisection."""
    flo = f(lo)
    for _ in range(200):
        mid = 0.5 * (lo + hi)
        if (f(mid) > 0) == (flo > 0):
            lo, flo = mid, f(mid)
        else:
            hi = mid
    return 0.5 * (lo + hi)


def ursell(H, h, T):
    return G * H * T * T / (h * h)


def nonlinear_height(H1, h1, h, T):
    """H·h^(5/2)·(√U − 2√3) = const from (H1, h1), solved for H at h."""
    c = H1 * h1 ** 2.5 * (math.sqrt(ursell(H1, h1, T)) - 2 * math.sqrt(3))
    # The side with √U > 2√3, where the law is used.
    Hmin = 12 * h * h / (G * T * T)
    return root(lambda H: H * h ** 2.5 * (math.sqrt(ursell(H, h, T)) - 2 * math.sqrt(3)) - c,
                Hmin * (1 + 1e-12), 100 * h)


def limits(name, h, T, tanb):
    L0 = G * T * T / (2 * math.pi)
    if name == "goda1970":
        return 0.17 * L0 * (1 - math.exp(-1.5 * math.pi * h / L0 * (1 + 15 * tanb ** (4 / 3))))
    if name == "goda2010":
        return 0.17 * L0 * (1 - math.exp(-1.5 * math.pi * h / L0 * (1 + 11 * tanb ** (4 / 3))))
    if name == "mccowan":
        return 0.78 * h
    if name == "kamphuis":
        return 0.56 * math.exp(3.5 * tanb) * h
    if name == "miche":
        L = wavelength(T, h)
        return 0.142 * L * math.tanh(2 * math.pi * h / L)
    raise ValueError(name)


def height_rule(shoaling, Ho, T, a0):
    """H(h) seaward of breaking under the shoaling rule."""
    L0 = G * T * T / (2 * math.pi)
    lin = lambda h: linear_height(Ho, T, a0, h)
    if shoaling == "two-regime":
        h50 = root(lambda h: ursell(lin(h), h, T) - 50, 1e-3 * L0, L0)
        H50 = 50 * h50 * h50 / (G * T * T)
        return lambda h: lin(h) if h > h50 else nonlinear_height(H50, h50, h, T)
    h30 = root(lambda h: ursell(lin(h), h, T) - 30, 1e-3 * L0, L0)
    H30 = 30 * h30 * h30 / (G * T * T)
    mid = lambda h: H30 * (h30 / h) ** (2 / 7)
    h50 = root(lambda h: ursell(mid(h), h, T) - 50, 1e-3 * L0, h30)
    H50 = 50 * h50 * h50 / (G * T * T)
    return lambda h: lin(h) if h > h30 else mid(h) if h > h50 else nonlinear_height(H50, h50, h, T)


def breaking(breaker, shoaling, Ho, T, alpha0, n):
    L0 = G * T * T / (2 * math.pi)
    H = height_rule(shoaling, Ho, T, math.radians(alpha0))
    hb = root(lambda h: H(h) - limits(breaker, h, T, 1 / n), 1e-3 * L0, L0)
    return limits(breaker, hb, T, 1 / n), hb


if __name__ == "__main__":
    for wave in [(2, 10, 0, 100), (1, 10, 30, 60), (3, 4, 45, 10)]:
        for breaker in ["goda1970", "goda2010", "mccowan", "kamphuis", "miche"]:
            for shoaling in ["two-regime", "shuto"]:
                Hb, hb = breaking(breaker, shoaling, *wave)
                print(f'    {{"{breaker}", "{shoaling}", {{{", ".join(map(str, wave))}}}, '
                      f'{Hb:.4f}, {hb:.4f}}},')
