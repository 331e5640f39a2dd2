"""A frame of input sets, and a run, on a two-worker Dask cluster on this machine."""

import numpy
import pandas
import pytest

import ppspin

distributed = pytest.importorskip("distributed")
pytestmark = pytest.mark.filterwarnings("ignore:make_current is deprecated:DeprecationWarning")


def test_a_cluster_gives_the_rows_of_an_in_process_study():
    draws = numpy.random.default_rng(7)
    frame = pandas.DataFrame(
        {
            "take_up_speed": 3500 * draws.uniform(0.98, 1.02, 2000),
            "zone2_air_velocity": 50 * draws.uniform(0.95, 1.05, 2000),
        },
        index=draws.permutation(2000),
    )
    frame.loc[frame.index[1234], "take_up_speed"] = -1  # a refused row travels too
    with distributed.LocalCluster(
        n_workers=2, threads_per_worker=1, processes=True, dashboard_address=None,
        host="127.0.0.1",
    ) as cluster, distributed.Client(cluster) as client:
        on_cluster = ppspin.dask.study(frame, client=client, partition_rows=300)
        submitted = client.submit(ppspin.run, take_up_speed=3000).result()
    assert submitted == ppspin.run(take_up_speed=3000)
    in_process = ppspin.study(frame=frame, jobs=2)
    pandas.testing.assert_frame_equal(on_cluster, in_process, check_exact=True)
    assert (in_process["status"] != "ok").sum() == 1
