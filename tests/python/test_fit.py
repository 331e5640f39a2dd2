"""Measured points: fits and comparisons equal to ppspin-cli's, a frame read
as its file, refusals, the run limit and Ctrl+C."""

import math
import pathlib
import pickle
import time

import pandas
import pytest

import ppspin
from ppspin._html import html_table
from conftest import assert_ctrl_c_stops, pipe_without_writer

EXAMPLE = pathlib.Path(__file__).resolve().parents[2] / "docs" / "measured-example.csv"
VARY = ["take_up_speed", "zone2_air_velocity"]


def read_csv(path):
    return pandas.read_csv(path, float_precision="round_trip")


def test_a_fit_gives_what_ppspin_cli_prints_from_the_file_or_its_frame(cli):
    done, _ = cli("--measured", str(EXAMPLE), "--fit", "take-up-speed,zone2-air-velocity",
                  "--jobs", "2")
    assert done.returncode == 0, done.stderr
    lines = done.stdout.decode().splitlines()
    fit = ppspin.fit(EXAMPLE, VARY, jobs=2)
    assert fit.converged and fit.warnings == []
    assert lines[:2] == [f"{name.replace('_', '-')}={fit.values[name]!r}" for name in VARY]
    assert lines[4] == f"{fit.runs} runs, {fit.failed_runs} failed"
    for name, line in zip(VARY, lines[5:7]):
        assert line.startswith(f"standard error {name.replace('_', '-')} ")
        assert float(line.split()[-1]) == float(f"{fit.standard_errors[name]:.3g}")
    assert all(fit.inputs[name] == fit.values[name] for name in VARY)
    # The inputs found run to the fit's own comparison.
    after = ppspin.compare(EXAMPLE, **fit.inputs)
    assert after.rms == {quantity: rms.after for quantity, rms in fit.rms.items()}
    pandas.testing.assert_frame_equal(after.residuals, fit.residuals[after.residuals.columns])

    by_frame = ppspin.fit(read_csv(EXAMPLE), VARY, jobs=2)
    for field in ("values", "texts", "standard_errors", "rms", "runs", "failed_runs"):
        assert getattr(by_frame, field) == getattr(fit, field), field
    pandas.testing.assert_frame_equal(by_frame.residuals, fit.residuals, check_exact=True)
    assert pickle.loads(pickle.dumps((fit, after))) == (fit, after)


def test_a_comparison_reads_a_frame_with_missing_values_as_its_file(cli, tmp_path):
    path = tmp_path / "m.csv"  # where cli runs
    path.write_text("z_cm,T_C,D_um,sigma_D_um\n50,60.000000000000014,,\n"
                    "10.000000000000002,170.12345678901234,120,2\n30,,45,1\n20,130,60,\n")
    done, _ = cli("--measured", "m.csv", "--take-up-speed", "3000")
    assert done.returncode == 0, done.stderr
    comparison = ppspin.compare(path, take_up_speed=3000)
    residuals = comparison.residuals
    assert list(residuals["quantity"]) == ["T_C"] * 3 + ["D_um"] * 3
    assert list(residuals["line"]) == [3, 5, 2, 3, 5, 4]  # each quantity by ascending z
    assert (residuals["residual"] == residuals["measured"] - residuals["model"]).all()
    for line, (quantity, rms) in zip(done.stdout.decode().splitlines()[1:], comparison.rms.items()):
        assert line.startswith(f"rms {quantity} ")
        assert float(line.split()[2]) == float(f"{rms:.3g}")

    by_frame = ppspin.compare(read_csv(path), take_up_speed=3000)
    assert by_frame.rms == comparison.rms
    pandas.testing.assert_frame_equal(by_frame.residuals, residuals, check_exact=True)


def frame(**columns):
    return pandas.DataFrame({"z_cm": [10, 20], **columns})


