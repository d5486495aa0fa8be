#!/usr/bin/env bash
# Drives the real tolvan.exe under Wine on the current X display, as a user would with keyboard:
# the main window comes up, Tab and Space press New, the editor opens, Esc closes it, Close ends
# the program. Screenshots of both windows go into OUTDIR.
# Usage: drive-tolvan.sh TOLVAN.EXE OUTDIR
set -uo pipefail
exe=$1
outdir=$2
wine_exec="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/tools/wine-exec"
mkdir -p "$outdir"
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}
window_named() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
wait_for_window() {
  local name=$1 id=""
  for _ in $(seq 1 100); do
    id=$(window_named "$name")
    [[ -n "$id" ]] && break
    sleep 0.2
  done
  echo "$id"
}

"$wine_exec" "$exe" &
tool=$!

main=$(wait_for_window 'Windows indulásakor induló programok')
if [[ -z "$main" ]]; then
  fail "the main window did not appear"
  kill "$tool" 2>/dev/null
  echo "0 passed, 1 failed"
  exit 1
fi
sleep 1
import -window root "$outdir/main-window.png"

# Keys go to the window itself: without a window manager the X keyboard focus is unreliable.
press() { xdotool key --window "$1" "${@:2}"; }

# The focus starts in the list; Delete is disabled, so one Tab reaches New.
press "$main" Tab space
editor=$(wait_for_window '^Szerkesztés$')
if [[ -z "$editor" ]]; then
  fail "New did not open the editor"
else
  sleep 1
  import -window root "$outdir/editor.png"
  press "$editor" Escape
  for _ in $(seq 1 50); do
    [[ -z "$(window_named '^Szerkesztés$')" ]] && break
    sleep 0.2
  done
  [[ -z "$(window_named '^Szerkesztés$')" ]] || fail "Esc did not close the editor"
fi

# The focus is back on New; the next Tab reaches Close.
press "$main" Tab space
for _ in $(seq 1 50); do
  kill -0 "$tool" 2>/dev/null || break
  sleep 0.2
done
if kill -0 "$tool" 2>/dev/null; then
  fail "Close did not end the program"
  kill "$tool" 2>/dev/null
fi
wait "$tool" 2>/dev/null

passed=$((4 - failures))
echo "$passed passed, $failures failed"
((failures == 0))
