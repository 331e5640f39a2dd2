"""Studies: sweeps, grids and frames of input sets, goal seeking and
sensitivities, each on several threads with the GIL released."""

import collections
import difflib
import math
import os
import sys

import numpy
import pandas

from . import _core
from ._docs import with_inputs
from ._errors import InputRefused, InputTypeError
from ._run import MAX_TRIALS, checked_count, checked_trials

OUTPUT_NAMES = _core.OUTPUT_NAMES
# ppspin-cli's bounds of a study, unless limit= says otherwise.
MAX_SWEEP_VALUES = _core.MAX_SWEEP_VALUES
MAX_GRID_POINTS = _core.MAX_GRID_POINTS
INPUT_NAMES = frozenset(field["name"] for field in _core.catalogue())

Solution = collections.namedtuple("Solution", ["value", "output", "text"])
Solution.__doc__ = """A value of the input that gives the target: value as found (to a
relative 1e-9), output as its run gives it, and text, the fewest
significant digits (at most 10) whose own run meets the target to a
millionth, as the window's field would show it."""


def checked_jobs(jobs):
    """Runs made at once: every hardware thread for None, else 1 to 1024."""
    return (os.cpu_count() or 1) if jobs is None else checked_count("jobs", jobs, 1024)


def _is_values(value):
    """Whether a keyword sweeps its input (a sequence) or fixes it (a scalar)."""
    if isinstance(value, (str, bytes)):
        return False
    if isinstance(value, numpy.ndarray):
        return value.ndim > 0
    return isinstance(value, (list, tuple, range, pandas.Series, pandas.Index))


def _column(values):
    """A column of values for the core: numbers as one float array (a
    missing value of a nullable column, pd.NA, as NaN, refused in its row
    as NaN is), texts (or a mix) value by value."""
    if isinstance(values, pandas.Series) and pandas.api.types.is_numeric_dtype(values.dtype):
        if not pandas.api.types.is_bool_dtype(values.dtype):
            return values.to_numpy(dtype=numpy.float64, na_value=numpy.nan)
    array = numpy.asarray(values)
    if array.dtype.kind in "iuf":
        return array.astype(numpy.float64).ravel()
    return [numpy.nan if v is None or v is pandas.NA else v for v in values]


# The columns a study appends: a frame's own column of that name would be lost.
RESULT_NAMES = frozenset(["status", "trials", *OUTPUT_NAMES])


def _input_columns(names, shared):
    """The columns of a frame that are inputs; the others (an ID, a batch)
    are carried through. A TypeError for a column the result would
    overwrite, and for one named so nearly as an input that it is taken
    for a misspelling of it."""
    if len(set(names)) != len(names):
        raise TypeError("study() got a column name twice")
    inputs = []
    for name in names:
        if name in INPUT_NAMES:
            if name in shared:
                raise TypeError(f"study() got {name} both as a column and as a single value")
            inputs.append(name)
        elif name in RESULT_NAMES:
            raise TypeError(f"study() got a column {name!r} that the result's column would replace")
        elif isinstance(name, str):
            near = difflib.get_close_matches(name, INPUT_NAMES, n=1, cutoff=0.85)
            if near:
                raise TypeError(
                    f"study() got a column {name!r}, no input name; did you mean {near[0]!r}?"
                )
    return inputs


def _tqdm_bar():
    """A tqdm bar's update as a progress callback, and the bar to close."""
    try:
        import tqdm
    except ImportError:
        raise ModuleNotFoundError(
            "study(progress=True) shows a tqdm bar, and tqdm is not installed (Debian: "
            "python3-tqdm); pass a callable progress(done, total) instead"
        ) from None
    bar = tqdm.tqdm(unit="run")

    def update(done, total):
        bar.total = total
        bar.update(done - bar.n)

    return update, bar


def _run_sets(table, shared, jobs, max_trials, progress=None):
    """Runs one set of inputs per row of table, its input columns and shared
    giving the inputs, and appends the summary's columns to it."""
    names = _input_columns(list(table.columns), shared)
    columns = [(name, _column(table[name])) for name in names]
    bar = None
    if progress is True:
        progress, bar = _tqdm_bar()
    elif progress is not None and not callable(progress):
        raise TypeError("progress: expected a callable progress(done, total), True or None")
    try:
        result = _core.study_sets(
            shared, columns, len(table), checked_jobs(jobs), checked_trials(max_trials), progress
        )
    finally:
        if bar is not None:
            bar.close()
    table["status"] = result["status"]
    table["trials"] = pandas.arrays.IntegerArray(result["trials"], ~result["ok"])
    for j, name in enumerate(OUTPUT_NAMES):
        table[name] = result["outputs"][:, j]
    return table


def _count(values):
    """How many values a swept input takes."""
    return values.size if isinstance(values, numpy.ndarray) else len(values)


def _check_size(swept, frame, limit):
    """Refuses a study larger than ppspin-cli's, or than limit, before
    anything is built: a grid of 10**4 by 10**4 would take gigabytes."""
    runs = len(frame) if frame is not None else math.prod(_count(v) for v in swept.values())
    if limit is not None:
        most = checked_count("limit", limit, sys.maxsize)
        if runs > most:
            raise InputRefused(None, f"Study is too large: {runs} runs, at most limit={most}")
        return
    allow = "; limit= allows more"
    for name, values in swept.items():
        if _count(values) > MAX_SWEEP_VALUES:
            raise InputRefused(
                name, f"Sweep range is not correct: more than {MAX_SWEEP_VALUES} values" + allow
            )
    if runs > MAX_GRID_POINTS:
        what = "rows" if frame is not None else "points"
        raise InputRefused(
            None,
            f"{'Frame' if frame is not None else 'Grid'} is too large: {runs} {what}, "
            f"at most {MAX_GRID_POINTS}" + allow,
        )


