// The page: the fields and GO as in the desktop window, the profile charts
// with Live and kept runs, and the study panels. The core (with its
// WebAssembly) is a script of the page, defining createPpspinCore.
import type { Core, RunResult } from "./coreApi";
import { ProfileCharts } from "./charts";
import { alertMessage, byId, errorText, guard, h, on, statusMessage } from "./dom";
import { download, stem } from "./download";
import { Fields } from "./fields";
import { setUpFit } from "./fit";
import { setUpGoalSeek } from "./goalseek";
import { Measured } from "./measured";
import { Pool, poolSize } from "./pool";
import { setUpReference } from "./reference";
import { go, setUpOpenReport } from "./report";
import { MaxKept, Runs } from "./runs";
import { loadTexts, saveTexts } from "./storage";
import { setUpStudies } from "./studies";

declare global {
  function createPpspinCore(): Promise<Core>;
}

window.addEventListener("error", (e) => alertMessage(`The page failed: ${e.message}`));
window.addEventListener("unhandledrejection", (e) => {
  e.preventDefault();
  alertMessage(`The page failed: ${errorText(e.reason)}`);
});

async function start(): Promise<void> {
  if (typeof createPpspinCore !== "function") throw new Error("The calculator's core is missing from the page");
  const core = await createPpspinCore();
  const catalogue = core.catalogue();

  const picker = h("input", { type: "file", id: "openReport", class: "file-input", accept: ".txt,text/plain" });
  const pickerLabel = h("label", { for: "openReport", class: "file-button", text: "Open Report\u2026" });
  const fields = new Fields(catalogue, byId("fields"), h("span", { class: "open-report" }, picker, pickerLabel));
  // GO and its neighbours under the right half, as in the window.
  fields.halves[1].append(byId("fieldButtons"));
  const stored = loadTexts(catalogue.length);
  if (stored) fields.setTexts(stored);

  const charts = new ProfileCharts(byId("charts"));
  const keep = byId<HTMLButtonElement>("keep");
  const csv = byId<HTMLButtonElement>("profileCsv");
  const live = byId<HTMLInputElement>("live");
  const liveStatus = byId("liveStatus");
  const redraw = (painted?: () => void) => {
    charts.draw(runs.drawn(), measured.series, painted);
    runs.render();
    keep.disabled = !runs.newest || runs.kept.length >= MaxKept;
    csv.disabled = !runs.newest;
  };
  const runs = new Runs(catalogue, core.outputColumns(), byId<HTMLTableElement>("results"), byId("keptRuns"), () => redraw());
  const measured = new Measured(core, fields, () => redraw());
  const newest = (texts: string[], result: RunResult) => {
    runs.newest = { texts, result };
    liveStatus.textContent = "";
  };

  // Live: typing reruns the fields at the next frame, however many
  // keystrokes came since; the time from the first of them to the charts
  // drawn is measured as "live-keystroke".
  let frame = 0;
  let firstInput = 0;
  const runLive = () => {
    frame = 0;
    const since = firstInput;
    firstInput = 0;
    const texts = fields.texts();
    const result = core.run(texts, core.maxTrials());
    if (result.kind !== "Converged") {
      liveStatus.textContent = result.message;
      return;
    }
    newest(texts, result);
    redraw(() => {
      if (since > 0) performance.measure("live-keystroke", { start: since, end: performance.now() });
    });
  };
  const scheduleLive = (at: number) => {
    if (!live.checked) return;
    if (firstInput === 0) firstInput = at;
    if (frame === 0) frame = requestAnimationFrame(guard(runLive));
  };
  const edited = () => {
    saveTexts(fields.texts());
    scheduleLive(performance.now());
  };

  on(byId("fieldsForm"), "input", (e) => {
    saveTexts(fields.texts());
    scheduleLive(e.timeStamp || performance.now());
  });
  // Enter in any field is GO: the form's submit.
  on(byId("fieldsForm"), "submit", (e) => {
    e.preventDefault();
    saveTexts(fields.texts());
    go(core, fields, (texts, result) => {
      newest(texts, result);
      redraw();
      measured.compare();
    });
  });
  on(live, "change", () => {
    if (live.checked) scheduleLive(performance.now());
  });
  on(keep, "click", () => runs.keep());
  // The run drawn, which with Live off may be older than the fields.
  on(csv, "click", () => {
    const texts = runs.newest?.texts ?? fields.texts();
    const text = core.profileCsv(texts, core.maxTrials());
    if (text === "") alertMessage(core.run(texts, core.maxTrials()).message);
    else download(`${stem(fields.fileName())}.csv`, text, "text/csv");
  });
  on(byId("defaults"), "click", () => {
    fields.setTexts(core.defaultTexts());
    fields.clearInvalid();
    alertMessage("");
    edited();
  });

  setUpReference();
  setUpOpenReport(core, fields, edited, (file) => measured.load(file));
  const studyPool = new Pool(poolSize(), core);
  setUpStudies(core, fields, studyPool, new Pool(1, core));
  setUpGoalSeek(core, fields, new Pool(1, core), edited);
  setUpFit(core, fields, measured, new Pool(1, core), edited);

  byId<HTMLButtonElement>("go").disabled = false;
  performance.mark("go-enabled");
  statusMessage("Ready. Enter in any field is GO.");
  if (live.checked) runLive();
  else redraw();
}

start().catch((e) => {
  alertMessage(`The calculator could not start: ${errorText(e)}`);
  statusMessage("");
});
