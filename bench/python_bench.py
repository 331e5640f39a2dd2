"""Timings of ppspin for Python beside ppspin-cli's, medians of repeats.

    PYTHONPATH=build/release/python python3 bench/python_bench.py build/release/cli/ppspin-cli

Prints: a single run on the defaults; a study of 4,001 take-up speeds on 2
jobs, in Python and as ppspin-cli --sweep writing its summary; a 100,000-row
Monte Carlo frame on 2 jobs in-process and on a 2-worker Dask LocalCluster
(started before the clock runs).
"""

import os
import statistics
import subprocess
import sys
import tempfile
import time
import timeit

import numpy
import pandas

import ppspin


def median_seconds(*actions, repeats):
    """The median wall time of each action, the actions taking turns so that
    a machine shared with other work slows each alike."""
    times = [[] for _ in actions]
    for _ in range(repeats):
        for action, spent in zip(actions, times):
            start = time.perf_counter()
            action()
            spent.append(time.perf_counter() - start)
    return [statistics.median(spent) for spent in times]


def main(cli):
    # Wall and CPU time both, as Google Benchmark reports them: on a shared
    # machine the CPU time of a single-threaded call is the steadier.
    wall = [t / 2000 for t in timeit.repeat(ppspin.run, number=2000, repeat=15)]
    cpu = [t / 2000 for t in timeit.repeat(ppspin.run, number=2000, repeat=15,
                                           timer=time.process_time)]
    print(f"ppspin.run() on the defaults: {statistics.median(wall) * 1e6:.1f} us wall, "
          f"{statistics.median(cpu) * 1e6:.1f} us CPU")

    speeds = numpy.arange(1000, 5001, 1)
    with tempfile.TemporaryDirectory() as folder:
        summary = os.path.join(folder, "s.csv")
        args = [cli, "--sweep", "take-up-speed=1000:5000:1", "--jobs", "2", "--summary", summary]
        env = dict(os.environ, LC_ALL="C")
        python, command = median_seconds(
            lambda: ppspin.study(take_up_speed=speeds, jobs=2),
            lambda: subprocess.run(args, env=env, check=True),
            repeats=11,
        )
    print(f"4,001 take-up speeds, jobs=2: ppspin.study {python * 1e3:.0f} ms, "
          f"ppspin-cli --sweep {command * 1e3:.0f} ms, ratio {python / command:.3f}")

    draws = numpy.random.default_rng(1)
    frame = pandas.DataFrame({
        "take_up_speed": 3500 * draws.uniform(0.98, 1.02, 100_000),
        "zone2_air_velocity": 50 * draws.uniform(0.95, 1.05, 100_000),
    })
    import distributed

    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                  dashboard_address=None, host="127.0.0.1") as cluster, \
            distributed.Client(cluster) as client:
        ppspin.dask.study(frame.iloc[:100], client=client)  # workers import ppspin once
        in_process, on_cluster = median_seconds(
            lambda: ppspin.study(frame=frame, jobs=2),
            lambda: ppspin.dask.study(frame, client=client, partition_rows=5000),
            repeats=3,
        )
    print(f"100,000-row Monte Carlo frame: in-process jobs=2 {in_process:.2f} s, "
          f"2-worker LocalCluster {on_cluster:.2f} s")


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "build/release/cli/ppspin-cli")
