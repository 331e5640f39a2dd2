"""ppspin for Python as a user imports it from the build tree (PYTHONPATH),
beside the ppspin-cli it is compared with (PPSPIN_CLI); ctest sets both."""

import contextlib
import io
import os
import signal
import subprocess
import sys
import textwrap
import threading
import time

import pandas
import pytest


def run_cli(args, cwd):
    """ppspin-cli with the arguments in the folder cwd, under the C locale;
    its completed process, stdout as bytes."""
    env = dict(os.environ, LC_ALL="C")
    env.pop("DISPLAY", None)
    return subprocess.run(
        [os.environ["PPSPIN_CLI"], *args], cwd=cwd, env=env, capture_output=True, check=False
    )


def read_summary(text):
    """A summary CSV as pandas reads it, numbers to the last bit."""
    return pandas.read_csv(io.BytesIO(text), float_precision="round_trip", keep_default_na=False,
                           na_values=[""])


@pytest.fixture
def cli(tmp_path):
    """Runs ppspin-cli in a fresh folder; returns (process, folder)."""

    def call(*args):
        return run_cli(list(args), tmp_path), tmp_path

    return call


def assert_ctrl_c_stops(script):
    """Runs a Python script that prints "running" when its long call starts,
    sends it SIGINT half a second later, and asserts that the call ends with
    KeyboardInterrupt within a second. The time is taken where the script
    catches it, so that the interpreter's exit, slow on a busy machine, does
    not count."""
    caught = (
        "import time\ntry:\n" + textwrap.indent(script, "    ")
        + "except KeyboardInterrupt:\n    print(time.monotonic(), flush=True)\n    raise\n"
    )
    child = subprocess.Popen(
        [sys.executable, "-c", caught], stdout=subprocess.PIPE, stderr=subprocess.PIPE,
        env=os.environ,
    )
    assert child.stdout.readline() == b"running\n"
    time.sleep(0.5)  # well into the call
    interrupted = time.monotonic()
    child.send_signal(signal.SIGINT)
    out, err = child.communicate(timeout=30)
    assert b"KeyboardInterrupt" in err
    assert child.returncode != 0
    assert float(out) - interrupted < 1.0


@contextlib.contextmanager
def pipe_without_writer(path):
    """A named pipe at path that no writer opens. A read that waits for one
    gets one after 10 s, so that it fails its test on the time it took
    rather than hanging it."""
    os.mkfifo(path)
    unblock = threading.Timer(10, lambda: open(path, "wb").close())
    unblock.daemon = True
    unblock.start()
    try:
        yield path
    finally:
        unblock.cancel()
