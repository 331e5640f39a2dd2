"""Measured points: how far a run is from them, and fitting inputs to them."""

import collections
import dataclasses
import math
import numbers
import os
import warnings

import numpy
import pandas

from . import _core
from ._docs import with_inputs
from ._errors import MeasuredRefused
from ._html import html_table
from ._run import MAX_TRIALS, Inputs, Run, checked_count, checked_trials
from ._study import checked_jobs

Rms = collections.namedtuple("Rms", ["before", "after", "points"])
Rms.__doc__ = """The RMS of measured minus model for one quantity, in its column's
unit, at the starting values and at the values found, over so many points."""

# What a CSV cell cannot hold without changing the lines and cells around it.
_CSV_BREAKS = (",", "\n", "\r")


def _cell(value):
    """A frame's value as a CSV cell: a number as its shortest round-trip
    text with ".", a missing value empty, anything else as str() gives it
    (for the reader to refuse when it is no number)."""
    if isinstance(value, str):
        return value
    if value is None or value is pandas.NA or value is pandas.NaT:
        return ""
    if isinstance(value, (bool, numpy.bool_)):
        return str(value)
    if isinstance(value, numbers.Integral):
        return str(int(value))
    if isinstance(value, numbers.Real):
        return "" if math.isnan(value) else repr(float(value))
    return str(value)


def _column_cells(name, column, line_of):
    """The cells of a frame's column; MeasuredRefused for a text that would
    break the CSV apart."""
    if isinstance(column.dtype, numpy.dtype) and column.dtype.kind == "f":
        return ["" if v != v else repr(v) for v in column.tolist()]
    if isinstance(column.dtype, numpy.dtype) and column.dtype.kind in "iu":
        return [str(v) for v in column.tolist()]
    cells = [_cell(v) for v in column.tolist()]
    for i, cell in enumerate(cells):
        if any(c in cell for c in _CSV_BREAKS):
            raise MeasuredRefused(
                "measured",
                f'DataFrame: line {line_of(i)}: {name} "{cell}" holds a comma or a line end',
            )
    return cells


def _frame_csv(frame):
    """A frame's rows as the CSV text of a measured file: the header line 1,
    the row at position i line i + 2."""
    names = [str(name) for name in frame.columns]
    _column_cells("column", pandas.Series(names, dtype=object), lambda i: 1)
    # The reader refuses a row beyond its bound; no more need be written.
    rows = frame.iloc[: _core.MAX_MEASURED_ROWS + 1]
    columns = [
        _column_cells(name, rows.iloc[:, j], lambda i: i + 2) for j, name in enumerate(names)
    ]
    lines = [",".join(names), *(",".join(cells) for cells in zip(*columns))]
    return ("\n".join(lines) + "\n").encode("utf-8", "backslashreplace")


def _measured_text(measured):
    """(CSV text, source) of measured points: a DataFrame's as its CSV, or
    a file's bytes as ppspin-cli reads them, at most one beyond the
    reader's bound."""
    if isinstance(measured, pandas.DataFrame):
        return _frame_csv(measured), b"DataFrame"
    path = os.fsencode(measured)
    return _core.read_measured(path), path


def _same_fields(a, b):
    """Whether two results of one dataclass hold equal fields, frames
    compared cell for cell (their == gives a frame, not a bool)."""
    if type(a) is not type(b):
        return NotImplemented
    for field in dataclasses.fields(a):
        x, y = getattr(a, field.name), getattr(b, field.name)
        if not (x.equals(y) if isinstance(x, pandas.DataFrame) else x == y):
            return False
    return True


def _residual_frame(comparison):
    """A row per measured point: quantity (its column's name), line (in the
    file, the header being line 1), z_cm, measured, model, residual."""
    columns = ["quantity", "line", "z_cm", "measured", "model", "residual"]
    return pandas.DataFrame({name: comparison[name] for name in columns})