def _grid(swept):
    """Every combination of the swept values, the first input varying slowest."""
    arrays = [
        numpy.asarray(v if isinstance(v, numpy.ndarray) else list(v)).ravel()
        for v in swept.values()
    ]
    index = numpy.indices([len(a) for a in arrays]).reshape(len(arrays), -1)
    return pandas.DataFrame({name: a[at] for name, a, at in zip(swept, arrays, index)})


@with_inputs
def study(*, frame=None, jobs=None, max_trials=MAX_TRIALS, limit=None, progress=None, **inputs):
    """Runs one calculation per combination of values, or per row of a frame.

    ppspin.study(take_up_speed=numpy.arange(1000, 5001, 250),
                 zone2_air_velocity=[0, 50, 100], increment=0.5)
    runs every combination of the inputs given as sequences (the first
    varying slowest), the inputs given as single values shared by all. It
    returns a DataFrame with a column per swept input, then the columns of
    ppspin-cli's study summary with its values: status ("ok" or the
    refusal's or run error's message), trials (missing where the run
    failed), F0_dyn, F_end_dyn, v_end_m_min, D_end_um, T_end_C, z_freeze_cm
    and ten_ap_end_g_den (NaN where there is none).

    With frame, a DataFrame whose rows are input sets (a Monte Carlo
    study's draws, say), it runs one calculation per row and returns a copy
    of the frame with those columns appended. Its columns named as inputs
    are the inputs; any other (an ID, a batch) is carried through as it is,
    unless named as a column of the result, or so nearly as an input that
    it looks misspelt (a TypeError). A missing value (NaN, or pd.NA of a
    nullable column) is refused in its row.

    A study is bounded as ppspin-cli's: a swept input takes at most
    MAX_SWEEP_VALUES (10,000) values, and a grid or a frame makes at most
    MAX_GRID_POINTS (250,000) runs. limit=N allows any study of at most N
    runs instead, on purpose; a larger one is refused (InputRefused) before
    any memory is taken for it.

    progress, a callable, is called as progress(done, total) from the
    calling thread a few times a second while the study runs, and once with
    done equal to total at its end; an error it raises stops the study and
    is raised. progress=True shows a tqdm bar instead (tqdm must be
    installed).

    A refused value or a run error is recorded in its row and the study goes
    on. The runs are made in memory on jobs threads (every hardware thread
    by default) with the GIL released; Ctrl+C stops the study within a
    second with KeyboardInterrupt. An unknown input is a TypeError that
    names it; a fixed input with another value than its own is refused
    (InputRefused) before anything runs.

    {inputs}"""
    swept = {name: values for name, values in inputs.items() if _is_values(values)}
    shared = {name: value for name, value in inputs.items() if name not in swept}
    if frame is not None:
        if not isinstance(frame, pandas.DataFrame):
            raise InputTypeError(
                "frame",
                "expected a pandas DataFrame whose columns are input names, not "
                + type(frame).__name__,
            )
        if swept:
            raise TypeError("study() takes a frame or inputs given as sequences, not both")
    _check_size(swept, frame, limit)
    if frame is not None:
        table = frame.copy()
    else:
        table = _grid(swept) if swept else pandas.DataFrame(index=range(1))
    return _run_sets(table, shared, jobs, max_trials, progress)


@with_inputs
def solve(input, *, bracket=None, jobs=None, max_trials=MAX_TRIALS, **inputs):
    """Finds every value of an input that gives an output a target value.

    ppspin.solve("take_up_speed", D_end_um=20) samples the input's reach
    (bracket=(lo, hi), or without one its domain as far as 2**60 times its
    value either way), refines every sign change, and returns every value
    found as a Solution(value, output, text), nearest the input's current
    value first. One keyword names the target, an output of the study
    summary (F0_dyn, F_end_dyn, v_end_m_min, D_end_um, T_end_C, z_freeze_cm,
    ten_ap_end_g_den); the others are inputs, the input solved for starting
    from its own.

    Raises InputRefused when the inputs it starts from are refused,
    NoSolution when no value in reach gives the target (saying what the
    output ran through), and RunError when no run in reach converges or a
    run in the bracket fails. Runs on jobs threads with the GIL released;
    Ctrl+C stops it with KeyboardInterrupt.

    {inputs}"""
    targets = {name: inputs.pop(name) for name in list(inputs) if name in OUTPUT_NAMES}
    if len(targets) != 1:
        raise TypeError(
            "solve() needs exactly one target, an output such as D_end_um=20; outputs: "
            + ", ".join(OUTPUT_NAMES)
        )
    ((output, target),) = targets.items()
    if bracket is not None:
        lo, hi = bracket
        bracket = (float(lo), float(hi))
    found = _core.solve(
        inputs,
        input,
        output,
        float(target),
        bracket,
        checked_jobs(jobs),
        checked_trials(max_trials),
    )
    return [Solution(*solution) for solution in found]


@with_inputs
def sensitivity(*, jobs=None, max_trials=MAX_TRIALS, **inputs):
    """The elasticity of every output to every editable input, as
    ppspin-cli --sensitivity gives it.

    Returns a DataFrame with a row per editable input (named as Python names
    it): input, value, step ("1%", or "+1"/"+-1" for an input at 0, whose
    row gives the relative change per unit step), status ("ok" or the failed
    run's message), then d ln(output) / d ln(input) by central differences
    for each output of the study summary (NaN where there is none).

    Raises the error of the run at the given values when it fails. Runs on
    jobs threads with the GIL released; Ctrl+C stops it with
    KeyboardInterrupt.

    {inputs}"""
    table = _core.sensitivity(inputs, checked_jobs(jobs), checked_trials(max_trials))
    return pandas.DataFrame(table)
