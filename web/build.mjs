// Builds ppspin.html: one file holding the page, its style, its script, the
// worker's script and the core (its WebAssembly inside), so that it opens
// from a folder or a USB stick with no server and no network.
//   node web/build.mjs --core ppspin-core.js --out ppspin.html
import { execFileSync } from "node:child_process";
import { readFileSync, writeFileSync } from "node:fs";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";
import * as esbuild from "esbuild";

const web = dirname(fileURLToPath(import.meta.url));
const args = process.argv.slice(2);
const option = (name) => {
  const i = args.indexOf(name);
  if (i < 0 || i + 1 >= args.length) throw new Error(`usage: build.mjs --core CORE.js --out PAGE.html (${name} missing)`);
  return args[i + 1];
};
const corePath = option("--core");
const outPath = option("--out");
const MaxBytes = 4 * 1024 * 1024;

// Type errors stop the build: esbuild itself only strips the types.
execFileSync(join(web, "node_modules", ".bin", "tsc"), ["--noEmit", "-p", web], { stdio: "inherit" });

async function bundle(entry) {
  const result = await esbuild.build({
    entryPoints: [join(web, "src", entry)],
    bundle: true,
    format: "iife",
    target: "es2020",
    minify: true,
    legalComments: "none",
    write: false,
  });
  return result.outputFiles[0].text;
}

// Inside <script>, "</script" would end the element and "<!--" could start
// an HTML comment state. Escaped, both stay the same JavaScript (in the
// strings, comments and regular expressions they can occur in).
function inline(js) {
  return js.replace(/<\/(script)/gi, "<\\/$1").replace(/<!--/g, "<\\!--");
}

const [main, worker] = await Promise.all([bundle("main.ts"), bundle("worker.ts")]);
const core = readFileSync(corePath, "utf8");
const css =
  readFileSync(join(web, "node_modules", "uplot", "dist", "uPlot.min.css"), "utf8") +
  "\n" +
  readFileSync(join(web, "page.css"), "utf8");

// The core runs in the page as a script, and its text, with the worker's,
// makes each worker's Blob: the module is in the file once.
const scripts =
  `<script id="ppspin-core">${inline(core)}</script>\n` +
  `<script type="text/plain" id="ppspin-worker">${inline(worker)}</script>\n` +
  `<script>${inline(main)}</script>`;
const html = readFileSync(join(web, "page.html"), "utf8")
  .replace("/*STYLE*/", () => css.replace(/<\/(style)/gi, "<\\/$1"))
  .replace("<!--SCRIPTS-->", () => scripts);

const size = Buffer.byteLength(html);
if (size > MaxBytes) throw new Error(`${outPath}: ${size} bytes, more than the ${MaxBytes} a page may have`);
writeFileSync(outPath, html);
console.log(`${outPath}: ${size} bytes`);
