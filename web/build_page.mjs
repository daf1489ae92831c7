// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Bundles the calculator's page: src/main.ts with the behaviour's module, the window's
// definition and pictures (esbuild), the style with the reduced fonts, into
//   calculator.html: one file that opens from disk, every part inside it;
//   calculator/: index.html, page.js and page.css, for a static host.
// Both allow no connection: a Content-Security-Policy that admits the page's own script and
// style (by their hashes in the single file) and data: pictures and fonts, nothing else.
//
// Usage: node build_page.mjs --module DIR --form1 DIR --fonts DIR --out DIR
import { createHash } from "node:crypto";
import { mkdirSync, readFileSync, writeFileSync } from "node:fs";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";
import { parseArgs } from "node:util";
import { createRequire } from "node:module";

const require = createRequire(import.meta.url);
const esbuild = require("esbuild");
const here = dirname(fileURLToPath(import.meta.url));
const { values: args } = parseArgs({
  options: { module: { type: "string" }, form1: { type: "string" }, fonts: { type: "string" }, out: { type: "string" } },
});

// "calculator/..." is the behaviour's module, "form1/..." the window's definition.
const aliases = {
  name: "build-folders",
  setup(build) {
    build.onResolve({ filter: /^(calculator|form1)\// }, (found) => {
      const [folder, ...rest] = found.path.split("/");
      return { path: join(folder === "calculator" ? args.module : args.form1, ...rest) };
    });
  },
};
const bundle = await esbuild.build({
  entryPoints: [join(here, "src/main.ts")],
  bundle: true,
  format: "iife",
  minify: true,
  write: false,
  target: "es2020",
  legalComments: "none",
  loader: { ".wasm": "binary", ".png": "dataurl" },
  plugins: [aliases],
  logLevel: "warning",
  // The module's glue makes an address from import.meta only to fetch its WebAssembly, which
  // the page hands it instead (locateFile, wasmBinary).
  logOverride: { "empty-import-meta": "silent" },
});
const script = bundle.outputFiles[0].text.replace(/<\/script/gi, "<\\/script");

const fontFace = (family, file, weight) =>
  `@font-face{font-family:"${family}";font-weight:${weight};` +
  `src:url(data:font/woff;base64,${readFileSync(join(args.fonts, file)).toString("base64")}) format("woff")}`;
const style =
  fontFace("DejaVu Sans", "DejaVuSans.woff", "normal") +
  fontFace("DejaVu Sans", "DejaVuSans-Bold.woff", "bold") +
  readFileSync(join(here, "src/page.css"), "utf8");

const form = JSON.parse(readFileSync(join(args.form1, "form1.json"), "utf8"));
const icon = `data:image/png;base64,${readFileSync(join(args.form1, form.window.icons[0].file)).toString("base64")}`;
const escape = (text) => text.replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/"/g, "&quot;");
const hash = (text) => `'sha256-${createHash("sha256").update(text, "utf8").digest("base64")}'`;
const policy = (scriptSource, styleSource) =>
  [
    "default-src 'none'",
    `script-src ${scriptSource} 'wasm-unsafe-eval'`,
    `style-src ${styleSource}`,
    "img-src data:",
    "font-src data:",
    "connect-src 'none'",
    "base-uri 'none'",
    "form-action 'none'",
  ].join("; ");
const page = ({ csp, head, body }) => `<!doctype html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta http-equiv="Content-Security-Policy" content="${csp}">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>${escape(form.window.caption)}</title>
<link rel="icon" href="${icon}">
${head}
</head>
<body>
<main id="form" aria-label="${escape(form.window.caption)}"></main>
<div id="announcer" class="visually-hidden" aria-live="polite"></div>
<dialog id="error-box" aria-labelledby="error-box-message"><form method="dialog"><p class="message" id="error-box-message"></p><button>OK</button></form></dialog>
<div id="ended"><p>The calculator has ended.</p><button id="start-again" type="button">Start again</button></div>
${body}
</body>
</html>
`;

mkdirSync(args.out, { recursive: true });
writeFileSync(
  join(args.out, "calculator.html"),
  page({ csp: policy(hash(script), hash(style)), head: `<style>${style}</style>`, body: `<script>${script}</script>` }),
);
const folder = join(args.out, "calculator");
mkdirSync(folder, { recursive: true });
writeFileSync(join(folder, "page.js"), script);
writeFileSync(join(folder, "page.css"), style);
writeFileSync(
  join(folder, "index.html"),
  page({
    csp: policy("'self'", "'self'"),
    head: `<link rel="stylesheet" href="page.css">`,
    body: `<script src="page.js"></script>`,
  }),
);
