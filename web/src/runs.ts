// The newest run and up to six kept beside it: their names (what differs
// between them), the charts' runs and the table of their outputs.
import type { CatalogueField, OutputColumn, RunResult } from "./coreApi";
import { KeptColours, NewestColour, type DrawnRun } from "./charts";
import { h, on } from "./dom";

export interface Run {
  texts: string[];
  result: RunResult; // converged: outputs and profile present
}

export const MaxKept = 6;

export function formatNumber(v: number | null | undefined): string {
  if (v === null || v === undefined || Number.isNaN(v)) return "\u2014";
  if (Number.isInteger(v) && Math.abs(v) < 1e9) return String(v);
  return String(Number(v.toPrecision(6)));
}

export class Runs {
  newest: Run | null = null;
  kept: Run[] = [];
  private readonly numeric: CatalogueField[];
  private readonly zoneFields: number[];

  constructor(
    catalogue: CatalogueField[],
    private readonly columns: OutputColumn[],
    private readonly table: HTMLTableElement,
    private readonly list: HTMLElement,
    private readonly changed: () => void,
  ) {
    this.numeric = catalogue.filter((f) => f.editable && f.domain !== "Text");
    const z = (symbol: string, fallback: number) => catalogue.find((f) => f.symbol === symbol)?.field ?? fallback;
    this.zoneFields = [z("Z1", 4), z("Z2", 9)];
  }

  keep(): boolean {
    if (!this.newest || this.kept.length >= MaxKept) return false;
    this.kept.push(this.newest);
    this.changed();
    return true;
  }

  // Labels naming each run by the inputs that differ between the runs
  // shown; the take-up speed where none does.
  names(): string[] {
    const runs = this.all();
    const differing = this.numeric.filter((f) => runs.some((r) => r.texts[f.field] !== runs[0].texts[f.field]));
    const shown = differing.length > 0 ? differing : this.numeric.filter((f) => f.name === "take-up-speed");
    const names = runs.map((r) =>
      shown.map((f) => `${f.symbol} ${r.texts[f.field]}${f.unit ? " " + f.unit : ""}`).join(", "),
    );
    return names.map((n, i) => (names.indexOf(n) !== names.lastIndexOf(n) ? `${n} (run ${i + 1})` : n));
  }

  // Kept runs first, the newest last, so it is drawn on top.
  all(): Run[] {
    return this.newest ? [...this.kept, this.newest] : [...this.kept];
  }

  drawn(): DrawnRun[] {
    const names = this.names();
    return this.all().map((r, i) => ({
      name: names[i],
      colour: i < this.kept.length ? KeptColours[i % KeptColours.length] : NewestColour,
      profile: r.result.profile!,
      zoneEnds: this.zoneFields.map((f) => Number(r.texts[f])).filter(Number.isFinite),
    }));
  }

  render(): void {
    const names = this.names();
    const runs = this.all();
    const colourOf = (i: number) => (i < this.kept.length ? KeptColours[i % KeptColours.length] : NewestColour);
    const newest = this.newest
      ? [h("li", {}, h("span", { class: "swatch", style: `background:${NewestColour}` }), h("span", { text: `Newest: ${names[this.kept.length]}` }))]
      : [];
    this.list.replaceChildren(
      ...this.kept.map((_, i) => {
        const remove = h("button", { type: "button", class: "remove", "aria-label": `Remove kept run ${names[i]}`, text: "\u00d7" });
        on(remove, "click", () => {
          this.kept.splice(i, 1);
          this.changed();
        });
        return h("li", {}, h("span", { class: "swatch", style: `background:${colourOf(i)}` }), h("span", { text: `Kept ${i + 1}: ${names[i]}` }), remove);
      }),
      ...newest,
    );
    const head = h(
      "tr",
      {},
      h("th", { scope: "col", text: "Output" }),
      ...runs.map((_, i) =>
        h("th", { scope: "col" }, h("span", { class: "swatch", style: `background:${colourOf(i)}` }), i === this.kept.length ? "Newest" : `Kept ${i + 1}`),
      ),
    );
    const rows = this.columns.map((c) =>
      h(
        "tr",
        {},
        h("th", { scope: "row", text: c.title }),
        ...runs.map((r) => {
          const v = r.result.outputs?.values[c.name];
          return h("td", { "data-value": v ?? "", text: formatNumber(v) });
        }),
      ),
    );
    this.table.replaceChildren(
      h("caption", { text: "Outputs of the runs drawn" }),
      h("thead", {}, head),
      h("tbody", {}, ...rows),
    );
  }
}
