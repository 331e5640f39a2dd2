"""Studies: grids and frames, goal seeking and sensitivities, each equal to
ppspin-cli's, and Ctrl+C."""

import time

import numpy
import pandas
import pytest

import ppspin
from conftest import assert_ctrl_c_stops, read_summary


def assert_same_summary(ours, cli_summary):
    """Our table holds ppspin-cli's summary: the same columns (inputs named
    the Python way) and values, to the last bit."""
    cli_summary.columns = [c.replace("-", "_") for c in cli_summary.columns]
    ours = ours.astype({"trials": "float64"})
    pandas.testing.assert_frame_equal(ours, cli_summary, check_dtype=False, check_exact=True)


@pytest.mark.parametrize(
    "args, inputs",
    [
        # Refused values record their message and the study goes on.
        (["--sweep", "take-up-speed=-1000:3000:1000"], dict(take_up_speed=range(-1000, 3001, 1000))),
        (
            ["--sweep", "take-up-speed=2000:3000:1000", "--sweep", "zone2-air-velocity=0:100:50",
             "--increment", "0.5"],
            dict(take_up_speed=[2000.0, 3000.0], zone2_air_velocity=numpy.arange(0, 101, 50),
                 increment="0.5"),
        ),
    ],
)
def test_a_study_holds_the_summary_of_ppspin_cli(cli, args, inputs):
    done, folder = cli(*args, "--summary", "s.csv", "--jobs", "2")
    assert done.returncode == 0, done.stderr
    summary = read_summary((folder / "s.csv").read_bytes())
    assert_same_summary(ppspin.study(jobs=2, **inputs), summary)


def test_a_frame_gets_the_outputs_of_its_rows_appended():
    frame = pandas.DataFrame(
        {"take_up_speed": [3000.0, 3200.0, 3400.0], "zone2_air_velocity": [50, "abc", " 75"]},
        index=[10, 12, 11],
    )
    result = ppspin.study(frame=frame, jobs=2, increment=0.5)
    assert list(frame.columns) == ["take_up_speed", "zone2_air_velocity"]  # left as it was
    pandas.testing.assert_frame_equal(result[frame.columns], frame)
    assert list(result.columns[2:]) == ["status", "trials", *ppspin.OUTPUT_NAMES]
    assert list(result["status"]) == ["ok", "Input value is not correct!", "ok"]
    assert result["trials"].isna().tolist() == [False, True, False]
    single = ppspin.run(take_up_speed=3400, zone2_air_velocity=" 75", increment=0.5)
    assert result.loc[11, "trials"] == single.trials
    assert result.loc[11, list(ppspin.OUTPUT_NAMES)].tolist() == list(single.outputs.values())
    empty = ppspin.study(frame=frame.iloc[:0])
    assert len(empty) == 0 and list(empty.columns) == list(result.columns)


def test_a_frame_carries_other_columns_and_missing_values_fill_their_rows():
    frame = pandas.DataFrame({
        "batch": ["a", "b", "c"],
        "take_up_speed": pandas.array([3000, pandas.NA, 3400], dtype="Int64"),
        "zone2_air_velocity": [50.0, 50.0, float("nan")],
        7: [1, 2, 3],
    })
    result = ppspin.study(frame=frame, jobs=2, increment=0.5)
    pandas.testing.assert_frame_equal(result[frame.columns], frame)
    assert list(result.columns[4:6]) == ["status", "trials"]
    assert list(result["status"]) == ["ok", *2 * ["Input value is not correct!"]]
    assert result.loc[0, "D_end_um"] == ppspin.run(
        take_up_speed=3000, zone2_air_velocity=50, increment=0.5).outputs["D_end_um"]


