// The core's studies in WebAssembly against the native ppspin-cli: study
// and sensitivity tables byte for byte, the goal seek's value, and fitted
// values to 6 significant digits (BOBYQA built for each platform).
//   node studies.mjs CORE.js PPSPIN-CLI MEASURED.csv
import { execFileSync } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync } from "node:fs";
import { createRequire } from "node:module";
import { tmpdir } from "node:os";
import { join } from "node:path";

const [corePath, cli, measuredPath] = process.argv.slice(2);
const core = await createRequire(import.meta.url)(corePath)();
const texts = core.defaultTexts();
const maxTrials = core.maxTrials();
const dir = mkdtempSync(join(tmpdir(), "ppspin-studies-"));
const ppspin = (args) =>
  execFileSync(cli, [...args, `--output=${join(dir, "r.txt")}`], { cwd: dir, encoding: "utf8", env: { ...process.env, LC_ALL: "C" } });
let failures = 0;
const expect = (ok, what) => {
  if (!ok) {
    failures++;
    console.log(`FAIL: ${what}`);
  }
};

// A sweep with refused points, and a grid.
for (const ranges of [["hole-diameter=-0.01:0.06:0.005"],
                      ["take-up-speed=2000:4000:500", "zone2-air-velocity=0:100:25"]]) {
  const setup = { texts, ranges, maxTrials };
  const plan = core.studyPlan(setup);
  const rows = core.studyRows(setup, 0, plan.points.length);
  const page = plan.header + rows.map((r) => r.line).join("");
  const native = ppspin(ranges.map((r) => `--sweep=${r}`));
  expect(page === native, `study ${ranges.join(" ")}:\n${page}\n---\n${native}`);
}

const sensitivities = core.sensitivities(texts, maxTrials);
expect(sensitivities.text === ppspin(["--sensitivity"]), "sensitivity table");

const goal = core.goalSeek({ texts, input: "take-up-speed", output: "D_end_um", target: 20, maxTrials });
const solved = ppspin(["--solve=take-up-speed", "--target=D_end_um=20"]).split("\n")[0];
expect(goal.end === "Found" && `take-up-speed=${goal.solutions[0].value}` === solved,
       `goal seek ${JSON.stringify(goal)} vs ${solved}`);

const csv = readFileSync(measuredPath, "utf8");
const fit = core.fit({ texts, inputs: [{ name: "take-up-speed" }, { name: "zone2-air-velocity" }], maxRuns: 2000, maxTrials }, csv, null);
const nativeFit = ppspin([`--measured=${measuredPath}`, "--fit=take-up-speed,zone2-air-velocity"]);
for (const input of fit.inputs) {
  const line = nativeFit.split("\n").find((l) => l.startsWith(`${input.name}=`));
  const value = Number(line?.slice(input.name.length + 1));
  expect(Math.abs(input.value - value) <= 5e-7 * Math.abs(value), `fit ${input.name} ${input.value} vs ${value}`);
}

rmSync(dir, { recursive: true, force: true });
console.log(failures === 0 ? "studies, sensitivities, goal seek and fit agree" : `${failures} failures`);
process.exit(failures === 0 ? 0 : 1);
