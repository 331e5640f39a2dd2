"""Single runs: the API's values, its errors, and equality with ppspin-cli's
report and --csv."""

import ast
import copy
import inspect
import pathlib
import pickle
import time

import numpy
import pandas
import pytest

import ppspin
from conftest import assert_ctrl_c_stops, pipe_without_writer, read_summary

SHORT_SPINLINE = dict(zone1_end=5, zone2_end=10, zone3_end=15)  # never cools to 130 degC


def test_version_defaults_and_help_come_from_the_core(cli):
    done, _ = cli("--version")
    assert done.stdout.decode().split() == ["ppspin-cli", ppspin.__version__]
    defaults = ppspin.defaults()
    assert len(defaults) == 20
    assert (defaults["take_up_speed"], defaults["throughput"], defaults["output"]) == (
        3500.0,
        0.7,
        "result.txt",
    )
    assert defaults.texts["take_up_speed"] == "3500.0"
    assert "take_up_speed       Take-up speed VL (m/min), default 3500.0" in ppspin.run.__doc__
    assert "throughput" in ppspin.study.__doc__


@pytest.mark.parametrize(
    "inputs, args",
    [
        ({}, []),
        (
            dict(take_up_speed=3000, increment="0.5", zone2_air_velocity=" 75"),
            ["--take-up-speed", "3000", "--increment", "0.5", "--zone2-air-velocity", " 75"],
        ),
        (SHORT_SPINLINE, ["--zone1-end", "5", "--zone2-end", "10", "--zone3-end", "15"]),
    ],
)
def test_a_run_gives_the_report_and_profile_ppspin_cli_writes(cli, inputs, args):
    done, folder = cli(*args, "--output", "r.txt", "--csv", "p.csv")
    assert done.returncode == 0, done.stderr
    run = ppspin.run(**inputs)
    assert run.report() == (folder / "r.txt").read_bytes()
    csv = read_summary((folder / "p.csv").read_bytes())
    # The --csv's integral positions read back as integers.
    pandas.testing.assert_frame_equal(run.to_pandas(), csv, check_dtype=False, check_exact=True)
    assert run.trials >= 1
    assert list(run.outputs) == list(ppspin.OUTPUT_NAMES)
    assert run.outputs["D_end_um"] == run.profile["D_cm"][-1] * 1e4


def test_numbers_become_shortest_texts_and_texts_stay_as_given():
    run = ppspin.run(
        take_up_speed=3000.0,
        hole_diameter=numpy.float64(0.1) * 0.25,
        zone2_air_velocity=numpy.int64(50),
        zone1_a2=130 + 1e-13,
        increment=" 1.0",
    )
    texts = run.texts
    assert texts["take_up_speed"] == "3000"
    assert texts["hole_diameter"] == "0.025"
    assert texts["zone2_air_velocity"] == "50"
    assert texts["zone1_a2"] == repr(130 + 1e-13)
    assert texts["increment"] == " 1.0"
    assert texts["throughput"] == "0.7"
    assert run.inputs.texts == texts
    assert (run.inputs["zone1_a2"], run.inputs["increment"]) == (130 + 1e-13, 1.0)
    assert ppspin.run().inputs["take_up_speed"] == 3500.0
    assert ppspin.run(**SHORT_SPINLINE).outputs["z_freeze_cm"] is None


@pytest.mark.parametrize(
    "inputs, error, field, message",
    [
        (dict(take_up_speed=float("nan")), ppspin.InputRefused, "take_up_speed",
         'Input value is not correct! take_up_speed "nan" is not a finite number; give a number > 0'),
        (dict(zone2_air_velocity=-1), ppspin.InputRefused, "zone2_air_velocity",
         'Value of 2nd Zone Air Velocity is not correct: zone2_air_velocity "-1" must be >= 0'),
        (dict(increment=0.05), ppspin.InputRefused, "increment",
         "Value of Increment is too small for 3rd Zone End Position: the grid holds at most "
         "1001 points, so increment must be at least about zone3_end / 1000"),
        (dict(throughput=1.0), ppspin.InputRefused, "throughput",
         "Output is fixed in this program at 0.7 g/min"),
        (dict(zone2_a2=-10), ppspin.FloatingPointFault, None, "Floating point division by zero"),
        (dict(max_trials=1), ppspin.NotConverged, None,
         "Calculation did not converge within max_trials=1 trials; a larger max_trials, "
         "at most 1000000, may let it converge"),
        (dict(take_up_speed="3\ud800"), ppspin.InputRefused, "take_up_speed",
         "the text holds a lone surrogate, which is no character; give the value as a number or "
         "as its text"),
        (dict(hole_diameter=10**400), ppspin.InputRefused, "hole_diameter",
         "the number is too large for a double (at most about 1.8e308); give a smaller value"),
    ],
)
def test_run_errors_say_what_to_fix(inputs, error, field, message):
    with pytest.raises(error) as caught:
        ppspin.run(**inputs)
    assert isinstance(caught.value, ppspin.RunError)
    assert caught.value.message == message
    assert getattr(caught.value, "field", None) == field
    # Dask hands a worker's error back pickled.
    again = pickle.loads(pickle.dumps(caught.value))
    assert (type(again), str(again)) == (error, str(caught.value))


