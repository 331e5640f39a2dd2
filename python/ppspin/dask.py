"""Studies on a Dask cluster: a frame of input sets run partition by
partition, each partition through ppspin.study in a worker.

    from distributed import Client
    client = Client("tcp://scheduler:8786")
    result = ppspin.dask.study(draws, client=client, partition_rows=2000)
"""

import sys

import dask.dataframe

from . import _study
from ._run import MAX_TRIALS, checked_count


def _partition(part, jobs, max_trials):
    # Its size is the caller's partition_rows, bounded as the caller chose.
    return _study.study(frame=part, jobs=jobs, max_trials=max_trials, limit=max(len(part), 1))


def study(frame, client=None, partition_rows=1000, *, jobs=1, max_trials=MAX_TRIALS):
    """Runs one calculation per row of frame on a Dask cluster and returns
    the frame with the study summary's columns appended, equal row for row
    to ppspin.study(frame=frame).

    frame is a pandas DataFrame whose columns are input names. It is cut
    into partitions of partition_rows rows; each runs through ppspin.study
    in a worker, on jobs threads there (1 by default: one partition per
    worker thread). client is a distributed.Client, e.g.
    Client("tcp://host:8786") for an existing scheduler; without one the
    current default client computes, or else Dask's local threads. The
    workers need ppspin importable, as here.
    """
    rows = checked_count("partition_rows", partition_rows, sys.maxsize)
    # The empty frame's result: the columns and their types, and the frame's
    # names checked before anything is sent.
    meta = _study.study(frame=frame.iloc[:0], jobs=1, max_trials=max_trials)
    parts = dask.dataframe.from_pandas(frame, chunksize=rows, sort=False)
    result = parts.map_partitions(_partition, jobs, max_trials, meta=meta)
    if client is None:
        return result.compute()
    return client.compute(result).result()
