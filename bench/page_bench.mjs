// The page's core in Node, as the page runs it: the default run (Live's
// cost per keystroke), and a 4001-value sweep split by index over two
// workers, each with a module of its own. Medians of repeated measurements.
//   node bench/page_bench.mjs build/web/core/web/core/ppspin-core.js
import { createRequire } from "node:module";
import { resolve } from "node:path";
import { Worker, isMainThread, parentPort, workerData } from "node:worker_threads";

const load = (path) => createRequire(import.meta.url)(resolve(path))();
const median = (xs) => xs.sort((a, b) => a - b)[Math.floor(xs.length / 2)];

if (!isMainThread) {
  const core = await load(workerData.core);
  parentPort.on("message", ({ setup, from, to }) => {
    parentPort.postMessage(core.studyRows(setup, from, to).map((r) => r.line));
  });
} else {
  const corePath = process.argv[2];
  const core = await load(corePath);
  const texts = core.defaultTexts();
  const times = [];
  for (let batch = 0; batch < 21; ++batch) {
    const t0 = performance.now();
    for (let i = 0; i < 200; ++i) core.run(texts, core.maxTrials());
    times.push((performance.now() - t0) / 200);
  }
  console.log(`default run: median ${(median(times.slice(1)) * 1000).toFixed(1)} us`);

  const setup = { texts, ranges: ["take-up-speed=1000:5000:1"], maxTrials: core.maxTrials() };
  const n = core.studyPlan(setup).points.length;
  const workers = [0, 1].map(() => new Worker(new URL(import.meta.url), { workerData: { core: corePath } }));
  const ask = (w, from, to) => new Promise((resolve) => {
    w.once("message", resolve);
    w.postMessage({ setup, from, to });
  });
  const sweeps = [];
  for (let repeat = 0; repeat < 5; ++repeat) {
    const t0 = performance.now();
    // Chunks taken in turn, as the page takes them, so that progress shows.
    let next = 0;
    const chunk = 100;
    await Promise.all(workers.map(async (w) => {
      while (next < n) {
        const from = next;
        next = Math.min(n, next + chunk);
        await ask(w, from, next);
      }
    }));
    sweeps.push(performance.now() - t0);
  }
  console.log(`${n}-value sweep on 2 workers: median ${median(sweeps).toFixed(0)} ms`);
  workers.forEach((w) => w.terminate());
}
