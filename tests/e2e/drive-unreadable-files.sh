#!/usr/bin/env bash
# The real tolvan.exe under Wine when reading a program file never ends: the file is a FIFO inside
# the prefix that this script holds open, so a read from it waits until the script lets go. Such a
# program is named by a Run value at start, by a second Run value added while the window is open,
# and by a shortcut in the user's Startup folder. Each time the window must come up, answer within
# 100 ms throughout, list the entry without its texts and go on Close; the process must end once
# the read is let go. Then a damaged shortcut in the Startup folder (its volume block claims a
# length far past the file's end): the window comes up and lists it with an empty command. The
# registry and the prefix are put back whatever happens.
# Usage: drive-unreadable-files.sh TOLVAN.EXE PROBE.EXE STRESS_PROBE.EXE SHORTCUTS.EXE
set -uo pipefail
exe=$1
probe_exe=$2
stress_exe=$3
shortcut_exe=$4
wine_exec="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/tools/wine-exec"
source "$(dirname "${BASH_SOURCE[0]}")/x11.sh"
use_build_prefix "$exe"
"$wine_exec" --prepare

work=$(mktemp -d)
# A frozen window would hold a probe that asks it something for ever.
probe() { timeout 20 "$wine_exec" "$probe_exe" "$@" | tr -d '\r'; }
stress() { timeout 20 "$wine_exec" "$stress_exe" "$@" | tr -d '\r'; }
stress_check() {
  local line
  while IFS= read -r line; do
    case "$line" in
      ok:*) pass "${line#ok: }" ;;
      FAILED:*) fail "${line#FAILED: }" ;;
      *) echo "   $line" ;;
    esac
  done < <(stress "$@")
}
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
add_run_value() { "$wine_exec" reg add "$run_key" /v "$1" /d "$2" /f >/dev/null 2>&1; }

stuck="$WINEPREFIX/drive_c/stuck"
startup_fifo=""
damaged_link=""
holders=()
tool=""
# A FIFO that another process holds open for reading and writing: opening it succeeds, and a read
# waits for data that never comes until the holder ends.
hold_fifo() {
  mkfifo "$1" || return 1
  sleep 100000 <>"$1" >/dev/null 2>&1 &
  holders+=($!)
}
let_go() {
  ((${#holders[@]})) && kill "${holders[@]}" 2>/dev/null
  holders=()
}
clean_up() {
  let_go
  [[ -n "$tool" ]] && kill "$tool" 2>/dev/null
  [[ -f "$work/original" ]] && stress restore "$(windows_path "$work/original")" >/dev/null
  rm -rf "$stuck" "$work"
  [[ -n "$startup_fifo" ]] && rm -f "$startup_fifo"
  [[ -n "$damaged_link" ]] && rm -f "$damaged_link"
}
trap clean_up EXIT

stress snapshot "$(windows_path "$work/original")" || { fail "the registry could not be read"; exit 1; }
# English texts; windows hidden at once, not after waiting for a window manager.
prepare_settings() { stress language 1 && stress unmanaged; }
prepare_settings
mkdir -p "$stuck"

main_title='Manage Windows startup programs'
# Starts the tool; succeeds once its window shows, within 10 s.
start_tool() {
  "$wine_exec" "$exe" &
  tool=$!
  for _ in $(seq 1 50); do
    [[ -n "$(window_named "$main_title")" ]] && return 0
    sleep 0.2
  done
  fail "the main window did not appear within 10 s"
  kill "$tool" 2>/dev/null
  tool=""
  return 1
}
# Retries a check for a few seconds: the entry of a stuck read is listed about two seconds after
# the read began.
eventually() {
  for _ in $(seq 1 5); do
    "$@" && return 0
    sleep 1
  done
  return 1
}
listed() { [[ "$(stress find "$1")" != -1 ]]; }
listed_as() { probe list | grep -Eq "$1"; }
# Close takes the window away within 2 s; once the read is let go, the process ends.
close_and_end() {
  probe close >/dev/null
  local gone=0
  for _ in $(seq 1 20); do
    [[ -z "$(window_named "$main_title")" ]] && { gone=1; break; }
    sleep 0.1
  done
  check "Close takes the window away within 2 s" [ "$gone" = 1 ]
  let_go
  local ended=0
  for _ in $(seq 1 50); do
    kill -0 "$tool" 2>/dev/null || { ended=1; break; }
    sleep 0.2
  done
  check "the process ends once the read is let go" [ "$ended" = 1 ]
  ((ended)) || end_tool "$tool"
  tool=""
}

echo "== a Run value whose program never finishes reading"
held='Held program'
held_line="$held;  (C:\\stuck\\held.exe)"
hold_fifo "$stuck/held.exe"
add_run_value "$held" 'C:\stuck\held.exe'
if start_tool; then
  pass "the main window appears"
  stress_check responsive 4
  check "the entry is listed without texts: $held_line" eventually listed "$held_line"
  stress_check select "$(stress find "$held_line")"
  description=$(probe text descriptionLabel)
  check "its description reads \"reading…\" (\"$description\")" [ "$description" = 'reading…' ]

  echo "== a second such Run value added while the window is open"
  second='Second held program'
  second_line="$second;  (C:\\stuck\\second.exe)"
  hold_fifo "$stuck/second.exe"
  add_run_value "$second" 'C:\stuck\second.exe'
  stress_check responsive 4
  check "the second entry is listed without texts: $second_line" eventually listed "$second_line"
  stress_check responsive 1
  close_and_end
fi
let_go
stress restore "$(windows_path "$work/original")" >/dev/null
prepare_settings

echo "== a shortcut in the Startup folder that never finishes reading"
startup_fifo="$("$wine_exec" winepath -u "$("$wine_exec" "$shortcut_exe" folder user | tr -d '\r')" |
  tr -d '\r')/held.lnk"
hold_fifo "$startup_fifo"
if start_tool; then
  pass "the main window appears"
  stress_check responsive 4
  check "the shortcut is listed by its name, held" eventually listed_as '^held(;|$)'
  close_and_end
fi

echo "== a damaged shortcut in the Startup folder"
rm -f "$startup_fifo" # no longer held: opening it would wait for a writer
startup_fifo=""
user_folder=$("$wine_exec" "$shortcut_exe" folder user | tr -d '\r')
damaged_link="$("$wine_exec" winepath -u "$user_folder" | tr -d '\r')/damaged.lnk"
"$wine_exec" "$shortcut_exe" make "$user_folder\\damaged.lnk" \
  'C:\Program Files\Kavrenta Minta\product_only.exe' >/dev/null
# The link info follows the 76-byte header and the ID list; its fourth number places the volume
# block, whose first is the block's length.
python3 - "$damaged_link" <<'DAMAGE'
import struct, sys
data = bytearray(open(sys.argv[1], "rb").read())
info = 0x4C + 2 + struct.unpack_from("<H", data, 0x4C)[0]
struct.pack_into("<I", data, info + struct.unpack_from("<I", data, info + 12)[0], 0xFE6C0001)
open(sys.argv[1], "wb").write(data)
DAMAGE
if start_tool; then
  pass "the main window appears"
  check "the damaged shortcut is listed with an empty command" eventually listed 'damaged;  ()'
  stress_check select "$(stress find 'damaged;  ()')"
  command_text=$(probe text valueField)
  check "its command reads empty (\"$command_text\")" [ -z "$command_text" ]
  close_and_end
fi
echo "$passed passed, $failures failed"
((failures == 0))
