// The four profile charts against z, with uPlot: the newest run, the kept
// runs and any measured points. A Live edit only replaces data; a change of
// what is drawn (a run kept, points loaded) builds the charts anew.
import uPlot from "uplot";
import type { MeasuredSeries, Profile } from "./coreApi";
import { guard, h } from "./dom";

export interface DrawnRun {
  name: string;
  colour: string;
  profile: Profile;
  zoneEnds: number[]; // z of the ends of zones 1 and 2, cm
}

interface ChartLayout {
  id: string;
  title: string;
  axis: string;
  columns: { column: string; part?: string; dash?: number[] }[];
  quantity: MeasuredSeries["quantity"];
}

const Layouts: ChartLayout[] = [
  { id: "chartVelocity", title: "Velocity", axis: "Velocity (m/min)", columns: [{ column: "v_m_min" }], quantity: "Velocity" },
  { id: "chartTension", title: "Tension", axis: "Tension (dyn)", columns: [{ column: "F_dyn" }], quantity: "Tension" },
  {
    id: "chartTemperature",
    title: "Temperature",
    axis: "Temperature (\u00b0C)",
    columns: [
      { column: "T_C", part: "filament" },
      { column: "Ta_C", part: "air", dash: [6, 4] },
    ],
    quantity: "Temperature",
  },
  { id: "chartDiameter", title: "Diameter", axis: "Diameter (\u00b5m)", columns: [{ column: "D_um" }], quantity: "Diameter" },
];

export const NewestColour = "#1f77b4";
export const KeptColours = ["#ff7f0e", "#2ca02c", "#d62728", "#9467bd", "#8c564b", "#e377c2"];
const GuideColour = "#6e6e6e";
const MarkerColour = "#000000";

export class ProfileCharts {
  private plots: uPlot[] = [];
  private shape = "";
  private runs: DrawnRun[] = [];
  private revision = 0;

  constructor(private readonly host: HTMLElement) {
    for (const layout of Layouts) {
      host.append(h("figure", { id: layout.id, class: "chart", "aria-label": `${layout.title} against z` }));
    }
    if (typeof ResizeObserver === "function") {
      let width = 0;
      new ResizeObserver(guard(() => {
        const w = this.chartWidth();
        if (w !== width) {
          width = w;
          for (const p of this.plots) p.setSize({ width: w, height: this.chartHeight() });
        }
      })).observe(host);
    }
  }

  // Draws the runs (kept first, newest last) and the measured points; calls
  // painted once every chart has drawn them.
  draw(runs: DrawnRun[], measured: MeasuredSeries[], painted?: () => void): void {
    this.runs = runs;
    const shape = JSON.stringify([runs.map((r) => r.name + r.colour), measured.map((m) => m.column)]);
    const data = Layouts.map((layout) => this.dataOf(layout, runs, measured));
    if (shape !== this.shape || this.plots.length === 0) {
      this.shape = shape;
      for (const p of this.plots) p.destroy();
      this.plots = Layouts.map((layout, i) => this.build(layout, runs, measured, data[i]));
    } else {
      this.plots.forEach((p, i) => p.setData(data[i]));
    }
    // uPlot commits its drawing in a microtask queued by setData: this one
    // runs after it.
    queueMicrotask(
      guard(() => {
        this.host.dataset.revision = String(++this.revision);
        painted?.();
      }),
    );
  }

  private dataOf(layout: ChartLayout, runs: DrawnRun[], measured: MeasuredSeries[]): uPlot.AlignedData {
    const tables: uPlot.AlignedData[] = runs.map((r) => [
      r.profile.columns.z_cm,
      ...layout.columns.map((c) => r.profile.columns[c.column]),
    ]);
    for (const m of measured.filter((s) => s.quantity === layout.quantity)) {
      tables.push([m.z, m.value.map((v) => v * m.chartFactor)]);
    }
    if (tables.length === 0) return [[]];
    // One run alone needs no joining: the Live path stays cheap.
    return tables.length === 1 ? tables[0] : uPlot.join(tables);
  }

  private build(layout: ChartLayout, runs: DrawnRun[], measured: MeasuredSeries[], data: uPlot.AlignedData): uPlot {
    const series: uPlot.Series[] = [{ label: "z (cm)" }];
    for (const r of runs) {
      for (const c of layout.columns) {
        series.push({
          label: c.part ? `${r.name}, ${c.part}` : r.name,
          stroke: r.colour,
          width: 2,
          // uPlot draws in device pixels and leaves dashes unscaled.
          dash: c.dash?.map((d) => d * devicePixelRatio),
          spanGaps: true,
          points: { show: false },
        });
      }
    }
    for (const m of measured.filter((s) => s.quantity === layout.quantity)) {
      series.push({
        label: `measured ${m.column}`,
        stroke: MarkerColour,
        fill: MarkerColour,
        paths: () => null,
        points: { show: true, size: 7, stroke: MarkerColour, fill: "#ffffff", width: 1.5 },
      });
    }
    const figure = document.getElementById(layout.id)!;
    figure.replaceChildren();
    const opts: uPlot.Options = {
      title: layout.title,
      width: this.chartWidth(),
      height: this.chartHeight(),
      series,
      scales: { x: { time: false } },
      axes: [
        { label: "z (cm)", size: 36, labelSize: 20 },
        { label: layout.axis, size: 52, labelSize: 22 },
      ],
      // The runs' names and colours are listed once above the charts.
      legend: { show: false },
      cursor: { drag: { x: true, y: false } },
      hooks: { draw: [(u) => this.drawZones(u, layout === Layouts[0])] },
    };
    return new uPlot(opts, data, figure);
  }

  // The zone ends as dashed lines; named along the top of the first chart.
  private drawZones(u: uPlot, named: boolean): void {
    const ends = new Map<number, string[]>();
    for (const r of this.runs) {
      r.zoneEnds.forEach((z, i) => {
        const names = ends.get(z) ?? [];
        if (!names.includes(`Z${i + 1}`)) names.push(`Z${i + 1}`);
        ends.set(z, names);
      });
    }
    const ctx = u.ctx;
    const { top, height } = u.bbox;
    ctx.save();
    ctx.strokeStyle = GuideColour;
    ctx.fillStyle = GuideColour;
    ctx.setLineDash([4 * devicePixelRatio, 4 * devicePixelRatio]);
    ctx.lineWidth = devicePixelRatio;
    ctx.font = `${Math.round(11 * devicePixelRatio)}px sans-serif`;
    for (const [z, names] of ends) {
      const x = Math.round(u.valToPos(z, "x", true));
      if (!Number.isFinite(x)) continue;
      ctx.beginPath();
      ctx.moveTo(x, top);
      ctx.lineTo(x, top + height);
      ctx.stroke();
      if (named) ctx.fillText(names.join(", "), x + 3 * devicePixelRatio, top + 12 * devicePixelRatio);
    }
    ctx.restore();
  }

  private chartWidth(): number {
    const first = this.host.querySelector("figure");
    const w = first ? first.clientWidth : this.host.clientWidth;
    return Math.max(240, Math.floor(w || 480));
  }

  private chartHeight(): number {
    return Math.max(160, Math.min(260, Math.round(this.chartWidth() * 0.5)));
  }
}
