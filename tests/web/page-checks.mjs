// The page in Chromium, opened from file:// as a user opens it, against the
// native ppspin-cli: GO's report, a refusal, Live, a sweep's CSV, a fit and
// Open Report. Also prints how long the page takes to be ready and a Live
// keystroke to reach the charts (medians; information, not checks).
//   node page-checks.mjs PPSPIN.html PPSPIN-CLI [CHROMIUM]
import { execFileSync, spawnSync } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync, statSync } from "node:fs";
import { createRequire } from "node:module";
import { tmpdir } from "node:os";
import { dirname, join, resolve } from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";

const here = dirname(fileURLToPath(import.meta.url));
const [htmlPath, cliPath, chromiumPath = "/usr/bin/chromium"] = process.argv.slice(2);
const cli = resolve(cliPath);
const { chromium } = createRequire(join(here, "../../web/package.json"))("playwright-core");
const measuredCsv = join(here, "../../docs/measured-example.csv");
const url = pathToFileURL(resolve(htmlPath)).href;
const dir = mkdtempSync(join(tmpdir(), "ppspin-page-"));
const env = { ...process.env, LC_ALL: "C" };
const ppspin = (args) => spawnSync(cli, args, { cwd: dir, env, encoding: "utf8" });

let failures = 0;
const check = (ok, what) => {
  console.log(`${ok ? "ok  " : "FAIL"} ${what}`);
  if (!ok) failures++;
};
const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];
const downloaded = async (page, action) => {
  const [download] = await Promise.all([page.waitForEvent("download", { timeout: 60_000 }), action()]);
  return { name: download.suggestedFilename(), bytes: readFileSync(await download.path()) };
};

const browser = await chromium.launch({ executablePath: chromiumPath });
const context = await browser.newContext({ viewport: { width: 1366, height: 768 }, acceptDownloads: true });
const page = await context.newPage();
const pageErrors = [];
page.on("pageerror", (e) => pageErrors.push(e.message));
// The page is all in its file: nothing may be asked of a network.
const fetched = [];
context.on("request", (r) => /^(file|blob|data):/.test(r.url()) || fetched.push(r.url()));
const ready = () => page.waitForSelector("#go:not([disabled])", { timeout: 60_000 });
const revision = () => page.$eval("#charts", (c) => Number(c.dataset.revision));

