#!/usr/bin/env bash
# Screenshots of the "Dial setting" tab in every language, taken from the real program
# under Xvfb: docs/gallery/<language>.png and the index page beside them.
#   docs/gallery/make-gallery.sh [build folder] [options]
# Options: --units 1 (imperial), --log (the "Log" tab too), --type N (bearing type),
# --screen WxH (default 1280x1024), --only LANGUAGE, --out FOLDER.
# Needs xvfb-run, xwd (x11-apps) and xwdtopnm/pnmtopng (netpbm).
set -euo pipefail
cd "$(dirname "$0")/../.."
build=build
units=0 log="" type=0 screen=1280x1024 only="" out=docs/gallery
[ $# -gt 0 ] && [ "${1#--}" = "$1" ] && { build=$1; shift; }
while [ $# -gt 0 ]; do
  case $1 in
    --units) units=$2; shift ;;
    --log) log=-Log ;;
    --type) type=$2; shift ;;
    --screen) screen=$2; shift ;;
    --only) only=$2; shift ;;
    --out) out=$2; shift ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
  shift
done
program=$(realpath "$build/unctora")
mkdir -p "$out"
languages=(English German French Italian Swedish Spanish Chinese Thai Russian Portuguese Japanese)
[ -n "$only" ] && languages=("$only")

shoot() { # language, picture
  local data; data=$(mktemp -d)
  mkdir -p "$data/Talvik/Unctora6"
  printf '[Options]\r\nLanguage=%s\r\nUnits=%s\r\n[Data]\r\nType=%s\r\n[frmMain]\r\nWinLeft=0\r\nWinTop=0\r\n' \
    "$1" "$units" "$type" > "$data/Talvik/Unctora6/unctora.INI"
  XDG_DATA_HOME=$data xvfb-run -a -s "-screen 0 ${screen}x24" bash -c '
    "$0" $1 >/dev/null 2>&1 & pid=$!
    for _ in $(seq 100); do [ -e "$2/Talvik/Unctora6/chart.html" ] && break; sleep 0.1; done
    sleep 1
    xwd -silent -name "Talvik Unctora" | xwdtopnm 2>/dev/null | pnmtopng > "$3"
    kill $pid; wait $pid || true' "$program" "$log" "$data" "$2"
  rm -rf "$data"
}

for lang in "${languages[@]}"; do
  shoot "$lang" "$out/$(echo "$lang" | tr A-Z a-z).png"
  echo "$out/$(echo "$lang" | tr A-Z a-z).png"
done

# The index page, when every language was taken.
[ -n "$only" ] && exit 0
{
  echo "# The \"Dial setting\" tab in every language"
  echo
  echo "Taken from the real program under Xvfb (${screen}, $([ "$units" = 1 ] && echo imperial || echo SI) units) by"
  echo "\`docs/gallery/make-gallery.sh\` (\`make gallery\`); the test \`unctora_fit_tests\` checks"
  echo "the same window for texts that do not fit."
  echo
  for lang in "${languages[@]}"; do
    file=$(echo "$lang" | tr A-Z a-z).png
    echo "## $lang"
    echo
    echo "![$lang]($file)"
    echo
  done
} > "$out/index.md"
