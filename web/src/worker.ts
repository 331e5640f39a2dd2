// A worker's script: it follows the core's source in the worker's Blob,
// holds a module of its own, and runs what the page posts it.
import type { Core } from "./coreApi";
import { runTask, type Task } from "./tasks";

declare const createPpspinCore: () => Promise<Core>;

interface Scope {
  postMessage(message: unknown): void;
  onmessage: ((e: MessageEvent<{ id: number; task: Task }>) => void) | null;
}
const scope = self as unknown as Scope;
const message = (e: unknown) => (e instanceof Error ? e.message : String(e));

const ready = createPpspinCore();
ready.then(
  () => scope.postMessage({ ready: true }),
  (e) => scope.postMessage({ failed: message(e) }),
);

scope.onmessage = (e) => {
  const { id, task } = e.data;
  ready
    .then((core) => {
      // A fit's progress after every run: a run takes milliseconds, and
      // posting is cheap next to it.
      const progress = (runs: number, objective: number) => scope.postMessage({ id, progress: [runs, objective] });
      scope.postMessage({ id, result: runTask(core, task, progress) });
    })
    .catch((err) => scope.postMessage({ id, error: message(err) }));
};
