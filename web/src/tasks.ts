// The long calls, the same in a worker and, where there is no worker, in
// the page itself.
import type { Core, FitSetup, GoalSetup, StudySetup } from "./coreApi";

export type Progress = (runs: number, objective: number) => void;

export type Task =
  | { op: "studyRows"; args: [StudySetup, number, number] }
  | { op: "goalSeek"; args: [GoalSetup] }
  | { op: "sensitivities"; args: [string[], number] }
  | { op: "fit"; args: [FitSetup, string] };

export function runTask(core: Core, task: Task, progress: Progress | null): unknown {
  switch (task.op) {
    case "studyRows":
      return core.studyRows(...task.args);
    case "goalSeek":
      return core.goalSeek(...task.args);
    case "sensitivities":
      return core.sensitivities(...task.args);
    case "fit":
      return core.fit(task.args[0], task.args[1], progress);
  }
}
