#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# The design command's plot and report in the real tools: the SVG well-formed (xmllint), the
# HTML free of errors in the Nu Html Checker (vnu-jar on Java), printed by headless Chromium
# to PDF on A4 in at most three pages, with a screenshot; an output name full of markup
# characters stays text. A missing tool fails the test.
#
# Usage: report_browser.sh CLI VNU_JAR OUTPUT_DIR
set -uo pipefail

cli=$(realpath "$1")
vnu=$2
out=$3
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

for tool in timeout chromium pdfinfo xmllint java python3; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (tools/install-deps.sh test)"; exit 1; }
done
[[ -f $vnu ]] || { echo "FAIL: no vnu.jar at $vnu (tools/install-deps.sh test)"; exit 1; }

rm -rf "$out"
mkdir -p "$out"
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
chrome() {
  timeout 120 chromium --headless --no-sandbox --disable-gpu --no-pdf-header-footer \
    --disable-background-networking --disable-component-update --disable-sync --no-first-run \
    --user-data-dir="$profile" "$@" >/dev/null 2>&1
}

# Both circuits, plain and with every analysis; the last one's name is markup.
designs=(
  "lowpass 100 33k"
  "lowpass 100 33k --series E24 --opamp 1Meg --tolerance 1,1"
  "highpass 100 10n --series E96"
  "lowpass 1k 10k --opamp 1Meg,200k,100 --opamp-noise 10n,1p --tolerance 1,1"
  "highpass 1k 4n7 --series E24 --move-value E12 --response chebyshev-1 --opamp 100k,200k,50 --tolerance 1,5 --at 50 --at 60 --at 4k"
)
index=0
for design in "${designs[@]}"; do
  index=$((index + 1))
  dir="$out/design$index"
  mkdir -p "$dir"
  # shellcheck disable=SC2086
  if ! (cd "$dir" && timeout 60 "$cli" design $design --svg 'a<b>&"c.svg' --html report.html >/dev/null); then
    fail "design $design: the command failed"
    continue
  fi
  svg="$dir/a<b>&\"c.svg"
  size=$(stat -c %s "$svg")
  ((size < 30000)) || fail "design $design: the SVG has $size bytes"
  timeout 60 xmllint --noout "$svg" || fail "design $design: xmllint rejects the SVG"
  html="$dir/report.html"
  vnu_out=$(timeout 300 java -jar "$vnu" --errors-only "$html" 2>&1) ||
    fail "design $design: vnu reports errors: $vnu_out"

  # Markup characters of the command line are text: the only tags are the page's own,
  # and the command shows as typed.
  python3 - "$html" "design $design" <<'PY' || fail "design $design: markup check"
import html.parser, sys
allowed = {"html", "head", "meta", "title", "style", "body", "header", "h1", "h2", "p",
           "code", "div", "section", "table", "tr", "th", "td", "figure", "svg", "rect",
           "line", "text", "circle", "polyline", "defs", "clippath", "ul", "li", "pre"}
class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.tags, self.code, self.in_code = set(), "", False
    def handle_starttag(self, tag, attrs):
        self.tags.add(tag)
        self.in_code = tag == "code"
    def handle_endtag(self, tag):
        self.in_code = False
    def handle_data(self, data):
        if self.in_code:
            self.code += data
page = Page()
page.feed(open(sys.argv[1], encoding="utf-8").read())
strange = page.tags - allowed
expected = "butterworth3-cli " + sys.argv[2] + " --svg 'a<b>&\"c.svg' --html report.html"
if strange or page.code != expected:
    print("tags:", sorted(strange), "\ncommand:", repr(page.code), "\nexpected:", repr(expected))
    sys.exit(1)
PY

  pdf="$dir/report.pdf"
  chrome --print-to-pdf="$pdf" "file://$html" || fail "design $design: chromium could not print"
  info=$(timeout 60 pdfinfo "$pdf" 2>&1) || { fail "design $design: pdfinfo: $info"; continue; }
  pages=$(awk '/^Pages:/ {print $2}' <<<"$info")
  read -r width height < <(awk '/^Page size:/ {print $3, $5}' <<<"$info")
  echo "design $design: SVG $size bytes, HTML $(stat -c %s "$html") bytes, PDF $pages pages of $width x $height pts, $(stat -c %s "$pdf") bytes"
  ((pages >= 1 && pages <= 3)) || fail "design $design: $pages pages"
  # A4 is 595.28 x 841.89 pts; Chromium rounds the page to whole CSS pixels (594.96 x
  # 841.92), far from Letter's 612 x 792.
  awk -v w="$width" -v h="$height" 'BEGIN { exit !((w - 595.28) ^ 2 < 1 && (h - 841.89) ^ 2 < 1) }' ||
    fail "design $design: page size $width x $height pts is not A4"
  chrome --window-size=900,1800 --screenshot="$dir/report.png" "file://$html" ||
    fail "design $design: chromium could not take a screenshot"
  [[ $(head -c 8 "$dir/report.png" | od -An -tx1 | tr -d ' \n') == 89504e470d0a1a0a ]] ||
    fail "design $design: the screenshot is not a PNG"
done

# A file name that is not UTF-8, with a terminal control and a right-to-left override: the
# report stays valid and shows the name with U+FFFD and escapes, in the order typed.
dir="$out/hostile"
mkdir -p "$dir"
name=$'\xff\x1b[2J\xe2\x80\xaegvs.svg'
if (cd "$dir" && timeout 60 "$cli" design lowpass 100 33k --svg "$name" --html report.html >/dev/null); then
  vnu_out=$(timeout 300 java -jar "$vnu" --errors-only "$dir/report.html" 2>&1) ||
    fail "hostile file name: vnu reports errors: $vnu_out"
  python3 - "$dir/report.html" <<'PY' || fail "hostile file name: the command line shown"
import re, sys
page = open(sys.argv[1], encoding="utf-8").read()
shown = re.search(r"<code>(.*?)</code>", page).group(1)
expected = ("butterworth3-cli design lowpass 100 33k --svg "
            "&#39;\ufffd\\x1b[2J\\u202egvs.svg&#39; --html report.html")
if shown != expected:
    print("command:", repr(shown), "\nexpected:", repr(expected))
    sys.exit(1)
PY
else
  fail "hostile file name: the command failed"
fi

echo "$index designs, $failures failures"
((failures == 0))
