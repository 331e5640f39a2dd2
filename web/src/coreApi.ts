// What the WebAssembly core offers the page: the same library as the
// desktop program, ppspin-cli and Python, bound with embind (web/core/).
// Every function is synchronous and pure: no file, no global state kept
// between calls, so any number of workers may each hold a module.
//
// Field texts are always the twenty texts Edit1 .. Edit20, in order, with
// "." as decimal separator (the desktop program's C locale).

export type OutcomeKind =
  | "Converged"
  | "Refused" // a field did not convert or failed its check
  | "FloatingPointFault"
  | "NotConverged"
  | "Cancelled"
  | "FileError"
  | "Failed";

export type Domain = "Positive" | "NonNegative" | "Free" | "Text";

export interface CatalogueField {
  field: number; // 0 .. 19
  component: string; // "Edit1"
  name: string; // ppspin-cli's option name, "take-up-speed"
  editable: boolean; // the others are shown disabled
  domain: Domain;
  checkOrder: number; // 1 first; 0 for an unchecked field
  refusal: string; // the message of its check ("" when none)
  title: string; // "Take-up Speed"
  unit: string; // "m/min" (UTF-8)
  symbol: string; // "VL"
  label: string; // the window's label with unit, "Take-up Speed (m/min)"
  caption: string; // the window's caption beside the field
  chartLabel: string; // for chart axes, "Take-up speed VL (m/min)"
  column: string; // CSV column, "VL_m_min"
  defaultText: string; // the field's opening text, "3500.0"
}

export interface OutputColumn {
  name: string; // summary column, "D_end_um"
  title: string; // with unit, for charts, "End diameter (µm)"
}

export interface RunOutputs {
  trials: number;
  // keyed by OutputColumn.name; null where the run has none (z_freeze_cm
  // of a filament that never freezes)
  values: Record<string, number | null>;
}

export interface Profile {
  // ProfileCsv's columns (z_cm, v_m_min, F_dyn, T_C, D_cm, Ta_C,
  // h_cal_cm2_s_C, ten_re_g_den, ten_ap_g_den) plus D_um, one number per
  // grid point
  columns: Record<string, Float64Array>;
  f0: number; // converged spinneret tension, dyn
  zFreeze: number | null; // cm
}

export interface RunResult {
  kind: OutcomeKind;
  message: string; // exactly what the window shows; "" when converged
  field: number; // the refused field, else -1
  trials: number;
  outputs?: RunOutputs; // converged only
  profile?: Profile; // converged only
}

export interface ReportResult extends RunResult {
  report?: Uint8Array; // the report's bytes (Shift-JIS), converged only
}

export interface ReadReportResult {
  ok: boolean;
  message: string; // why not, as ppspin-cli --inputs-from says it
  texts: string[]; // the twenty texts read (file name as in the report)
}

export interface StudySetup {
  texts: string[];
  // "take-up-speed=2000:5000:100" as ppspin-cli --sweep takes them; one for
  // a sweep, two for a map
  ranges: string[];
  maxTrials: number;
}

export interface StudyPlan {
  refusal: string; // "" when the study can run
  header: string; // the summary CSV's header line, with its "\n"
  points: number[][]; // one value per range, the first range slowest
}

export interface StudyRow {
  index: number;
  values: number[];
  kind: OutcomeKind;
  status: string; // "ok" or the message
  outputs?: RunOutputs; // converged only
  line: string; // the summary CSV's line, with its "\n"
}

export interface GoalSetup {
  texts: string[];
  input: string; // option name
  output: string; // OutputColumn.name
  target: number;
  bracket?: [number, number];
  maxTrials: number;
}

export interface GoalResult {
  end: "Found" | "Refused" | "NoBracket" | "RunFailed" | "Cancelled";
  message: string;
  field: number;
  runs: number;
  solutions: { value: number; output: number; text: string }[];
}

export interface SensitivityResult {
  refusal: string; // why there are no rows ("" when there are)
  text: string; // the table as ppspin-cli --sensitivity prints it
  rows: {
    name: string; // option name
    value: number;
    step: string;
    status: string;
    elasticity: (number | null)[]; // by OutputColumn
  }[];
}

export interface MeasuredSeries {
  column: string; // "D_um"
  unit: string;
  chartFactor: number; // from the column's unit to its chart's
  quantity: "Velocity" | "Tension" | "Temperature" | "Diameter";
  z: Float64Array;
  value: Float64Array;
}

export interface MeasuredResult {
  ok: boolean;
  message: string;
  series: MeasuredSeries[];
}

export interface ComparisonResult {
  refusal: string; // a point off the spinline, or the run's message
  series: {
    column: string;
    z: Float64Array;
    model: Float64Array;
    residual: Float64Array;
    rms: number;
  }[];
}

export interface FitSetup {
  texts: string[];
  inputs: { name: string; lo?: number; hi?: number }[]; // 1 to 6 editable inputs
  maxRuns: number;
  maxTrials: number;
}

export interface FitResult {
  end: "Converged" | "RunLimit" | "Refused" | "StartFailed" | "Failed" | "Cancelled";
  message: string;
  runs: number;
  failedRuns: number;
  inputs: {
    name: string;
    start: number;
    value: number;
    lo: number;
    hi: number;
    standardError: number | null;
    text: string; // what the field should show
  }[];
  rmsBefore: Record<string, number>; // by measured column
  rmsAfter: Record<string, number>;
  warnings: string[];
}

export interface Core {
  catalogue(): CatalogueField[];
  defaultTexts(): string[];
  outputColumns(): OutputColumn[];
  maxTrials(): number; // the default trial bound
  run(texts: string[], maxTrials: number): RunResult;
  report(texts: string[], maxTrials: number): ReportResult;
  profileCsv(texts: string[], maxTrials: number): string; // "" unless converged
  readReport(bytes: Uint8Array): ReadReportResult;
  studyPlan(setup: StudySetup): StudyPlan;
  // Runs points[from .. to) of the plan; a worker takes a slice.
  studyRows(setup: StudySetup, from: number, to: number): StudyRow[];
  goalSeek(setup: GoalSetup): GoalResult;
  sensitivities(texts: string[], maxTrials: number): SensitivityResult;
  readMeasured(csv: string): MeasuredResult;
  compare(texts: string[], csv: string, maxTrials: number): ComparisonResult;
  // progress, where given, hears the runs made and the least objective so
  // far after every run (from a worker, post them on).
  fit(setup: FitSetup, csv: string, progress: ((runs: number, objective: number) => void) | null): FitResult;
}