try {
  // Time to GO enabled, over a few fresh loads with no stored fields.
  const loads = [];
  for (let i = 0; i < 5; i++) {
    await page.goto(url);
    await ready();
    loads.push(await page.evaluate(() => performance.getEntriesByName("go-enabled")[0].startTime));
    await page.evaluate(() => localStorage.clear());
  }
  await page.goto(url);
  await ready();

  // (a) GO with the defaults: the report ppspin-cli writes, byte for byte,
  // under the file-name field's name.
  {
    check(ppspin([]).status === 0, "ppspin-cli runs the defaults");
    const native = readFileSync(join(dir, "result.txt"));
    const { name, bytes } = await downloaded(page, () => page.click("#go"));
    check(name === "result.txt" && bytes.equals(native), `GO's report equals ppspin-cli's (${bytes.length} bytes, ${name})`);
    check(!(await page.isVisible("#message")), "no message after a converged GO");
  }

  // (b) A refused input: ppspin-cli's message in the alert, and no report.
  {
    const native = ppspin(["--take-up-speed=-2500", "--output=refused.txt"]);
    let downloads = 0;
    const count = () => downloads++;
    page.on("download", count);
    await page.fill("#Edit3", "-2500");
    await page.press("#Edit3", "Enter");
    await page.waitForSelector("#message:not([hidden])");
    const shown = await page.textContent("#message");
    await page.waitForTimeout(500);
    page.off("download", count);
    check(native.status === 2 && shown + "\n" === native.stderr, `refusal shown as ppspin-cli says it: ${JSON.stringify(shown)}`);
    check(downloads === 0, "a refused run offers no report");
    check((await page.getAttribute("#Edit3", "aria-invalid")) === "true", "the refused field is marked");
  }

  // (c) Live: a keystroke reruns and redraws the charts. Timed at the
  // default increment of 1 cm, alternating between two take-up speeds.
  {
    await page.click("#defaults");
    await page.waitForFunction(() => document.querySelector("#Edit19").value === "1.0");
    await page.click("#Edit3");
    await page.press("#Edit3", "End");
    const times = [];
    for (let i = 0; i < 20; i++) {
      const before = await revision();
      await page.keyboard.press(i % 2 === 0 ? "5" : "Backspace");
      await page.waitForFunction((r) => Number(document.querySelector("#charts").dataset.revision) > r, before);
      times.push(await page.evaluate(() => performance.getEntriesByName("live-keystroke").at(-1).duration));
    }
    const speed = await page.$eval("#results td[data-value]", (td) => td.dataset.value);
    check(times.length === 20 && Number(speed) > 0, "each Live keystroke redraws the charts and the table");
    console.log(`info: load to GO enabled, median of ${loads.length}: ${median(loads).toFixed(0)} ms`);
    console.log(`info: Live keystroke to charts drawn, median of ${times.length}: ${median(times).toFixed(1)} ms`);
  }

  // (d) A small sweep, split over workers: its CSV is ppspin-cli's summary.
  {
    const native = ppspin(["--sweep=take-up-speed=2000:4000:250", "--summary=sweep.csv", "--output=sweep.txt"]);
    await page.click("#defaults");
    await page.click("#study > summary");
    await page.selectOption("#studyInput1", "take-up-speed");
    await page.fill("#studyFrom1", "2000");
    await page.fill("#studyTo1", "4000");
    await page.fill("#studyStep1", "250");
    await page.click("#studyRun");
    await page.waitForSelector("#studyCsv:not([disabled])", { timeout: 120_000 });
    const { bytes } = await downloaded(page, () => page.click("#studyCsv"));
    check(native.status === 0 && bytes.equals(readFileSync(join(dir, "sweep.csv"))), "sweep CSV equals ppspin-cli --sweep --summary");
    const message = await page.textContent("#studyMessage");
    check(/on [2-4] workers/.test(message), `the sweep ran in workers: ${message}`);
  }

  // (e) A fit to measured points in a worker: ppspin-cli's values to 6
  // significant digits.
  {
    const native = ppspin([`--measured=${measuredCsv}`, "--fit=take-up-speed,zone2-air-velocity", "--output=fit.txt"]);
    await page.click("#defaults");
    await page.click("#measured > summary");
    await page.setInputFiles("#measuredFile", measuredCsv);
    await page.waitForSelector("#residuals tbody tr");
    await page.fill("#fitMaxRuns", "2000");
    await page.click("#fit");
    await page.waitForSelector("#fitResult td.fitted", { timeout: 120_000 });
    const fitted = await page.$$eval("#fitResult tr[data-name]", (rows) =>
      rows.map((r) => [r.dataset.name, Number(r.querySelector("td.fitted").dataset.value)]),
    );
    const agree = fitted.length === 2 && fitted.every(([name, value]) => {
      const line = native.stdout.split("\n").find((l) => l.startsWith(`${name}=`));
      const expected = Number(line?.slice(name.length + 1));
      return Math.abs(value - expected) <= 5e-7 * Math.abs(expected);
    });
    check(native.status === 0 && agree, `fit agrees with ppspin-cli: ${JSON.stringify(fitted)}`);
  }

  // (f) Open Report: a report's inputs fill the fields; a file that is no
  // report is refused with the reader's message.
  {
    ppspin(["--take-up-speed=2750", "--zone2-air-velocity=35", "--output=opened.txt"]);
    await page.click("#defaults");
    await page.setInputFiles("#openReport", join(dir, "opened.txt"));
    await page.waitForFunction(() => Number(document.querySelector("#Edit3").value) === 2750);
    const texts = await page.$$eval("#Edit14, #Edit20", (inputs) => inputs.map((i) => i.value));
    check(Number(texts[0]) === 35 && texts[1] === "result.txt", `report's inputs in the fields, file name kept: ${texts}`);
    await page.setInputFiles("#openReport", measuredCsv);
    await page.waitForSelector("#message:not([hidden])");
    check((await page.textContent("#message")).includes("Not a report of this program"), "a CSV is refused as a report");
  }
  check(pageErrors.length === 0, `no uncaught errors in the page ${pageErrors.join("; ")}`);
  check(fetched.length === 0, `no network requests ${fetched.join(" ")}`);
  console.log(`info: ${htmlPath}: ${statSync(htmlPath).size} bytes`);
} catch (e) {
  failures++;
  console.log(`FAIL ${e.stack ?? e}`);
} finally {
  await browser.close();
  rmSync(dir, { recursive: true, force: true });
}
console.log(failures === 0 ? "page checks passed" : `${failures} page checks failed`);
process.exit(failures === 0 ? 0 : 1);