@dataclasses.dataclass(frozen=True, repr=False, eq=False)
class Comparison:
    """A run at the inputs given and how far it is from the measured points.

    rms: the RMS of measured minus model by quantity (v_m_min, F_dyn, T_C,
    D_cm or D_um, those measured, in that order), in the column's unit.
    residuals: a DataFrame with a row per measured point, quantity by
    quantity, each by ascending z: quantity, line (in the file, the header
    being line 1), z_cm, measured, model (linear between grid points) and
    residual (measured minus model). run: the converged Run.
    """

    rms: dict
    residuals: pandas.DataFrame
    run: Run

    __eq__ = _same_fields

    def __hash__(self):
        return hash(self.run)

    def __repr__(self):
        rms = ", ".join(f"{q} {value:.3g}" for q, value in self.rms.items())
        return f"<ppspin.Comparison: rms {rms}>"

    def _repr_html_(self):
        rows = [(q, f"{value:.6g}") for q, value in self.rms.items()]
        return html_table("ppspin.Comparison", ("quantity", "RMS"), rows)


@dataclasses.dataclass(frozen=True, repr=False, eq=False)
class Fit:
    """Inputs fitted to measured points, as ppspin-cli --fit finds them.

    values: each varied input's value found, in full, in the order varied.
    texts: each as a field would show it, to two significant digits of its
    standard error (6 digits without one).
    standard_errors: each one's approximate standard error, None where the
    points do not determine it or the fit did not converge.
    inputs: every input by Python name at the values found, an Inputs
    (numbers, with the field texts in fit.inputs.texts), so that
    ppspin.run(**fit.inputs) makes their run.
    residuals: a row per measured point (see Comparison) at the values
    found, then model_before and residual_before at the starting values.
    rms: an Rms(before, after, points) by quantity.
    runs, failed_runs: the calculations made (the standard errors'
    included) and those of them that failed, each penalised.
    warnings: what the points cannot tell (see ppspin-cli's warnings),
    and first, when it did not converge, that the fit stopped at its limit.
    converged: False when the fit stopped at max_runs with the best values
    so far.
    covariance: the estimates' covariance as a DataFrame indexed both ways
    by the varied inputs, from the Jacobian at the optimum as the standard
    errors are (its diagonal's roots are they, exactly); NaN where an input
    has no standard error. correlation: the same scaled to a unit diagonal.

    A Fit is a value: equal fits hash alike, so that one may key a dict.
    """

    values: dict
    texts: dict
    standard_errors: dict
    inputs: dict
    residuals: pandas.DataFrame
    rms: dict
    runs: int
    failed_runs: int
    warnings: list
    converged: bool
    covariance: pandas.DataFrame
    correlation: pandas.DataFrame

    __eq__ = _same_fields

    def __hash__(self):
        # Of fields equal fits share; the frames hash no way.
        return hash((tuple(self.values.items()), self.runs, self.converged))

    def __repr__(self):
        state = "converged" if self.converged else "not converged"
        values = ", ".join(f"{name}={text}" for name, text in self.texts.items())
        return f"<ppspin.Fit: {state}, {self.runs} runs, {values}>"

    def _repr_html_(self):
        state = "converged" if self.converged else "not converged"
        rows = [
            (name, text, "" if error is None else f"{error:.3g}")
            for (name, text), error in zip(self.texts.items(), self.standard_errors.values())
        ]
        return html_table(
            f"ppspin.Fit: {state}, {self.runs} runs", ("input", "value", "standard error"), rows
        )


def _covariance_frames(names, covariance):
    """The covariance and correlation frames of the core's matrix (empty
    when the fit did not converge), None in it as NaN."""
    size = len(names)
    matrix = numpy.full((size, size), numpy.nan)
    for i, row in enumerate(covariance):
        matrix[i] = [numpy.nan if v is None else v for v in row]
    roots = numpy.sqrt(numpy.diagonal(matrix))
    with numpy.errstate(invalid="ignore", divide="ignore"):
        correlation = matrix / numpy.outer(roots, roots)
    return (
        pandas.DataFrame(matrix, index=names, columns=names),
        pandas.DataFrame(correlation, index=names, columns=names),
    )