@pytest.mark.parametrize(
    "measured, call, error, message",
    [
        ("z_cm,T_C\n10,170\n20,abc\n", {}, ppspin.MeasuredRefused,
         'm.csv: line 3: T_C "abc" is not a number'),
        (frame(T_C=["170", "abc"]), {}, ppspin.MeasuredRefused,
         'DataFrame: line 3: T_C "abc" is not a number'),
        (frame(T_C=["170", "1,5"]), {}, ppspin.MeasuredRefused,
         'DataFrame: line 3: T_C "1,5" holds a comma or a line end'),
        (frame(T_C=[170, math.inf]), {}, ppspin.MeasuredRefused,
         'DataFrame: line 3: T_C "inf" is not a number'),
        ("z_cm,T_C\n120,30\n", {}, ppspin.MeasuredRefused,
         "m.csv: line 2: z_cm 120 lies outside the spinline, 0 to 100 cm"),
        (frame(T_C=[170, 150]), dict(vary=["speed"]), TypeError, "'speed'"),
        (frame(T_C=[170, 150]), dict(vary=["throughput"]), ValueError, "'throughput'"),
        (frame(T_C=[170, 150]), dict(bounds={"take_up_speed": (4000, 5000)}), ppspin.InputRefused,
         "take_up_speed: take_up_speed starts at 3500, outside its bounds 4000 to 5000"),
        (frame(T_C=[170, 150]), dict(bounds={"take_up_speed": (0, math.inf)}), ppspin.InputRefused,
         "Bounds of take_up_speed are not correct"),
        (frame(T_C=[170, 150]), dict(max_trials=3), ppspin.RunError,
         "^The run at the starting values failed: Calculation did not converge$"),
    ],
)
def test_what_cannot_be_fitted_is_refused(tmp_path, measured, call, error, message):
    if isinstance(measured, str):
        (tmp_path / "m.csv").write_text(measured)
        measured = tmp_path / "m.csv"
        message = message.replace("m.csv", str(measured))
    call = dict(dict(vary=["take_up_speed"]), **call)
    with pytest.raises(error, match=message) as raised:
        ppspin.fit(measured, **call)
    if error is ppspin.MeasuredRefused:
        assert isinstance(raised.value, ValueError) and raised.value.field == "measured"
    assert error is not ppspin.RunError or not isinstance(raised.value, ppspin.InputRefused)


def test_a_measured_file_is_read_as_ppspin_cli_reads_it_at_once(cli, tmp_path):
    (tmp_path / "garbage.bin").write_bytes(b"z_cm,\xff\xfe\n")
    with pipe_without_writer(tmp_path / "pipe"):
        for path in [tmp_path / "pipe", tmp_path / "garbage.bin"]:
            started = time.monotonic()
            with pytest.raises(ppspin.MeasuredRefused) as refused:
                ppspin.compare(path)
            assert time.monotonic() - started < 2, path
            done, _ = cli("--measured", str(path))
            assert done.returncode == 2
            assert done.stderr.decode(errors="backslashreplace") == f"{refused.value}\n"


def test_a_fit_is_a_hashable_value_with_its_covariance_and_a_notebook_table():
    fit = ppspin.fit(EXAMPLE, VARY, jobs=2)
    copy = pickle.loads(pickle.dumps(fit))
    assert hash(copy) == hash(fit) and {fit: 1}[copy] == 1
    errors = [fit.standard_errors[name] for name in VARY]
    assert list(fit.covariance.index) == list(fit.covariance.columns) == VARY
    assert list(fit.covariance.to_numpy().diagonal() ** 0.5) == errors
    assert (fit.covariance.to_numpy() == fit.covariance.to_numpy().T).all()
    correlation = fit.correlation.loc[VARY[0], VARY[1]]
    assert correlation == fit.covariance.loc[VARY[0], VARY[1]] / errors[0] / errors[1]
    assert -1 < correlation < 1
    assert f"<td>{fit.texts[VARY[0]]}</td>" in fit._repr_html_()
    comparison = ppspin.compare(EXAMPLE)
    assert hash(pickle.loads(pickle.dumps(comparison))) == hash(comparison)
    assert "<td>T_C</td>" in comparison._repr_html_()
    assert "<caption>ppspin.Run: " in comparison.run._repr_html_()
    assert "<caption>&lt;b&gt;&amp;</caption>" in html_table("<b>&", ("a",), [("x",)])


def test_a_fit_at_its_run_limit_returns_the_best_values_so_far():
    with pytest.warns(RuntimeWarning, match="The fit stopped at its limit of 5 runs"):
        fit = ppspin.fit(EXAMPLE, VARY, max_runs=5)
    assert not fit.converged and fit.runs == 5
    assert fit.warnings == ["The fit stopped at its limit of 5 runs"]
    assert fit.standard_errors == {name: None for name in VARY}
    assert fit.covariance.isna().all().all()
    assert all(rms.after <= rms.before for rms in fit.rms.values())


def test_ctrl_c_cancels_a_fit_within_a_second(tmp_path):
    # 100,000 points of four quantities and six inputs: about 2 s a fit.
    script = (
        "import numpy, pandas, ppspin\n"
        "p = ppspin.run(take_up_speed=3100, zone2_air_velocity=85).to_pandas()\n"
        "z = numpy.linspace(0, 100, 100000)\n"
        "columns = {c: numpy.interp(z, p['z_cm'], p[c]) * (1 + 0.01 * numpy.sin(7 * z))\n"
        "           for c in ['v_m_min', 'F_dyn', 'T_C', 'D_cm']}\n"
        f"path = {str(tmp_path / 'big.csv')!r}\n"
        "pandas.DataFrame({'z_cm': z, **columns}).to_csv(path, index=False)\n"
        "print('running', flush=True)\n"
        "while True:\n"
        "    ppspin.fit(path, ['take_up_speed', 'zone2_air_velocity', 'zone1_a1', 'zone2_a1',\n"
        "                      'hole_diameter', 'zone1_a2'], jobs=2)\n"
    )
    assert_ctrl_c_stops(script)