@pytest.mark.parametrize(
    "call, error, words",
    [
        (lambda: ppspin.study(frame=pandas.DataFrame({"take_up_sped": [1]})), TypeError,
         "'take_up_sped', no input name; did you mean 'take_up_speed'"),
        (lambda: ppspin.study(frame=pandas.DataFrame({"status": [1]})), TypeError, "replace"),
        (lambda: ppspin.study(frame=pandas.DataFrame({"take_up_speed": [1]}), take_up_speed=2),
         TypeError, "both"),
        (lambda: ppspin.study(frame=pandas.DataFrame({"take_up_speed": [1]}), increment=[1, 2]),
         TypeError, "not both"),
        (lambda: ppspin.study(take_up_speed=[3000], throughput=[0.7, 0.8]), ppspin.InputRefused,
         "throughput: Output is fixed"),
        (lambda: ppspin.study(take_up_speed=[3000], jobs=0), ValueError, "jobs"),
        (lambda: ppspin.study(frame=dict), ppspin.InputTypeError,
         "frame: expected a pandas DataFrame whose columns are input names, not type"),
        # ppspin-cli's bounds, or limit=; the texts refused, so that a study
        # let through would only fill its rows.
        (lambda: ppspin.study(take_up_speed=range(10001), increment="x"), ppspin.InputRefused,
         "take_up_speed: Sweep range is not correct: more than 10000 values; limit= allows"),
        (lambda: ppspin.study(take_up_speed=range(501), zone2_air_velocity=range(501),
                              increment="x"), ppspin.InputRefused,
         "Grid is too large: 251001 points, at most 250000; limit= allows more"),
        (lambda: ppspin.study(increment=["x"] * 4, limit=3), ppspin.InputRefused,
         "Study is too large: 4 runs, at most limit=3"),
    ],
)
def test_what_cannot_be_studied_is_refused_before_anything_runs(call, error, words):
    with pytest.raises(error, match=words):
        call()


def test_solve_finds_the_value_ppspin_cli_finds(cli):
    done, _ = cli("--solve", "take-up-speed", "--target", "D_end_um=20", "--jobs", "2")
    assert done.returncode == 0, done.stderr
    name, value = done.stdout.decode().splitlines()[0].split("=")
    (found,) = ppspin.solve("take_up_speed", D_end_um=20, jobs=2)
    assert (name, found.value, found.text) == ("take-up-speed", float(value), "2639.64")
    assert abs(found.output - 20) < 1e-6
    with pytest.raises(ppspin.NoSolution, match="is not among its values"):
        ppspin.solve("take_up_speed", D_end_um=20, bracket=(3000, 4000), jobs=2)
    with pytest.raises(ppspin.InputRefused, match="increment: Input value is not correct!"):
        ppspin.solve("take_up_speed", D_end_um=20, increment="x")
    with pytest.raises(TypeError, match="exactly one target"):
        ppspin.solve("take_up_speed", take_up_speed=3000)


def test_sensitivity_is_the_table_of_ppspin_cli(cli):
    done, _ = cli("--sensitivity", "--take-up-speed", "3000", "--jobs", "2")
    assert done.returncode == 0, done.stderr
    table = read_summary(done.stdout)
    table["input"] = table["input"].str.replace("-", "_")
    pandas.testing.assert_frame_equal(
        ppspin.sensitivity(take_up_speed=3000, jobs=2), table, check_dtype=False, check_exact=True
    )


def test_ctrl_c_stops_a_study_within_a_second():
    script = (
        "import numpy, ppspin\n"
        "print('running', flush=True)\n"
        "ppspin.study(take_up_speed=numpy.linspace(1000, 5000, 400000), jobs=2, limit=400000)\n"
    )
    assert_ctrl_c_stops(script)


def test_a_study_tells_its_progress_a_few_times_a_second():
    calls = []
    started = time.monotonic()
    speeds = numpy.linspace(1000, 5000, 10000)  # about a second
    result = ppspin.study(take_up_speed=speeds, jobs=1, progress=lambda *a: calls.append(a))
    took = time.monotonic() - started
    assert calls[-1] == (10000, 10000) and len(result) == 10000
    assert [done for done, _ in calls] == sorted({done for done, _ in calls})
    assert 0 < calls[0][0] < 10000 and len(calls) <= took * 4 + 2

    def stop(done, total):
        raise RuntimeError("enough")

    with pytest.raises(RuntimeError, match="enough"):
        ppspin.study(take_up_speed=numpy.linspace(1000, 5000, 4000), jobs=1, progress=stop)
    with pytest.raises(TypeError, match="progress"):
        ppspin.study(take_up_speed=[3000], progress=1)
