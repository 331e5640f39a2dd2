// The Reference dialog: the physical properties built into the model, in
// the desktop dialog's words and characters.
import { byId, h, on } from "./dom";

// U+3000 ideographic spaces indent the two viscosity formulas under their
// temperature ranges.
const Indent = "\u3000\u3000";
const Groups: [string, string[]][] = [
  [
    "Trouton Viscosity of PP",
    [
      "T >= 130 \u2103",
      Indent + "\u03bb = C*Exp(4400/(T + 273))",
      "T < 130 \u2103",
      Indent + "\u03bb = 0.000132*C*Exp(8000/(T + 273))",
      "C = 3.0*\u03b7ref/Exp(4400/(Tref + 273))",
    ],
  ],
  [
    "Other Physical Properties of PP",
    ["Density \u03c1 = 0.862 - 0.00055*T", "Specific Heat Cp = 0.54 + 0.0008*T", "Die Swell Ratio S = 1.0"],
  ],
];
const Note =
  "Note:  These physical\nproperty values are built\nin the program.  If you\nwant to change these,\n" +
  "modifying the program is\nnecessary.";

export function setUpReference(): void {
  const dialog = byId<HTMLDialogElement>("referenceDialog");
  const close = h("button", { type: "button", id: "referenceClose", text: "Close" });
  dialog.append(
    h("h2", { id: "referenceTitle", text: "Reference Information of PP" }),
    h(
      "div",
      { class: "reference" },
      h(
        "div",
        {},
        ...Groups.map(([title, lines]) =>
          h("fieldset", {}, h("legend", { text: title }), ...lines.map((l) => h("p", { class: "formula", text: l }))),
        ),
      ),
      h("div", { class: "reference-side" }, h("p", { class: "note", text: Note }), close),
    ),
  );
  dialog.setAttribute("aria-labelledby", "referenceTitle");
  on(close, "click", () => dialog.close());
  on(byId("reference"), "click", () => {
    if (typeof dialog.showModal === "function") dialog.showModal();
    else dialog.setAttribute("open", "");
    close.focus();
  });
}
