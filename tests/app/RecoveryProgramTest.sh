#!/usr/bin/env bash
# The program itself on an X display: type into an EUC-JP script, wait for the recovery write,
# kill -9; a second running copy on the same script meanwhile neither asks nor touches the file;
# started again, the program asks, Enter (復元, the default button) brings the typed text back and
# Ctrl+S writes it in the script's own codes; until then the file on disk is unchanged.
# Usage (under xvfb-run): RecoveryProgramTest.sh PROGRAM
set -euo pipefail
program=$1
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
export BRENVIK_HOME=$work XDG_STATE_HOME=$work/state QT_QPA_PLATFORM=xcb
recovery=$work/state/brenvik/recovery
script=$work/e.cgi
# "# これはテスト" and a line of Perl, EUC-JP with LF.
printf '# \xA4\xB3\xA4\xEC\xA4\xCF\xA5\xC6\xA5\xB9\xA5\xC8\nprint 1;\n' > "$script"
cp "$script" "$work/original"

# The shown window of pid titled title (empty when there is none).
titled() {
    local pid=$1 title=$2 id
    for id in $(xdotool search --onlyvisible --pid "$pid" --name '' 2>/dev/null); do
        [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$title" ] && { echo "$id"; return; }
    done
    true
}
# The same, once it is shown (empty after 20 s).
window_of() {
    local id
    for _ in $(seq 200); do
        id=$(titled "$@")
        [ -n "$id" ] && { echo "$id"; return; }
        sleep 0.1
    done
}
# Keys to the window (focused first: there is no window manager).
keys_to() {
    local id=$1
    shift
    xdotool windowfocus --sync "$id"
    xdotool "$@"
}
recovery_files() { ls "$recovery" 2>/dev/null || true; }

"$program" "$script" & first=$!
pids+=("$first")
main=$(window_of "$first" "$script")
[ -n "$main" ] || fail "the first window never showed"
keys_to "$main" type --delay 50 'zz'
for _ in $(seq 100); do [ -n "$(recovery_files)" ] && break; sleep 0.1; done
[ -n "$(recovery_files)" ] || fail "no recovery file 10 s after typing"
recorded=$(cat "$recovery"/*)

"$program" "$script" & second=$!
pids+=("$second")
[ -n "$(window_of "$second" "$script")" ] || fail "the second window never showed"
sleep 1
[ -z "$(titled "$second" Brenvik)" ] || fail "the second copy asked about the first one's text"
kill -9 "$second"
[ "$(cat "$recovery"/*)" = "$recorded" ] || fail "the second copy changed the first one's recovery file"

kill -9 "$first"
wait "$first" 2>/dev/null || true
cmp -s "$script" "$work/original" || fail "the script changed before any save"

"$program" "$script" & third=$!
pids+=("$third")
question=$(window_of "$third" Brenvik)
[ -n "$question" ] || fail "no recovery question"
keys_to "$question" key Return
sleep 1
cmp -s "$script" "$work/original" || fail "restoring wrote the script"
main=$(window_of "$third" "$script")
keys_to "$main" key ctrl+s
expected=$(printf 'zz# \xA4\xB3\xA4\xEC\xA4\xCF\xA5\xC6\xA5\xB9\xA5\xC8\nprint 1;\n' | od -An -tx1)
for _ in $(seq 100); do
    [ "$(od -An -tx1 "$script")" = "$expected" ] && break
    sleep 0.1
done
[ "$(od -An -tx1 "$script")" = "$expected" ] || fail "the saved script is not the typed text in EUC-JP with LF: $(od -An -c "$script")"
for _ in $(seq 50); do [ -z "$(recovery_files)" ] && break; sleep 0.1; done
[ -z "$(recovery_files)" ] || fail "the save left the recovery file: $(recovery_files)"
echo "recovery of the program itself: ok"
