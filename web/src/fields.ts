// The twenty fields, laid out in the groups and reading order of the
// desktop window; Edit1 .. Edit20 in document order is also the tab order.
import type { CatalogueField } from "./coreApi";
import { h } from "./dom";

type Row = number | [number, number, number] | string; // field, air law, note

const Groups: { title: string; rows: Row[] }[] = [
  { title: "Operating Condition", rows: [1, 2, 3, 4] },
  { title: "1st Zone Condition", rows: [5, [6, 7, 8], 9] },
  { title: "2nd Zone Condition", rows: [10, [11, 12, 13], 14] },
  { title: "3rd Zone Condition", rows: [15, "Tair : use same equation of Zone 2", 16] },
  { title: "Physical Property", rows: [17, 18] },
  { title: "Calculation Accuracy", rows: [19] },
  { title: "Save File Name", rows: [20] },
];

// The window's two halves: the process on the left, the properties, the
// accuracy and the file on the right.
const LeftGroups = 4;

export class Fields {
  readonly inputs: HTMLInputElement[] = [];
  readonly fileField: number;
  readonly halves: HTMLElement[] = [h("div", { class: "half" }), h("div", { class: "half" })];

  constructor(readonly catalogue: CatalogueField[], host: HTMLElement, fileRowExtra: HTMLElement) {
    const text = catalogue.find((f) => f.domain === "Text");
    this.fileField = text ? text.field : catalogue.length - 1;
    for (const f of catalogue) {
      const input = h("input", {
        id: f.component,
        name: f.name,
        type: "text",
        spellcheck: "false",
        autocomplete: "off",
        inputmode: f.domain === "Text" ? undefined : "decimal",
        value: f.defaultText,
        title: f.label,
      });
      // Fixed properties of the polymer and process: shown, not edited.
      input.disabled = !f.editable;
      this.inputs[f.field] = input;
    }
    Groups.forEach((group, i) => {
      const set = h("fieldset", { class: "group" }, h("legend", { text: group.title }));
      for (const row of group.rows) set.append(this.row(row, row === 20 ? fileRowExtra : null));
      this.halves[i < LeftGroups ? 0 : 1].append(set);
    });
    host.append(...this.halves);
  }

  private row(row: Row, extra: HTMLElement | null): HTMLElement {
    if (typeof row === "string") return h("div", { class: "row note" }, h("span", { text: row }));
    if (Array.isArray(row)) {
      // "Tair = A/( Z + B ) + C": the zone's air-temperature law, its
      // three coefficients named for screen readers by their labels.
      const [a, b, c] = row.map((n) => this.inputs[n - 1]);
      const hidden = (n: number) =>
        h("label", { for: this.inputs[n - 1].id, class: "sr-only", text: this.catalogue[n - 1].label });
      return h(
        "div",
        { class: "row law" },
        hidden(row[0]), hidden(row[1]), hidden(row[2]),
        h("span", { "aria-hidden": "true", text: "Tair =" }), a,
        h("span", { "aria-hidden": "true", text: "/( Z +" }), b,
        h("span", { "aria-hidden": "true", text: ") +" }), c,
      );
    }
    const f = this.catalogue[row - 1];
    const input = this.inputs[row - 1];
    return h(
      "div",
      { class: f.domain === "Text" ? "row file" : "row" },
      // The file name's group already says what it is.
      h("label", { for: input.id, class: f.domain === "Text" ? "sr-only" : undefined, text: f.caption }),
      input,
      extra,
    );
  }

  texts(): string[] {
    return this.inputs.map((i) => i.value);
  }

  // Only the editable fields and the file name take texts from outside.
  setTexts(texts: string[], withFileName = true): void {
    for (const f of this.catalogue) {
      if (!(f.domain === "Text" ? withFileName : f.editable)) continue;
      this.inputs[f.field].value = texts[f.field] ?? f.defaultText;
      this.inputs[f.field].removeAttribute("aria-invalid");
    }
  }

  setText(field: number, text: string): void {
    this.inputs[field].value = text;
    this.inputs[field].removeAttribute("aria-invalid");
  }

  fileName(): string {
    return this.inputs[this.fileField].value;
  }

  // The refused field waits with its text selected, as after GO in the window.
  focusField(field: number): void {
    const input = this.inputs[field];
    if (!input) return;
    input.setAttribute("aria-invalid", "true");
    if (!input.disabled) {
      input.focus();
      input.select();
    }
  }

  clearInvalid(): void {
    for (const i of this.inputs) i.removeAttribute("aria-invalid");
  }

  editable(): CatalogueField[] {
    return this.catalogue.filter((f) => f.editable && f.domain !== "Text");
  }
}
