"""ppspin: the melt spinning of a single polypropylene filament, computed by
the same C++ engine as the desktop program and ppspin-cli.

    import ppspin
    r = ppspin.run(take_up_speed=3000, increment=0.5)
    r.outputs["D_end_um"], r.to_pandas(), r.report()
    ppspin.study(take_up_speed=numpy.arange(1000, 5001, 250))   # a DataFrame
    ppspin.study(frame=draws)               # one run per row of a DataFrame
    ppspin.solve("take_up_speed", D_end_um=20)
    ppspin.sensitivity()
    ppspin.fit("gauge.csv", ["take_up_speed"])  # inputs fitted to measured points
    ppspin.compare("gauge.csv")             # a run's distance from them
    ppspin.read_report("result.txt")        # the inputs of a report
    ppspin.dask.study(draws, client=client) # on a Dask cluster

Inputs are named as ppspin-cli's options with "_" for "-"; each is a
number or a field text.
"""

import importlib
import os

from . import _core
from ._errors import (
    FloatingPointFault,
    InputRefused,
    InputTypeError,
    MeasuredRefused,
    NoSolution,
    NotConverged,
    RunError,
)
from ._fit import Comparison, Fit, Rms, compare, fit
from ._run import MAX_TRIALS, Inputs, Run, run
from ._study import (
    MAX_GRID_POINTS,
    MAX_SWEEP_VALUES,
    OUTPUT_NAMES,
    Solution,
    sensitivity,
    solve,
    study,
)

__version__ = _core.__version__

__all__ = [
    "Comparison",
    "Fit",
    "FloatingPointFault",
    "InputRefused",
    "Inputs",
    "InputTypeError",
    "MAX_GRID_POINTS",
    "MAX_SWEEP_VALUES",
    "MAX_TRIALS",
    "MeasuredRefused",
    "NoSolution",
    "NotConverged",
    "OUTPUT_NAMES",
    "Rms",
    "Run",
    "RunError",
    "Solution",
    "compare",
    "defaults",
    "fit",
    "read_report",
    "run",
    "sensitivity",
    "solve",
    "study",
]


def defaults():
    """The twenty inputs the window opens with, by Python name (the four
    fixed polymer inputs and the report's name included): an Inputs,
    numbers with the field texts, with ".", in defaults().texts."""
    return Inputs({field["name"]: field["default"] for field in _core.catalogue()})


def read_report(path):
    """The editable inputs from the header of a report of this program, as
    ppspin-cli --inputs-from reads them: an Inputs, numbers with the texts,
    with ".", in read_report(path).texts (a report written with a decimal
    comma reads too).

    ppspin.run(**ppspin.read_report(path)) makes that report again, byte for
    byte, for a report whose inputs were printed without loss. Reading is
    strict and bounded as ppspin-cli's: no more than the first 8 KiB are
    read, a pipe without a writer reads as empty; a file that is not such a
    report (a folder, a device) is a ValueError naming the line, one that
    cannot be read an OSError, each with ppspin-cli's message.
    """
    return Inputs(_core.read_report(os.fsencode(path)))


def __getattr__(name):
    # ppspin.dask only when asked for: Dask is recommended, not required.
    if name == "dask":
        return importlib.import_module(".dask", __name__)
    raise AttributeError(f"module 'ppspin' has no attribute '{name}'")
