#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what an installed Unctora needs:
# the executables beside the language file, commands in bin/ that find it through their
# symlinks from any folder, and a menu entry whose command and icon are really there.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

for f in lib/unctora/unctora lib/unctora/unctora-calc lib/unctora/unctora-sheets lib/unctora/unctora.sil \
         share/applications/org.talvik.Unctora.desktop \
         share/metainfo/org.talvik.Unctora.metainfo.xml \
         share/icons/hicolor/scalable/apps/org.talvik.Unctora.svg \
         share/icons/hicolor/48x48/apps/org.talvik.Unctora.png \
         share/doc/unctora/copyright share/doc/unctora/changelog.gz \
         share/bash-completion/completions/unctora-calc; do
  [ -e "$prefix/$f" ] || fail "$f is not installed"
done
for p in unctora unctora-calc; do
  [ -L "$prefix/bin/$p" ] || fail "bin/$p is not a symlink"
  [ "$(readlink -f "$prefix/bin/$p")" = "$(readlink -f "$prefix/lib/unctora/$p")" ] ||
    fail "bin/$p does not lead to lib/unctora/$p"
  [ -x "$prefix/bin/$p" ] || fail "bin/$p is not executable"
done
cmp -s "$prefix/lib/unctora/unctora.sil" "$(dirname "$0")/../../resources/unctora.sil" ||
  fail "the installed language file differs from the source"

# The batch calculator reads its texts from the installed language file, called through
# its symlink from an unrelated folder.
out=$(cd / && "$prefix/bin/unctora-calc" text strOptions1 --lang German)
[ "$out" = "&Optionen" ] || fail "unctora-calc text gave '$out'"
csv=$(cd / && printf 'Bore_mm,D_mm,B_mm,Speed\n60,110,22,2980\n' | "$prefix/bin/unctora-calc" -) ||
  fail "unctora-calc failed on a valid row"
case $csv in Id,Bore_mm,*",ok,"*) ;; *) fail "unctora-calc gave: $csv" ;; esac

# The route sheet: drawn by the program beside the installed unctora-calc, which has no
# command of its own.
[ ! -e "$prefix/bin/unctora-sheets" ] || fail "bin/unctora-sheets is installed"
(cd / && "$prefix/bin/unctora-calc" route "$(dirname "$(readlink -f "$0")")/../../examples/plant.csv" \
   --from 2026-12-10 --format pdf --lang German --output "$prefix/round.pdf") ||
  fail "unctora-calc route --format pdf failed"
[ "$(head -c 5 "$prefix/round.pdf")" = "%PDF-" ] || fail "the route sheet is no PDF"
if command -v pdftotext >/dev/null; then
  pdftotext "$prefix/round.pdf" - | grep -q "Schmierrundgang" || fail "the route sheet is not in German"
fi

# The manual pages (made when help2man is installed, as make installs it): compressed,
# and each lists its program's options.
if command -v help2man >/dev/null; then
  for p in unctora unctora-calc; do
    page=$prefix/share/man/man1/$p.1.gz
    [ -e "$page" ] || fail "the manual page of $p is not installed"
    zcat "$page" | grep -qF '\-\-version' || fail "the manual page of $p lists no --version"
  done
  zcat "$prefix/share/man/man1/unctora-calc.1.gz" | grep -qF '\-\-format' ||
    fail "the manual page of unctora-calc lists no --format"
fi
zcat "$prefix/share/doc/unctora/changelog.gz" | head -1 | grep -q '^unctora (' ||
  fail "the changelog is not in Debian's format"

desktop=$prefix/share/applications/org.talvik.Unctora.desktop
exec_cmd=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -x "$prefix/bin/$exec_cmd" ] || fail "the menu entry starts '$exec_cmd', which is not installed"
[ -e "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "the menu entry's icon '$icon' is not installed"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate"
fi
echo "install layout OK"