@pytest.mark.parametrize(
    "inputs, words",
    [
        (dict(take_up_sped=3000), "unexpected keyword argument 'take_up_sped'"),
        (dict(take_up_speed=None), "take_up_speed: expected a number or a field text"),
        (dict(take_up_speed=True), "take_up_speed: expected a number or a field text"),
        (dict(max_trials=2.5), "integer"),
    ],
)
def test_what_is_no_input_is_a_type_error(inputs, words):
    with pytest.raises(TypeError, match=words):
        ppspin.run(**inputs)


def test_what_is_done_with_a_profile_leaves_the_run_as_it_is():
    run = ppspin.run()
    with pytest.raises(ValueError, match="read-only"):
        run.profile["T_C"][0] = 0
    run.profile["T_C"] = None
    frame = run.to_pandas()
    frame.loc[0, "T_C"] = 0  # a copy
    assert run.profile["T_C"][0] == 190.0


def test_a_run_pickles_and_copies_as_it_is():
    run = ppspin.run(**SHORT_SPINLINE)
    run.profile  # a cached profile is no part of its state
    for again in (pickle.loads(pickle.dumps(run)), copy.deepcopy(run)):
        assert again == run and hash(again) == hash(run)
        assert again.report() == run.report() and again.inputs == run.inputs
    assert run != ppspin.run(**dict(SHORT_SPINLINE, increment=0.5))


def test_write_report_replaces_a_file_whole_or_not_at_all(tmp_path):
    run = ppspin.run(take_up_speed=3000, output=str(tmp_path / "named.txt"))
    target = tmp_path / "r.txt"
    target.write_bytes(b"old")
    run.write_report(target)
    assert target.read_bytes() == run.report()
    run.write_report()
    assert (tmp_path / "named.txt").read_bytes() == run.report()
    (tmp_path / "folder").mkdir()
    for bad in [tmp_path / "folder", tmp_path / "missing" / "r.txt"]:
        with pytest.raises(OSError, match="Can not write report"):
            run.write_report(bad)
    assert sorted(p.name for p in tmp_path.iterdir()) == ["folder", "named.txt", "r.txt"]


def test_a_report_read_back_runs_to_the_same_bytes(cli, tmp_path):
    done, folder = cli("--take-up-speed", "3000", "--zone2-air-velocity", "75", "--output", "r.txt")
    assert done.returncode == 0, done.stderr
    inputs = ppspin.read_report(folder / "r.txt")
    assert (inputs["take_up_speed"], inputs["zone2_air_velocity"]) == (3000.0, 75.0)
    assert inputs.texts["take_up_speed"] == "3000.0"
    assert "throughput" not in inputs and "output" not in inputs
    assert ppspin.run(**inputs).report() == (folder / "r.txt").read_bytes()
    (tmp_path / "not.txt").write_bytes(b"hello\r\n")
    with pytest.raises(ValueError, match="not.txt: Not a report of this program: line 1"):
        ppspin.read_report(tmp_path / "not.txt")


def test_a_report_is_read_as_ppspin_cli_reads_it_at_once(cli, tmp_path):
    done, folder = cli("--output", "r.txt")
    assert done.returncode == 0, done.stderr
    report = (folder / "r.txt").read_bytes()
    # Spaces around a value are read; past 8 KiB the header is cut short.
    (folder / "long.txt").write_bytes(report.replace(b"=  3500.0", b"=" + b" " * 9000 + b"3500.0"))
    with pipe_without_writer(folder / "pipe"):
        for path in [folder / "pipe", "/dev/zero", folder / "long.txt"]:
            started = time.monotonic()
            with pytest.raises(ValueError) as refused:
                ppspin.read_report(path)
            assert time.monotonic() - started < 2, path
            done, _ = cli("--inputs-from", str(path))
            assert (done.returncode, done.stderr.decode()) == (2, f"{refused.value}\n")


def test_ctrl_c_stops_a_long_run_within_a_second():
    assert_ctrl_c_stops(
        "import ppspin\n"
        "print('running', flush=True)\n"
        "ppspin.run(take_up_speed=1e7, max_trials=1000000)\n"
    )


def test_the_typing_stub_names_every_public_function_and_its_keywords():
    package = pathlib.Path(ppspin.__file__).parent
    assert (package / "py.typed").exists()
    stub = ast.parse((package / "__init__.pyi").read_text())
    functions = {node.name: node for node in stub.body if isinstance(node, ast.FunctionDef)}
    inputs = [field["name"] for field in ppspin._core.catalogue()]
    for name in ppspin.__all__:
        real = getattr(ppspin, name)
        if not inspect.isfunction(real):
            continue
        args = functions[name].args
        typed = [a.arg for a in args.posonlyargs + args.args + args.kwonlyargs]
        parameters = inspect.signature(real).parameters.values()
        given = [p.name for p in parameters if p.kind is not p.VAR_KEYWORD]
        if any(p.kind is p.VAR_KEYWORD for p in parameters):  # **inputs
            given += (list(ppspin.OUTPUT_NAMES) if name == "solve" else []) + inputs
        assert typed == given, name
