#!/usr/bin/env bash
# --help and --version of both programs, run as on a machine without a display: exit
# code 0, the text on standard output, nothing on stderr; the version is the file
# version and the about window's label; a text that cannot be written is an error.
#   tests/app/info_options_test.sh VERSION UNCTORA_CALC [UNCTORA]
set -uo pipefail
version=$1
calc=$2
window=${3:-}
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
label="v06.00 (B${version##*.})"

# Runs a program with no display at all; sets code, out and err.
run() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" >"$dir/out" 2>"$dir/err" </dev/null
    code=$?
    out=$(cat "$dir/out")
    err=$(cat "$dir/err")
}
expect_text() { # program, what, expected exit code, words the output must hold...
    local what=$1 want=$2 w
    shift 2
    [ "$code" = "$want" ] || fail "$what: exit code $code, not $want; stderr: $err"
    [ -z "$err" ] || fail "$what: wrote to stderr: $err"
    for w in "$@"; do
        grep -qF -- "$w" <<<"$out" || fail "$what: '$w' missing from: $out"
    done
}

programs=("$calc")
[ -n "$window" ] && programs+=("$window")
for prog in "${programs[@]}"; do
    name=$(basename "$prog")
    run "$prog" --version
    expect_text "$name --version" 0 "$label" "MIT"
    [ "$(head -1 <<<"$out")" = "$name $version (Talvik Unctora $label)" ] ||
        fail "$name --version begins '$(head -1 <<<"$out")'"
    run "$prog" --help
    expect_text "$name --help" 0 "Usage:" "Options:" "--help" "--version"
    help=$out
    run "$prog" -h
    [ "$code" = 0 ] && [ "$out" = "$help" ] || fail "$name -h differs from --help"

    # Output that goes nowhere must not end as a success.
    for opt in --help --version; do
        env -u DISPLAY "$prog" $opt >/dev/full 2>"$dir/err"
        code=$?
        [ "$code" = 2 ] || fail "$name $opt >/dev/full: exit code $code"
        grep -q "Unable to write to standard output" "$dir/err" || fail "$name $opt >/dev/full said: $(cat "$dir/err")"
    done
done

for cmd in text plan; do
    run "$calc" $cmd --help
    expect_text "unctora-calc $cmd --help" 0 "Usage: unctora-calc $cmd" "Options:"
done

if [ -n "$window" ]; then
    run "$window" --help
    expect_text "unctora --help" 0 "-Log" "-EditLang"
    # The window's own switches stay switches; an info option among them is answered.
    run "$window" -Log -EditLang --version
    expect_text "unctora -Log -EditLang --version" 0 "$label"
fi

if [ "$failures" = 0 ]; then echo "info options OK"; else echo "$failures failures"; exit 1; fi