def _fit_of(result):
    """The Fit of the core's result."""
    before, after = result["before"], result["after"]
    residuals = _residual_frame(after)
    residuals["model_before"] = before["model"]
    residuals["residual_before"] = before["residual"]
    points = collections.Counter(after["quantity"])
    notes = list(result["warnings"])
    if not result["converged"]:
        notes.insert(0, result["message"])
        warnings.warn(result["message"], RuntimeWarning, stacklevel=3)
    fitted = result["fitted"]
    covariance, correlation = _covariance_frames(
        [name for name, _, _, _ in fitted], result["covariance"]
    )
    return Fit(
        values={name: value for name, value, _, _ in fitted},
        texts={name: text for name, _, _, text in fitted},
        standard_errors={name: error for name, _, error, _ in fitted},
        inputs=Inputs(result["inputs"]),
        residuals=residuals,
        rms={q: Rms(before["rms"][q], after["rms"][q], points[q]) for q in after["rms"]},
        runs=result["runs"],
        failed_runs=result["failed_runs"],
        warnings=notes,
        converged=result["converged"],
        covariance=covariance,
        correlation=correlation,
    )


@with_inputs
def compare(measured, *, max_trials=MAX_TRIALS, **inputs):
    """Runs the inputs and compares the run with measured points, as
    ppspin-cli --measured does; returns a Comparison (rms, residuals, run).

    measured is a measured file's path or a DataFrame with its columns (see
    fit()). Raises MeasuredRefused for points that cannot be read or lie
    off the spinline, OSError for a file that cannot be read, and the run's
    RunError as ppspin.run() does.

    {inputs}"""
    text, source = _measured_text(measured)
    run, comparison = _core.compare(inputs, text, source, checked_trials(max_trials))
    return Comparison(rms=comparison["rms"], residuals=_residual_frame(comparison), run=Run(run))


@with_inputs
def fit(measured, vary, *, bounds=None, max_runs=2000, jobs=None, max_trials=MAX_TRIALS, **inputs):
    """Fits inputs to measured points, as ppspin-cli --fit does; returns a Fit.

    ppspin.fit("gauge.csv", ["take_up_speed", "zone2_air_velocity"])
    adjusts the inputs vary names (1 to 6 editable inputs, by Python name),
    from their values given, to minimise the sum of squared residuals, each
    divided by its sigma or else by its quantity's RMS measured value; the
    other inputs stay as given. The search is NLopt's BOBYQA within bounds,
    a dict name -> (lo, hi); an input without them may go from a tenth to
    ten times its value (from 0 for an air velocity; its value +- ten times
    its size for an air-law coefficient), and an input at 0 needs them.
    Every run is made in memory.

    measured is the path of a measured file: UTF-8 CSV with a header row,
    z_cm and any of v_m_min, F_dyn, T_C and D_cm or D_um, each optionally
    with sigma_<column>; or a DataFrame with those columns (NaN or None for
    a missing value), read through the same reader as its CSV text, with
    numbers written to the last bit: the row at position i is line i + 2.

    Refusals, before anything runs: MeasuredRefused (an InputRefused and a
    ValueError) for points that cannot be read or lie off the spinline,
    with the reader's message naming the line; InputRefused for a refused
    input, bound or number of inputs; a TypeError for a name in vary or
    bounds that is no input, a ValueError for one that cannot be varied or
    is bounded without being varied. OSError for a file that cannot be read.
    A run at the starting values that fails raises RunError.

    A fit that stops at max_runs returns the best values so far with
    converged False, no standard errors, and the limit's message first in
    warnings, also issued as a RuntimeWarning. The search runs with the
    GIL released, the standard errors' runs on jobs threads (every hardware
    thread by default); Ctrl+C cancels it with KeyboardInterrupt.

    {inputs}"""
    names = [vary] if isinstance(vary, str) else list(vary)
    intervals = {}
    for name, interval in (bounds or {}).items():
        lo, hi = interval
        intervals[name] = (float(lo), float(hi))
    text, source = _measured_text(measured)
    result = _core.fit(
        inputs,
        text,
        source,
        names,
        intervals,
        checked_count("max_runs", max_runs, 1_000_000),
        checked_jobs(jobs),
        checked_trials(max_trials),
    )
    return _fit_of(result)
