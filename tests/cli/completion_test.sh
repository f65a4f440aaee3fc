#!/usr/bin/env bash
# The bash completion of unctora-calc against the program's own help: every option
# that --help (and the help of the text, plan and route commands) lists is offered where it
# applies, with the values the help names, so the two cannot drift apart.
#   tests/cli/completion_test.sh UNCTORA_CALC COMPLETION_SCRIPT
set -uo pipefail
calc=$1
# shellcheck source=/dev/null
source "$2" || { echo "FAIL: the completion script does not load"; exit 1; }
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The words offered for the command line "$@" (the last word is the one completed).
offered() {
    COMP_WORDS=(unctora-calc "$@")
    COMP_CWORD=$#
    COMPREPLY=()
    _unctora_calc
    printf '%s\n' "${COMPREPLY[@]}" | sort -u
}
# Fails unless every word of $2 (one per line) is among $1's.
expect_all() {
    local got=$1 want=$2 what=$3 w
    while read -r w; do
        [ -z "$w" ] && continue
        grep -qxF -- "$w" <<<"$got" || fail "$what: '$w' is not offered (offered: $(echo $got))"
    done <<<"$want"
}
# The first "Options:" section of a help text.
options_section() { awk '/^Options:$/ { on = 1; next } on && /^$/ { exit } on'; }
# Its options, each by its last (long) name: "-h, --help" is --help.
help_options() {
    options_section | sed -n 's/^  \(-[^ ]*, \)*\(-[^ ]*\).*/\2/p'
}
# The values "a|b" that the help names for an option.
help_values() {
    options_section | sed -n "s/^  $1 \([a-z|]*|[a-z|]*\) .*/\1/p" | tr '|' '\n'
}

main_help=$("$calc" --help) || fail "--help exits non-zero"
text_help=$("$calc" text --help) || fail "text --help exits non-zero"
plan_help=$("$calc" plan --help) || fail "plan --help exits non-zero"
route_help=$("$calc" route --help) || fail "route --help exits non-zero"

for context in main text plan route; do
    case $context in
    main) help=$main_help; words=(); usage=$(sed '/^$/q' <<<"$help" | grep -v 'unctora-calc \(text\|plan\|route\)') ;;
    text) help=$text_help; words=(text strNote1_1); usage=$(sed '/^$/q' <<<"$help") ;;
    plan) help=$plan_help; words=(plan plant.csv); usage=$(sed '/^$/q' <<<"$help") ;;
    route) help=$route_help; words=(route plant.csv); usage=$(sed '/^$/q' <<<"$help") ;;
    esac
    options=$(help_options <<<"$help")
    [ "$(wc -l <<<"$options")" -ge 3 ] || fail "$context: the help lists no options: $help"
    expect_all "$(offered "${words[@]}" -)" "$options" "$context options"
    # Every option the usage line shows is explained in the options list too.
    usage_options=$(grep -o '\[--[a-z-]*' <<<"$usage" | tr -d '[' | sort -u)
    expect_all "$options" "$usage_options" "$context usage line against its options list"
    for opt in $(grep -- '^--' <<<"$options"); do
        values=$(help_values "$opt" <<<"$help")
        [ -n "$values" ] || continue
        got=$(offered "${words[@]}" "$opt" "")
        [ "$got" = "$(sort -u <<<"$values")" ] || fail "$context $opt offers '$(echo $got)', the help names '$(echo $values)'"
    done
done

# A prefix narrows the options down; the commands stand first only.
[ "$(offered --for)" = "--format" ] || fail "--for completes to '$(offered --for)'"
[ "$(offered plan x.csv --mo)" = "--months" ] || fail "plan --mo completes to '$(offered plan x.csv --mo)'"
expect_all "$(offered "")" $'text\nplan\nroute' "the commands"
# The main help names every command.
for c in text plan route; do
    grep -q "^  or:  unctora-calc $c " <<<"$main_help" || fail "the main help's usage lines lack $c"
    grep -q "^unctora-calc $c " <<<"$main_help" || fail "the main help lacks the part of $c"
done
offered --log "" | grep -qx text && fail "a command is offered after an option"

# Language names: those the program itself accepts, as its refusal lists them.
refusal=$("$calc" --lang Klingon 2>&1 >/dev/null | head -1)
languages=$(sed -n 's/.*language name: //p' <<<"$refusal" | sed 's/ or /, /' | tr ',' '\n' | tr -d ' ')
[ "$(wc -l <<<"$languages")" = 11 ] || fail "eleven language names expected in: $refusal"
[ "$(offered --lang "")" = "$(sort <<<"$languages")" ] || fail "--lang offers '$(echo $(offered --lang ""))'"
[ "$(offered text strX --lang "")" = "$(sort <<<"$languages")" ] || fail "text --lang offers other names"
[ "$(offered --lang Sw)" = "Swedish" ] || fail "--lang Sw completes to '$(offered --lang Sw)'"

# --set offers each input the help names, as Key=.
inputs=$(tr '\n' ' ' <<<"$main_help" | sed -n 's/.*input names (\([^)]*\)).*/\1/p' | tr ',' '\n' | tr -d ' ')
[ "$(wc -l <<<"$inputs")" -ge 20 ] || fail "the help names no inputs"
expect_all "$(offered --set "")" "$(sed 's/$/=/' <<<"$inputs")" "--set"
# bash splits "Speed=" at the "=": the value that follows gets no file names.
[ -z "$(offered --set Speed = "")" ] || fail "the value of --set Speed= is completed: '$(offered --set Speed = "")'"

# Files: plant lists after the options, nothing for a number.
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
touch "$dir/plant.csv"
[ "$(offered --format csv "$dir/pl")" = "$dir/plant.csv" ] || fail "the plant list is not offered: '$(offered --format csv "$dir/pl")'"
[ -z "$(offered plan x.csv --months "")" ] || fail "--months offers words"

if [ "$failures" = 0 ]; then echo "completion OK"; else echo "$failures failures"; exit 1; fi
