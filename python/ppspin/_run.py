"""Single runs."""

import os
import operator

from . import _core
from ._docs import with_inputs
from ._html import html_table

MAX_TRIALS = _core.MAX_TRIALS


def checked_count(name, value, most):
    """value as an int from 1 to most: a TypeError for no integer, a
    ValueError beyond."""
    if isinstance(value, bool):
        raise TypeError(f"{name}: expected an integer")
    count = operator.index(value)
    if not 1 <= count <= most:
        raise ValueError(f"{name}: expected 1 to {most}, not {count}")
    return count


def checked_trials(max_trials):
    """max_trials within ppspin-cli's range."""
    return checked_count("max_trials", max_trials, _core.MOST_TRIALS)


class Inputs(dict):
    """Inputs by Python name as numbers, read as a run reads its fields
    (output, the report's name, as its text), with the field texts they
    were read from in texts, for those who need the exact text."""

    __slots__ = ("texts",)

    def __init__(self, texts):
        super().__init__(_core.values(texts))
        self.texts = texts


class Run:
    """A converged run: its trials, outputs, profile and report.

    Made by ppspin.run(); the run is complete and nothing is written until
    write_report() is called.
    """

    __slots__ = ("_run", "_profile")

    def __init__(self, converged):
        self._run = converged
        self._profile = None

    @property
    def trials(self):
        """The trials the shooting on the spinneret tension made, the
        converged one included."""
        return self._run.trials

    @property
    def outputs(self):
        """The study summary's seven outputs by column name (F0_dyn,
        F_end_dyn, v_end_m_min, D_end_um, T_end_C, z_freeze_cm,
        ten_ap_end_g_den); z_freeze_cm is None while the filament stays
        above 130 degC."""
        return self._run.outputs

    @property
    def profile(self):
        """The converged profile, one NumPy array per column, named as
        ppspin-cli --csv names them (z_cm, v_m_min, F_dyn, T_C, D_cm, Ta_C,
        h_cal_cm2_s_C, ten_re_g_den, ten_ap_g_den).

        The arrays are the run's own, read-only, and the dict a new one
        each time: nothing done with them changes the run. to_pandas()
        gives a copy to edit."""
        if self._profile is None:
            self._profile = self._run.profile
        return dict(self._profile)

    @property
    def inputs(self):
        """The twenty inputs the run was made from, by Python name: an
        Inputs, numbers with the field texts in inputs.texts."""
        return Inputs(self._run.inputs)

    @property
    def texts(self):
        """The twenty field texts the run was made from, by Python name."""
        return self._run.inputs

    def to_pandas(self):
        """The profile as a pandas DataFrame, one row per grid point."""
        import pandas

        return pandas.DataFrame(self.profile)

    def report(self):
        """The report as bytes, the very bytes ppspin-cli writes for these
        inputs: its degree sign as it encodes it, CRLF line ends, "."
        decimals."""
        return self._run.report()

    def write_report(self, path=None):
        """Writes the report to path (by default the run's output input,
        result.txt), replacing a file there whole or not at all; OSError
        when it cannot be written, the old file then as it was."""
        target = self.inputs["output"] if path is None else path
        self._run.write_report(os.fsencode(target))

    def __eq__(self, other):
        # The same texts and numbers, bit for bit: a run and its pickled copy.
        if not isinstance(other, Run):
            return NotImplemented
        return self._run.same(other._run)

    def __hash__(self):
        return hash((self.trials, self.outputs["F0_dyn"]))

    def __reduce__(self):
        # The run's state, not its cached arrays: a copy or a Dask worker's
        # result is the run as it is, made without running again.
        return Run, (self._run,)

    def __repr__(self):
        d_end = self.outputs["D_end_um"]
        return f"<ppspin.Run: {self.trials} trials, D_end_um={d_end:.6g}>"

    def _repr_html_(self):
        rows = [(name, "" if v is None else f"{v:.6g}") for name, v in self.outputs.items()]
        return html_table(f"ppspin.Run: {self.trials} trials", ("output", "value"), rows)


@with_inputs
def run(*, max_trials=MAX_TRIALS, **inputs):
    """Runs the spinline calculation in memory and returns a converged Run.

    ppspin.run(take_up_speed=3000, increment=0.5) checks and converts the
    inputs as the window does, shoots on the spinneret tension (at most
    max_trials trials) and returns the converged run. The GIL is released
    while it runs; Ctrl+C stops it with KeyboardInterrupt.

    Raises InputRefused (with the field's Python name and the window's
    message), FloatingPointFault or NotConverged, all RunError; a value of
    a type no input takes is an InputTypeError (an InputRefused and a
    TypeError); an unknown keyword is a TypeError that names it.

    {inputs}"""
    return Run(_core.run(inputs, checked_trials(max_trials)))
