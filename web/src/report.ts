// GO, and opening a report's inputs back: from the file picker or dropped
// onto the page.
import type { Core } from "./coreApi";
import { alertMessage, byId, on, statusMessage } from "./dom";
import { baseName, download } from "./download";
import type { Fields } from "./fields";

// A report's header lies within its first 8192 bytes, the most the core
// (and ppspin-cli) reads of one; the rest of the file is never read.
const MaxReportHeaderBytes = 8192;

export function go(core: Core, fields: Fields, ran: (texts: string[], result: ReturnType<Core["report"]>) => void): void {
  alertMessage("");
  fields.clearInvalid();
  const texts = fields.texts();
  const result = core.report(texts, core.maxTrials());
  if (result.kind === "Converged" && result.report) {
    const name = baseName(fields.fileName());
    download(name, result.report, "application/octet-stream");
    statusMessage(`Report ${name} written after ${result.trials} trials.`);
    ran(texts, result);
    return;
  }
  // The window's message, word for word; no report.
  alertMessage(result.message);
  statusMessage("");
  fields.focusField(result.field);
}

export async function openReport(core: Core, fields: Fields, file: File, filled: () => void): Promise<void> {
  const bytes = new Uint8Array(await file.slice(0, MaxReportHeaderBytes).arrayBuffer());
  const read = core.readReport(bytes);
  if (!read.ok) {
    alertMessage(`${file.name}: ${read.message}`);
    return;
  }
  alertMessage("");
  // The inputs only, as ppspin-cli --inputs-from takes them: the name the
  // next report is saved under stays the field's.
  fields.setTexts(read.texts, false);
  statusMessage(
    `Inputs read from ${file.name}, as its header printed them: each to the decimals of its line.`,
  );
  filled();
}

export function setUpOpenReport(core: Core, fields: Fields, filled: () => void, measuredDrop: (file: File) => void): void {
  const picker = byId<HTMLInputElement>("openReport");
  on(picker, "change", async () => {
    const file = picker.files?.[0];
    picker.value = "";
    if (file) await openReport(core, fields, file, filled);
  });
  // A file dropped anywhere is a report, unless dropped on the measured
  // points' panel.
  on(document, "dragover", (e) => {
    if (e.dataTransfer?.types.includes("Files")) {
      e.preventDefault();
      e.dataTransfer.dropEffect = "copy";
    }
  });
  on(document, "drop", async (e) => {
    const file = e.dataTransfer?.files[0];
    if (!file) return;
    e.preventDefault();
    if (e.target instanceof Node && byId("measured").contains(e.target)) measuredDrop(file);
    else await openReport(core, fields, file, filled);
  });
}
