"""saiha.transform at the edges of what it takes: refusals before any work,
per-condition codes for seas beyond the models, flags for impossible numbers,
the published roughness, the lateral mixing, and Ctrl+C in a long call."""

import os
import signal
import subprocess
import sys
import textwrap
import time

import numpy as np
import pandas as pd
import pytest

import saiha


def plane(slope=1 / 50, depth=6.0, spacing=5.0):
    x = np.arange(0.0, (depth + 2) / slope + spacing / 2, spacing)
    return x, -depth + slope * x


@pytest.mark.parametrize("x, z, options, code", [
    pytest.param([0, 1e12], [-5, -5], {}, saiha.Error.PROFILE_OUT_OF_RANGE, id="span 1e12 m"),
    pytest.param([0, 100, 200], [-1e20, -4, 1], {}, saiha.Error.PROFILE_OUT_OF_RANGE,
                 id="bed 1e20 m"),
    pytest.param([0, 100, 200], [-5, 1e39, 1], {}, saiha.Error.PROFILE_OUT_OF_RANGE,
                 id="bed 1e39 m"),
    pytest.param(*plane(), {"max_step": 1e-300}, saiha.Error.TRANSFORM_STEP_LIMIT,
                 id="max_step 1e-300"),
])
def test_work_without_bound_is_refused_at_once(x, z, options, code):
    start = time.monotonic()
    with pytest.raises(saiha.CalcError) as raised:
        saiha.transform(x, z, 1.0, 8.0, 10.0, **options)
    assert raised.value.code == code
    assert isinstance(raised.value, ValueError)
    assert time.monotonic() - start < 1


def test_seas_beyond_the_models_get_their_codes():
    x, z = plane()
    r = saiha.transform(x, z, 1.0, [8, 1e6, 1e12, 8, 8, 8], 10.0, [0, 0, 0, 1e5, 0, 0],
                        wind_stress=[0, 0, 0, 0, 1e30, 2.0])
    assert list(r.error) == [0, saiha.Error.PERIOD_OUT_OF_RANGE, saiha.Error.PERIOD_OUT_OF_RANGE,
                             saiha.Error.TIDE_OUT_OF_RANGE, saiha.Error.WIND_STRESS_OUT_OF_RANGE, 0]
    assert np.isnan(r.R2[1:5]).all()
    # The wind stress broadcasts with the other conditions, signed as V.
    w = saiha.transform(x, z, 1.0, 8.0, 10.0, wind_stress=np.array([[-1.0], [0.0], [1.0]]))
    assert w.shape == (3, 1)
    assert (w.V[0, 0] < w.V[1, 0]).any() and (w.V[2, 0] > w.V[1, 0]).any()


def test_points_above_the_mean_depth_are_flagged():
    x, z = plane(1 / 10, spacing=1.0)
    r = saiha.transform(x, z, 1.0, 9.0, 10.0)
    assert r.ok
    above = (r.Hrms > r.h + r.eta) & (np.abs(r.Hrms - (r.h + r.eta)) > 1e-5)
    bits = (r.point_warning & saiha.WarningFlag.HRMS_ABOVE_MEAN_DEPTH) != 0
    assert above.any()
    assert (bits[above]).all()
    assert r.warning & saiha.WarningFlag.HRMS_ABOVE_MEAN_DEPTH
    frame = saiha.transform_frame(pd.DataFrame({"Hrms0": [1.0], "Tp": [9.0], "theta0": [10.0]}),
                                  (x, z), output="long")
    flagged = (frame["warning"] & saiha.WarningFlag.HRMS_ABOVE_MEAN_DEPTH) != 0
    assert list(flagged) == list(bits)


def test_roughness_mixing_and_their_names():
    x, z = plane()
    duck = saiha.transform(x, z, 1.0, 8.0, 20.0)
    assert duck.options["roughness"] == 0.0125
    assert np.array_equal(duck.V, saiha.transform(x, z, 1.0, 8.0, 20.0, roughness="duck").V,
                          equal_nan=True)
    egmond = saiha.transform(x, z, 1.0, 8.0, 20.0, roughness="egmond")
    assert np.nanmax(egmond.V) < np.nanmax(duck.V)  # a rougher bed, a slower current
    mixed = saiha.transform(x, z, 1.0, 8.0, 20.0, mixing="battjes1975")
    assert mixed.options["mixing"] == "battjes1975"
    assert np.nanmax(mixed.V) < np.nanmax(duck.V)
    assert np.array_equal(saiha.transform(x, z, 1.0, 8.0, 20.0, mixing=0.0).V, duck.V,
                          equal_nan=True)
    with pytest.raises(ValueError, match="unknown mixing"):
        saiha.transform(x, z, 1.0, 8.0, 20.0, mixing="smagorinsky")
    with pytest.raises(ValueError, match="unknown roughness"):
        saiha.transform(x, z, 1.0, 8.0, 20.0, roughness="sand")
    with pytest.raises(saiha.CalcError):
        saiha.transform(x, z, 1.0, 8.0, 20.0, mixing=-1.0)


def test_ctrl_c_ends_a_long_call():
    """SIGINT to a process in a call of some tens of seconds: KeyboardInterrupt within a second
    or two, not at the call's end."""
    script = textwrap.dedent("""
        import sys, time
        import numpy as np
        import saiha
        x = np.array([0.0, 999000.0, 1000000.0])
        z = np.array([-5000.0, -4.0, 1.0])
        print("ready", flush=True)
        try:
            saiha.transform(x, z, np.full(4000, 1.0), 10.0, 5.0, workers=2)
        except KeyboardInterrupt:
            print("interrupted", flush=True)
            sys.exit(3)
        print("finished", flush=True)
    """)
    child = subprocess.Popen([sys.executable, "-c", script], stdout=subprocess.PIPE, text=True,
                             env=os.environ)
    assert child.stdout.readline().strip() == "ready"
    time.sleep(1.0)
    child.send_signal(signal.SIGINT)
    sent = time.monotonic()
    try:
        out, _ = child.communicate(timeout=10)
    except subprocess.TimeoutExpired:
        child.kill()
        child.communicate()
        pytest.fail("the call went on 10 s after SIGINT")
    assert child.returncode == 3, out
    assert "interrupted" in out
    assert time.monotonic() - sent < 5
