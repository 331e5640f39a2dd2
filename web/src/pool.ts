// Workers, each with a module of its own, made from the page's own inline
// source through a Blob URL: a page opened from file:// can load no other
// script. Where workers cannot be made the tasks run in the page, one at
// a time, between frames.
import type { Core } from "./coreApi";
import { nextFrame } from "./dom";
import { runTask, type Progress, type Task } from "./tasks";

export class Cancelled extends Error {
  constructor() {
    super("Cancelled");
  }
}

interface Job {
  task: Task;
  progress: Progress | null;
  resolve: (value: unknown) => void;
  reject: (reason: unknown) => void;
}

interface Slot {
  worker: Worker;
  ready: boolean;
  job: Job | null;
}

let workerUrl: string | null | undefined;

// The core's source and the worker bundle, from the page's script elements.
function sourceUrl(): string | null {
  if (workerUrl !== undefined) return workerUrl;
  workerUrl = null;
  try {
    const core = document.getElementById("ppspin-core")?.textContent;
    const worker = document.getElementById("ppspin-worker")?.textContent;
    if (typeof Worker === "function" && core && worker)
      workerUrl = URL.createObjectURL(new Blob([core, "\n;\n", worker], { type: "text/javascript" }));
  } catch {
    workerUrl = null;
  }
  return workerUrl;
}

export function poolSize(): number {
  const threads = typeof navigator !== "undefined" ? navigator.hardwareConcurrency || 2 : 2;
  return Math.min(4, Math.max(2, threads));
}

export class Pool {
  private slots: Slot[] = [];
  private queue: Job[] = [];
  private serial = false;
  private serialBusy = false;
  private generation = 0;

  constructor(
    private readonly size: number,
    private readonly core: Core,
  ) {}

  get workerCount(): number {
    return this.serial ? 0 : this.slots.length;
  }

  // Starts the workers ahead of the first task.
  warm(): void {
    this.start();
  }

  run<T>(task: Task, progress: Progress | null = null): Promise<T> {
    return new Promise<T>((resolve, reject) => {
      this.queue.push({ task, progress, resolve: resolve as (v: unknown) => void, reject });
      this.start();
      this.dispatch();
    });
  }

  // Ends every task: the workers are terminated mid-run, and made anew for
  // the next task.
  cancel(): void {
    this.generation++;
    for (const slot of this.slots) {
      slot.worker.terminate();
      slot.job?.reject(new Cancelled());
    }
    this.slots = [];
    for (const job of this.queue.splice(0)) job.reject(new Cancelled());
  }

  private start(): void {
    if (this.serial || this.slots.length > 0) return;
    const url = sourceUrl();
    if (url === null) {
      this.serial = true;
      return;
    }
    try {
      for (let i = 0; i < this.size; i++) this.slots.push(this.spawn(url));
    } catch {
      this.fallBack();
    }
  }

  private spawn(url: string): Slot {
    const slot: Slot = { worker: new Worker(url), ready: false, job: null };
    slot.worker.onmessage = (e: MessageEvent) => {
      const m = e.data;
      if (m.ready) {
        slot.ready = true;
      } else if (m.failed !== undefined) {
        this.fallBack();
        return;
      } else if (m.progress && slot.job) {
        try {
          slot.job.progress?.(m.progress[0], m.progress[1]);
        } catch {
          // a progress display that failed must not end the task
        }
        return;
      } else if (slot.job) {
        const job = slot.job;
        slot.job = null;
        if (m.error !== undefined) job.reject(new Error(m.error));
        else job.resolve(m.result);
      }
      this.dispatch();
    };
    slot.worker.onerror = (e: ErrorEvent) => {
      e.preventDefault();
      if (!slot.ready) {
        // The browser would not run a worker from a Blob: the page does it.
        this.fallBack();
        return;
      }
      // A worker that died mid-task takes only its task along.
      const job = slot.job;
      slot.job = null;
      slot.worker.terminate();
      this.slots = this.slots.filter((s) => s !== slot);
      job?.reject(new Error(e.message || "A worker failed"));
      if (this.slots.length === 0 && this.queue.length > 0) this.start();
      this.dispatch();
    };
    return slot;
  }

  private fallBack(): void {
    for (const slot of this.slots) {
      slot.worker.terminate();
      if (slot.job) this.queue.unshift(slot.job);
    }
    this.slots = [];
    this.serial = true;
    this.dispatch();
  }

  private dispatch(): void {
    if (this.serial) {
      void this.runSerially();
      return;
    }
    for (const slot of this.slots) {
      if (!slot.ready || slot.job || this.queue.length === 0) continue;
      const job = this.queue.shift()!;
      slot.job = job;
      slot.worker.postMessage({ id: 0, task: job.task });
    }
  }

  private async runSerially(): Promise<void> {
    if (this.serialBusy) return;
    this.serialBusy = true;
    try {
      while (this.queue.length > 0) {
        const generation = this.generation;
        // A frame between tasks, so that the page stays drawn and Cancel
        // can be pressed.
        await nextFrame();
        if (generation !== this.generation) continue;
        const job = this.queue.shift();
        if (!job) break;
        try {
          job.resolve(runTask(this.core, job.task, job.progress));
        } catch (e) {
          job.reject(e);
        }
      }
    } finally {
      this.serialBusy = false;
    }
  }
}
