// Measured points: read from a CSV as ppspin-cli --measured reads them,
// marked on the charts, and compared with the fields' run.
import type { ComparisonResult, Core, MeasuredSeries } from "./coreApi";
import { byId, h, on } from "./dom";
import type { Fields } from "./fields";
import { formatNumber } from "./runs";

// The most of a file the reader takes; one byte more, so that a larger
// file is refused as ppspin-cli refuses it.
const MaxMeasuredBytes = 10 * 1000 * 1000;

export class Measured {
  csv = "";
  series: MeasuredSeries[] = [];
  private readonly message = byId("measuredMessage");
  private readonly table = byId<HTMLTableElement>("residuals");
  private readonly compareButton = byId<HTMLButtonElement>("compare");

  constructor(
    private readonly core: Core,
    private readonly fields: Fields,
    private readonly changed: () => void,
  ) {
    const picker = byId<HTMLInputElement>("measuredFile");
    on(picker, "change", async () => {
      const file = picker.files?.[0];
      picker.value = "";
      if (file) await this.load(file);
    });
    on(this.compareButton, "click", () => this.compare());
  }

  async load(file: File): Promise<void> {
    const text = await file.slice(0, MaxMeasuredBytes + 1).text();
    const read = this.core.readMeasured(text);
    if (!read.ok) {
      this.message.textContent = `${file.name}: ${read.message}`;
      return;
    }
    this.csv = text;
    this.series = read.series;
    const points = read.series.reduce((n, s) => n + s.z.length, 0);
    this.message.textContent = `${file.name}: ${points} points of ${read.series.map((s) => s.column).join(", ")}`;
    this.compareButton.disabled = false;
    this.changed();
    this.compare();
  }

  // Measured minus model at each point, and the RMS of each column.
  compare(): void {
    if (!this.csv) return;
    const c: ComparisonResult = this.core.compare(this.fields.texts(), this.csv, this.core.maxTrials());
    const units = new Map(this.series.map((s) => [s.column, s.unit]));
    const rows = c.series.map((s) =>
      h(
        "tr",
        {},
        h("th", { scope: "row", text: s.column }),
        h("td", { text: String(s.z.length) }),
        h("td", { "data-value": s.rms, text: `${formatNumber(s.rms)} ${units.get(s.column) ?? ""}` }),
        h("td", { class: "residuals", text: Array.from(s.residual, (r) => formatNumber(r)).join("  ") }),
      ),
    );
    this.table.replaceChildren(
      h("caption", { text: c.refusal || "Measured minus model, at the points' z" }),
      h("thead", {}, h("tr", {}, ...["Column", "Points", "RMS", "Residuals"].map((t) => h("th", { scope: "col", text: t })))),
      h("tbody", {}, ...rows),
    );
  }
}
