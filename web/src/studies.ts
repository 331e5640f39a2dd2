// Studies: a sweep of one input or a map of two, the points split over the
// workers in slices and put back in index order; and the sensitivities.
import uPlot from "uplot";
import type { Core, SensitivityResult, StudyPlan, StudyRow, StudySetup } from "./coreApi";
import { byId, errorText, h, on } from "./dom";
import { download, stem } from "./download";
import type { Fields } from "./fields";
import { Cancelled, Pool } from "./pool";

interface RangeEditor {
  input: HTMLSelectElement;
  from: HTMLInputElement;
  to: HTMLInputElement;
  step: HTMLInputElement;
  box: HTMLElement;
}

// Three significant digits, as the desktop's range editor starts them.
const short = (x: number) => String(Number(x.toPrecision(3)));

export function setUpStudies(core: Core, fields: Fields, pool: Pool, taskPool: Pool): void {
  const host = byId("studyRanges");
  const run = byId<HTMLButtonElement>("studyRun");
  const cancel = byId<HTMLButtonElement>("studyCancel");
  const progress = byId<HTMLProgressElement>("studyProgress");
  const csvButton = byId<HTMLButtonElement>("studyCsv");
  const message = byId("studyMessage");
  const outputSelect = byId<HTMLSelectElement>("studyOutput");
  const figure = byId("studyChart");
  const mapMode = byId<HTMLInputElement>("studyMap");
  const editable = fields.editable();

  const editor = (n: number, first: string): RangeEditor => {
    const id = (s: string) => `study${s}${n}`;
    const input = h("select", { id: id("Input") });
    for (const f of editable) input.append(h("option", { value: f.name, text: f.label }));
    input.value = first;
    const text = (s: string) => h("input", { id: id(s), type: "text", inputmode: "decimal", spellcheck: "false" });
    const [from, to, step] = [text("From"), text("To"), text("Step")];
    const box = h(
      "div",
      { class: "range" },
      h("label", { for: input.id, text: n === 1 ? "Input" : "Second input" }), input,
      h("label", { for: from.id, text: "from" }), from,
      h("label", { for: to.id, text: "to" }), to,
      h("label", { for: step.id, text: "step" }), step,
    );
    const e = { input, from, to, step, box };
    on(input, "change", () => startFrom(e));
    startFrom(e);
    return e;
  };
  // Half to one and a half times the field's value, in twenty steps.
  const startFrom = (e: RangeEditor) => {
    const f = editable.find((x) => x.name === e.input.value)!;
    const value = Number(fields.texts()[f.field]);
    if (!Number.isFinite(value) || value === 0) {
      e.from.value = f.domain === "Free" ? "-1" : "0";
      e.to.value = "1";
      e.step.value = "0.05";
    } else {
      e.from.value = short(Math.min(value / 2, value * 1.5));
      e.to.value = short(Math.max(value / 2, value * 1.5));
      e.step.value = short(Math.abs(value) / 20);
    }
  };
  const ranges = [editor(1, "take-up-speed"), editor(2, "zone2-air-velocity")];
  host.append(...ranges.map((r) => r.box));
  const showMode = () => (ranges[1].box.hidden = !mapMode.checked);
  for (const id of ["studySweep", "studyMap"]) on(byId(id), "change", showMode);
  showMode();

  for (const c of core.outputColumns()) outputSelect.append(h("option", { value: c.name, text: c.title }));
  outputSelect.value = "D_end_um";

  let plan: StudyPlan | null = null;
  let rows: StudyRow[] = [];
  let names: string[] = [];
  let chart: uPlot | null = null;

  const drawChart = () => {
    chart?.destroy();
    chart = null;
    if (!plan || rows.length === 0) return;
    const out = outputSelect.value;
    const title = outputSelect.selectedOptions[0]?.text ?? out;
    const value = (i: number) => rows[i]?.outputs?.values[out] ?? null;
    let data: uPlot.AlignedData;
    const series: uPlot.Series[] = [{ label: names[0] }];
    const colours = ["#1f77b4", "#ff7f0e", "#2ca02c", "#d62728", "#9467bd", "#8c564b", "#e377c2", "#7f7f7f"];
    if (names.length === 1) {
      data = [plan.points.map((p) => p[0]), plan.points.map((_, i) => value(i))];
      series.push({ label: title, stroke: colours[0], width: 2, points: { show: plan.points.length <= 60 } });
    } else {
      // A map: one line per value of the second input, eight at most.
      const xs = [...new Set(plan.points.map((p) => p[0]))];
      const seconds = [...new Set(plan.points.map((p) => p[1]))];
      const every = Math.ceil(seconds.length / 8);
      const shown = seconds.filter((_, k) => k % every === 0);
      const index = new Map(plan.points.map((p, i) => [`${p[0]} ${p[1]}`, i]));
      data = [xs, ...shown.map((s) => xs.map((x) => value(index.get(`${x} ${s}`) ?? -1)))];
      shown.forEach((s, k) =>
        series.push({ label: `${names[1]} = ${s}`, stroke: colours[k % colours.length], width: 2, points: { show: xs.length <= 60 } }),
      );
    }
    const width = Math.max(280, figure.clientWidth || 600);
    chart = new uPlot(
      {
        width,
        height: Math.min(320, Math.round(width * 0.45)),
        series,
        scales: { x: { time: false } },
        axes: [{ label: names[0] }, { label: title, size: 60 }],
        legend: { live: false },
      },
      data,
      figure,
    );
  };
  on(outputSelect, "change", drawChart);

  const busy = (on: boolean) => {
    run.disabled = on;
    cancel.disabled = !on;
  };

  on(run, "click", async () => {
    csvButton.disabled = true;
    const used = mapMode.checked ? ranges : ranges.slice(0, 1);
    const setup: StudySetup = {
      texts: fields.texts(),
      ranges: used.map((r) => `${r.input.value}=${r.from.value.trim()}:${r.to.value.trim()}:${r.step.value.trim()}`),
      maxTrials: core.maxTrials(),
    };
    plan = core.studyPlan(setup);
    rows = [];
    if (plan.refusal) {
      message.textContent = plan.refusal;
      drawChart();
      return;
    }
    names = used.map((r) => r.input.selectedOptions[0]?.text ?? r.input.value);
    const n = plan.points.length;
    const done: StudyRow[] = new Array(n);
    let count = 0;
    progress.max = n;
    progress.value = 0;
    message.textContent = `Running ${n} points\u2026`;
    busy(true);
    // Slices small enough to share out evenly and show progress, large
    // enough that posting them costs nothing next to the runs.
    const slice = Math.max(1, Math.min(25, Math.ceil(n / (pool.workerCount || 4) / 6)));
    const started = performance.now();
    try {
      const slices: Promise<void>[] = [];
      for (let from = 0; from < n; from += slice) {
        const to = Math.min(n, from + slice);
        slices.push(
          pool.run<StudyRow[]>({ op: "studyRows", args: [setup, from, to] }).then((part) => {
            for (const row of part) done[row.index] = row;
            count += part.length;
            progress.value = count;
            message.textContent = `${count} of ${n} points`;
          }),
        );
      }
      await Promise.all(slices);
      rows = done;
      const failed = rows.filter((r) => r.kind !== "Converged").length;
      message.textContent =
        `${n} points in ${((performance.now() - started) / 1000).toFixed(1)} s` +
        (failed > 0 ? `; ${failed} without a result (see the CSV's status column)` : "") +
        (pool.workerCount > 0 ? `, on ${pool.workerCount} workers.` : ".");
      csvButton.disabled = false;
    } catch (e) {
      pool.cancel();
      rows = [];
      message.textContent = e instanceof Cancelled ? `Cancelled after ${count} of ${n} points.` : errorText(e);
    } finally {
      busy(false);
    }
    drawChart();
  });
  on(cancel, "click", () => pool.cancel());
  // The same bytes as ppspin-cli --sweep ... --summary writes.
  on(csvButton, "click", () => {
    if (!plan || rows.length === 0) return;
    download(`${stem(fields.fileName())}-study.csv`, plan.header + rows.map((r) => r.line).join(""), "text/csv");
  });
  // Workers start while the panel is read, not when Run is pressed.
  on(byId("study"), "toggle", () => {
    if ((byId("study") as HTMLDetailsElement).open) pool.warm();
  });

  const sensButton = byId<HTMLButtonElement>("sensitivities");
  const sensCancel = byId<HTMLButtonElement>("sensitivityCancel");
  const sensMessage = byId("sensitivityMessage");
  const sensTable = byId<HTMLTableElement>("sensitivityTable");
  // ppspin-cli's CSV as a table: its cells as printed, its first line the head.
  const showTable = (text: string) => {
    const [head, ...lines] = text.split("\n").filter((l) => l !== "");
    if (!head) return sensTable.replaceChildren();
    sensTable.replaceChildren(
      h("thead", {}, h("tr", {}, ...head.split(",").map((c) => h("th", { scope: "col", text: c })))),
      h("tbody", {}, ...lines.map((l) => h("tr", {}, ...l.split(",").map((c, i) => h(i === 0 ? "th" : "td", i === 0 ? { scope: "row", text: c } : { text: c }))))),
    );
  };
  on(sensButton, "click", async () => {
    sensButton.disabled = true;
    sensCancel.disabled = false;
    showTable("");
    sensMessage.textContent = "Computing the sensitivities\u2026";
    try {
      const result = await taskPool.run<SensitivityResult>({ op: "sensitivities", args: [fields.texts(), core.maxTrials()] });
      sensMessage.textContent = result.refusal || "Elasticity of each output to each input, as ppspin-cli --sensitivity prints it:";
      showTable(result.text);
    } catch (e) {
      sensMessage.textContent = e instanceof Cancelled ? "Cancelled." : errorText(e);
    } finally {
      sensButton.disabled = false;
      sensCancel.disabled = true;
    }
  });
  on(sensCancel, "click", () => taskPool.cancel());
}
