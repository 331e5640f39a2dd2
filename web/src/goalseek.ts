// Goal seek: the value of one input that gives an output its target; every
// value in reach is listed, and any can be put into its field.
import type { Core, GoalResult, GoalSetup } from "./coreApi";
import { byId, errorText, h, numberOf, on } from "./dom";
import type { Fields } from "./fields";
import { Cancelled, Pool } from "./pool";

const InputNotCorrect = "Input value is not correct!";

export function setUpGoalSeek(core: Core, fields: Fields, pool: Pool, changed: () => void): void {
  const output = byId<HTMLSelectElement>("seekOutput");
  const input = byId<HTMLSelectElement>("seekInput");
  const target = byId<HTMLInputElement>("seekTarget");
  const from = byId<HTMLInputElement>("seekFrom");
  const to = byId<HTMLInputElement>("seekTo");
  const seek = byId<HTMLButtonElement>("seek");
  const cancel = byId<HTMLButtonElement>("seekCancel");
  const message = byId("seekMessage");
  const list = byId("seekSolutions");

  for (const c of core.outputColumns()) output.append(h("option", { value: c.name, text: c.title }));
  output.value = "D_end_um";
  for (const f of fields.editable()) input.append(h("option", { value: f.name, text: f.label }));
  input.value = "take-up-speed";

  const busy = (on: boolean) => {
    seek.disabled = on;
    cancel.disabled = !on;
  };

  const show = (result: GoalResult) => {
    const field = fields.catalogue.find((f) => f.name === input.value)!;
    if (result.end !== "Found") {
      // A text that does not convert says so with its field's title.
      message.textContent =
        result.end === "Refused" && result.field >= 0 && result.message === InputNotCorrect
          ? `${fields.catalogue[result.field].title}: ${result.message}`
          : result.message;
      if (result.end === "Refused") fields.focusField(result.field);
      return;
    }
    message.textContent =
      result.solutions.length === 1
        ? `One value of ${field.label} gives the target (${result.runs} runs).`
        : `${result.solutions.length} values of ${field.label} give the target, the nearest first (${result.runs} runs).`;
    list.replaceChildren(
      ...result.solutions.map((s, i) => {
        const use = h("button", { type: "button", text: "Use", "aria-label": `Put ${s.text} into ${field.label}` });
        on(use, "click", () => {
          fields.setText(field.field, s.text);
          changed();
        });
        return h("li", {}, `${i + 1}. ${s.text} ${field.unit} (output ${String(Number(s.output.toPrecision(6)))})`, use);
      }),
    );
  };

  on(seek, "click", async () => {
    list.replaceChildren();
    const t = numberOf(target.value);
    if (t === undefined || Number.isNaN(t)) {
      message.textContent = `Target: ${InputNotCorrect}`;
      target.focus();
      return;
    }
    const lo = numberOf(from.value);
    const hi = numberOf(to.value);
    if ((lo === undefined) !== (hi === undefined) || Number.isNaN(lo) || Number.isNaN(hi)) {
      message.textContent = "Where to look: give both ends as numbers, or neither";
      return;
    }
    const setup: GoalSetup = { texts: fields.texts(), input: input.value, output: output.value, target: t, maxTrials: core.maxTrials() };
    if (lo !== undefined && hi !== undefined) setup.bracket = [lo, hi];
    busy(true);
    message.textContent = "Seeking\u2026";
    try {
      show(await pool.run<GoalResult>({ op: "goalSeek", args: [setup] }));
    } catch (e) {
      message.textContent = e instanceof Cancelled ? "Cancelled." : errorText(e);
    } finally {
      busy(false);
    }
  });
  on(cancel, "click", () => pool.cancel());
}
