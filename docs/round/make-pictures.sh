#!/usr/bin/env bash
# The pictures of the weekly round's sheets in the README, made from the example plant:
#   docs/round/route-sheet.png          first page of the route sheet (unctora-calc route --format pdf)
#   docs/round/route-sheet-chinese.png  the same in Chinese
#   docs/round/label-sheet.png          first sheet of labels, every point of the plan, printed
#                                       from the Plant plan window by its test (which reads the
#                                       codes back before the picture is taken)
#   docs/round/make-pictures.sh [build folder]
# Needs pdftoppm (poppler-utils) and, for the labels' test, zbarimg (zbar-tools).
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
out=docs/round
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The day of the round is fixed, so that the pictures change only when the sheets do.
route() { # language, picture
  local code=0
  "$build/unctora-calc" route examples/plant.csv --from 2026-12-10 --days 120 --format pdf \
    --paper a4 --lang "$1" --output "$work/route.pdf" || code=$?
  [ "$code" -le 1 ] || exit "$code"
  pdftoppm -png -scale-to 760 -f 1 -l 1 -singlefile "$work/route.pdf" "${2%.png}"
  echo "$2"
}
route English "$out/route-sheet.png"
route Chinese "$out/route-sheet-chinese.png"

UNCTORA_KEEP_PRINTS=$work QT_QPA_PLATFORM=offscreen "$build/tests/unctora_widget_tests" \
  --gtest_filter=PlanPrintTest.LabelsFromTheMenuScanBackToTheirPoints >/dev/null
pdftoppm -png -scale-to 760 -f 1 -l 1 -singlefile "$work/labels.pdf" "$out/label-sheet"
echo "$out/label-sheet.png"
