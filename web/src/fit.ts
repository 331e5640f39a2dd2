// Fit: the editable inputs chosen, moved until the run meets the measured
// points best; in a worker, with its progress, and cancelled by ending it.
import type { Core, FitResult, FitSetup } from "./coreApi";
import { byId, errorText, h, numberOf, on } from "./dom";
import type { Fields } from "./fields";
import type { Measured } from "./measured";
import { Cancelled, Pool } from "./pool";
import { formatNumber } from "./runs";

// Where a fit usually starts, as in the desktop's dialog.
const FirstInputs = ["take-up-speed", "zone2-air-velocity"];
const MaxFitInputs = 6;

export function setUpFit(core: Core, fields: Fields, measured: Measured, pool: Pool, changed: () => void): void {
  const host = byId("fitInputs");
  const maxRuns = byId<HTMLInputElement>("fitMaxRuns");
  const fit = byId<HTMLButtonElement>("fit");
  const cancel = byId<HTMLButtonElement>("fitCancel");
  const progress = byId<HTMLProgressElement>("fitProgress");
  const progressText = byId("fitProgressText");
  const message = byId("fitMessage");
  const table = byId<HTMLTableElement>("fitResult");
  const warnings = byId("fitWarnings");
  const apply = byId<HTMLButtonElement>("fitApply");

  const rows = fields.editable().map((f) => {
    const box = h("input", { type: "checkbox", id: `fit-${f.name}`, value: f.name });
    box.checked = FirstInputs.includes(f.name);
    const bound = (end: string) =>
      h("input", { type: "text", inputmode: "decimal", spellcheck: "false", id: `fit-${f.name}-${end}`, placeholder: end, "aria-label": `${f.label}: ${end}` });
    const lo = bound("from");
    const hi = bound("to");
    host.append(h("div", { class: "fit-row" }, h("label", { class: "check" }, box, f.label), lo, hi));
    return { f, box, lo, hi };
  });

  let fitted: FitResult | null = null;
  const busy = (on: boolean) => {
    fit.disabled = on;
    cancel.disabled = !on;
  };

  on(fit, "click", async () => {
    table.replaceChildren();
    warnings.replaceChildren();
    apply.disabled = true;
    fitted = null;
    if (!measured.csv) {
      message.textContent = "Choose a CSV of measured points first.";
      return;
    }
    const chosen = rows.filter((r) => r.box.checked);
    if (chosen.length < 1 || chosen.length > MaxFitInputs) {
      message.textContent = `Choose 1 to ${MaxFitInputs} inputs to fit.`;
      return;
    }
    const inputs: FitSetup["inputs"] = [];
    for (const r of chosen) {
      const lo = numberOf(r.lo.value);
      const hi = numberOf(r.hi.value);
      if (lo === undefined && hi === undefined) {
        inputs.push({ name: r.f.name });
      } else if (lo === undefined || hi === undefined || Number.isNaN(lo) || Number.isNaN(hi)) {
        message.textContent = `Bounds of ${r.f.label}: give both as numbers, or neither`;
        r.lo.focus();
        return;
      } else {
        inputs.push({ name: r.f.name, lo, hi });
      }
    }
    const limit = Number(maxRuns.value);
    if (!Number.isInteger(limit) || limit < 1 || limit > 1_000_000) {
      message.textContent = "Max runs: a whole number from 1 to 1000000";
      maxRuns.focus();
      return;
    }
    const setup: FitSetup = { texts: fields.texts(), inputs, maxRuns: limit, maxTrials: core.maxTrials() };
    progress.max = limit;
    progress.value = 0;
    progressText.textContent = "";
    message.textContent = "Fitting\u2026";
    busy(true);
    try {
      const result = await pool.run<FitResult>({ op: "fit", args: [setup, measured.csv] }, (runs, objective) => {
        progress.value = Math.min(runs, limit);
        progressText.textContent = `${runs} of ${limit} runs, weighted sum of squares ${objective.toPrecision(4)}`;
      });
      show(result);
    } catch (e) {
      message.textContent = e instanceof Cancelled ? "Cancelled; the fields are unchanged." : errorText(e);
    } finally {
      busy(false);
    }
  });

  const show = (result: FitResult) => {
    if (result.end !== "Converged" && result.end !== "RunLimit") {
      message.textContent = result.message;
      return;
    }
    fitted = result;
    if (result.end === "Converged") progress.value = progress.max;
    message.textContent =
      result.end === "Converged"
        ? `Converged after ${result.runs} runs, ${result.failedRuns} failed.`
        : `${result.message}: the best values so far, after ${result.runs} runs (${result.failedRuns} failed).`;
    const label = (name: string) => fields.catalogue.find((f) => f.name === name)?.label ?? name;
    const head = ["Input", "Start", "Fitted", "Standard error", "Field text"];
    const body = result.inputs.map((i) =>
      h(
        "tr",
        { "data-name": i.name },
        h("th", { scope: "row", text: label(i.name) }),
        h("td", { text: formatNumber(i.start) }),
        h("td", { class: "fitted", "data-value": i.value, text: formatNumber(i.value) }),
        h("td", { text: i.standardError === null ? "undetermined" : formatNumber(i.standardError) }),
        h("td", { text: i.text }),
      ),
    );
    const rms = Object.keys(result.rmsAfter).map((column) =>
      h(
        "tr",
        {},
        h("th", { scope: "row", text: `RMS ${column}` }),
        h("td", { text: formatNumber(result.rmsBefore[column]) }),
        h("td", { text: formatNumber(result.rmsAfter[column]) }),
        h("td", { colspan: 2 }),
      ),
    );
    table.replaceChildren(
      h("caption", { text: "Fitted values; RMS before and after" }),
      h("thead", {}, h("tr", {}, ...head.map((t) => h("th", { scope: "col", text: t })))),
      h("tbody", {}, ...body, ...rms),
    );
    warnings.replaceChildren(...result.warnings.map((w) => h("li", { text: `Warning: ${w}` })));
    apply.disabled = false;
  };

  on(apply, "click", () => {
    if (!fitted) return;
    for (const i of fitted.inputs) {
      const f = fields.catalogue.find((x) => x.name === i.name);
      if (f) fields.setText(f.field, i.text);
    }
    changed();
    measured.compare();
  });
  on(cancel, "click", () => pool.cancel());
}
