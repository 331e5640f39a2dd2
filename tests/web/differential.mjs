// The core compiled to WebAssembly against the native ppspin-cli over random
// input sets from the whole input space: the same outcome class, the same
// message and, for a converged run, the same report bytes.
//   node differential.mjs CORE.js PPSPIN-CLI [COUNT] [SEED]
import { spawn } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync, existsSync } from "node:fs";
import { createRequire } from "node:module";
import { tmpdir } from "node:os";
import { join } from "node:path";

const [corePath, cli, countText = "2000", seedText = "20261209"] = process.argv.slice(2);
const count = Number(countText);
const core = await createRequire(import.meta.url)(corePath)();

// A small seeded generator, so that a failure can be run again.
let seed = Number(seedText) >>> 0;
function random() {
  seed = (seed + 0x6d2b79f5) >>> 0;
  let t = seed;
  t = Math.imul(t ^ (t >>> 15), t | 1);
  t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
  return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
}
const pick = (list) => list[Math.floor(random() * list.length)];

const catalogue = core.catalogue();
const editable = catalogue.filter((f) => f.editable && f.domain !== "Text");
const fileField = catalogue.find((f) => f.domain === "Text");

// Mostly near the defaults, where runs converge, with far values, signs,
// zeros and malformed texts mixed in, where they are refused or fault.
function valueText(field) {
  const base = Number(field.defaultText) || 1;
  const r = random();
  if (r < 0.6) return field.defaultText;
  if (r < 0.93) {
    const x = base * Math.pow(10, (random() - 0.5) * 1.2);
    return x.toFixed(Math.floor(random() * 6));
  }
  if (r < 0.99) {
    const x = (random() < 0.3 ? -1 : 1) * Math.abs(base) * Math.pow(10, (random() - 0.5) * 24);
    return random() < 0.5 ? x.toExponential(Math.floor(random() * 8)) : String(x);
  }
  return pick(["0", "-0", "0.0", "1e300", "1e-300", "-1e300", "1e999", "abc", "1,5", "inf", "nan",
               "4.9e-324", "1e308", ".5", "5.", "--1"]);
}

function runCli(args) {
  return new Promise((resolve) => {
    const child = spawn(cli, args, { stdio: ["ignore", "ignore", "pipe"], env: { ...process.env, LC_ALL: "C" } });
    let stderr = "";
    child.stderr.on("data", (d) => (stderr += d));
    child.on("close", (status) => resolve({ status, stderr }));
  });
}

const statusOf = (kind) => (kind === "Converged" ? 0 : kind === "Refused" ? 2 : 1);
const dir = mkdtempSync(join(tmpdir(), "ppspin-differential-"));
const classes = {};
const differences = [];

async function check(i) {
  const texts = core.defaultTexts();
  const args = [];
  for (const field of editable) {
    texts[field.field] = valueText(field);
    args.push(`--${field.name}=${texts[field.field]}`);
  }
  const file = join(dir, `r${i}.txt`);
  texts[fileField.field] = file;
  args.push(`--${fileField.name}=${file}`);

  const page = core.report(texts, core.maxTrials());
  const native = await runCli(args);
  classes[page.kind] = (classes[page.kind] ?? 0) + 1;
  const nativeReport = existsSync(file) ? readFileSync(file) : null;
  let why = "";
  if (native.status !== statusOf(page.kind)) why = `exit ${native.status} for ${page.kind}`;
  else if (page.kind !== "Converged" && native.stderr !== page.message + "\n")
    why = `message ${JSON.stringify(native.stderr)} vs ${JSON.stringify(page.message)}`;
  else if (page.kind === "Converged" && (!nativeReport || !nativeReport.equals(Buffer.from(page.report))))
    why = "report bytes differ";
  if (why) differences.push(`${why}: ppspin-cli ${args.join(" ")}`);
  rmSync(file, { force: true });
}

// Two command lines at a time; the module runs between them.
let next = 0;
await Promise.all([0, 1].map(async () => {
  while (next < count) await check(next++);
}));
rmSync(dir, { recursive: true, force: true });

console.log(`${count} input sets: ` + Object.entries(classes).map(([k, n]) => `${k} ${n}`).join(", "));
for (const d of differences.slice(0, 20)) console.log(d);
console.log(`${differences.length} differences`);
process.exit(differences.length === 0 ? 0 : 1);
