"""examples/quench-study.ipynb executes, into a scratch folder."""

import pathlib
import subprocess
import sys

import nbformat

NOTEBOOK = pathlib.Path(__file__).resolve().parents[2] / "examples" / "quench-study.ipynb"


def test_the_quench_study_notebook_executes(tmp_path):
    done = subprocess.run(
        [sys.executable, "-m", "nbconvert", "--to", "notebook", "--execute",
         "--ExecutePreprocessor.timeout=120", "--output-dir", str(tmp_path), str(NOTEBOOK)],
        capture_output=True, text=True, check=False,
    )
    assert done.returncode == 0, done.stderr
    executed = nbformat.read(tmp_path / NOTEBOOK.name, as_version=4)
    images = [o for c in executed.cells if c.cell_type == "code" for o in c.outputs
              if "image/png" in o.get("data", {})]
    assert len(images) == 3  # the profile, the study and the histogram
