#!/usr/bin/env bash
# The real tolvan.exe under load and bad input, under Wine: ten thousand Run values; values of
# every odd shape the registry allows; a value written every 150 ms; a Run key it may not read,
# one whose values it may not delete and one that is not there; files that only look like programs; and its handles and
# GDI/USER objects over 200 refills and 50 openings of the editor. After every case the tool still answers, its list is right and the
# registry holds exactly what it held plus what the user changed. The Run keys and the language
# setting are put back as they were found, whatever happens.
# Usage: drive-stress.sh TOLVAN.EXE OUTDIR PROBE.EXE STRESS_PROBE.EXE FIXTURE_DIR
set -uo pipefail
exe=$1
outdir=$2
probe=$3
stress=$4
fixtures=$5
wine_exec="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/tools/wine-exec"
mkdir -p "$outdir"

source "$(dirname "${BASH_SOURCE[0]}")/x11.sh"
use_build_prefix "$exe"
"$wine_exec" --prepare

work=$(mktemp -d)
# Seeding and restoring ten thousand values takes a while under Wine.
stress() { timeout 300 "$wine_exec" "$stress" "$@" | tr -d '\r'; }
probe() { timeout 60 "$wine_exec" "$probe" "$@" | tr -d '\r'; }
# Runs a stress-probe check, passing its "ok:"/"FAILED:" lines on and counting them; the whole
# output stays in $work/last.
stress_check() {
  local line
  stress "$@" >"$work/last"
  while IFS= read -r line; do
    case "$line" in
      ok:*) pass "${line#ok: }" ;;
      FAILED:*) fail "${line#FAILED: }" ;;
      *) echo "   $line" ;;
    esac
  done <"$work/last"
}
snapshot() { stress snapshot "$(windows_path "$work/$1")"; }
# The registry's differences from a snapshot, one per line.
changes_since() { stress diff "$(windows_path "$work/$1")" now; }
no_changes_since() {
  local changes
  changes=$(changes_since "$1")
  [[ -z "$changes" ]] || { printf '   %s\n' "$changes"; return 1; }
}
# Number of REG_SZ values of the Run keys a snapshot holds (type 1), all or of one root.
listed_in() { grep -c "^${2:-HK..}-Run 1 " "$work/$1"; }

stress_files="$WINEPREFIX/drive_c/stress"
tool=""
machine_denied=0
changes_denied=0
clean_up() {
  if [[ -n "$tool" ]] && kill -0 "$tool" 2>/dev/null; then
    probe close >/dev/null
    sleep 2
    kill "$tool" 2>/dev/null
  fi
  ((machine_denied)) && stress allow machine "$(windows_path "$work/acl.bin")" >/dev/null
  if ((changes_denied)); then
    stress allow user "$(windows_path "$work/user-acl.bin")" >/dev/null
    stress allow machine "$(windows_path "$work/machine-acl.bin")" >/dev/null
  fi
  [[ -f "$work/original" ]] && stress restore "$(windows_path "$work/original")" >/dev/null
  rm -rf "$stress_files" "$work"
}
trap clean_up EXIT

snapshot original || { fail "the registry could not be read"; exit 1; }
# English texts; windows Wine hides at once rather than after waiting for a window manager that
# the virtual display does not have. Both are put back with the rest.
prepare_settings() { stress language 1 && stress unmanaged; }
prepare_settings

main_title='Manage Windows startup programs'
# Starts the tool and waits for its window; a refill of ten thousand entries under Wine
# takes a while before the window shows.
start_tool() {
  local attempt status
  for attempt in 1 2; do
    "$wine_exec" "$exe" &
    tool=$!
    for _ in $(seq 1 600); do
      [[ -n "$(window_named "$main_title")" ]] && { sleep 1; return 0; }
      kill -0 "$tool" 2>/dev/null || break
      sleep 0.5
    done
    kill -0 "$tool" 2>/dev/null && break
    # Ended before its window showed: said with its exit status, and started once more, since
    # Wine now and then loses a program at its start; twice is a failure.
    wait "$tool"
    status=$?
    echo "   the tool ended at its start with status $status (attempt $attempt)"
  done
  fail "the main window did not appear"
  return 1
}
stop_tool() {
  probe close >/dev/null
  end_tool "$tool" || fail "the tool did not end on Close"
  tool=""
}
put_back() {
  stress restore "$(windows_path "$work/original")" >/dev/null || fail "the registry could not be put back"
  prepare_settings
}
item_count() { stress count; }
# The list is read again off the window's thread after every change, and a long one is listed a
# while at a time: the number of its lines once it holds this many, or what it holds after a
# minute.
items_once_listed() {
  local count
  for _ in $(seq 1 120); do
    count=$(item_count)
    [[ "$count" == "$1" ]] && break
    sleep 0.5
  done
  echo "$count"
}
# Whether the list shows this line, at the latest a minute from now.
once_listed() {
  for _ in $(seq 1 120); do
    [[ "$(stress find "$1")" != -1 ]] && return 0
    sleep 0.5
  done
  return 1
}
no_message_box() { [[ "$(stress dialogs)" == 0 ]]; }
# The Run key a selected entry lives in, read from the scope line of the details panel.
selected_key() {
  case "$(probe text scopeLabel)" in
    'Scope: All users') echo HKLM-Run ;;
    'Scope: Current user') echo HKCU-Run ;;
  esac
}

echo "== $((SECONDS))s: ten thousand entries"
stress_check seed-many 10000 "$(windows_path "$fixtures/full.exe")"
snapshot many
expected=$(listed_in many)
if start_tool; then
  # The window shows while a list this long is still being read.
  items_once_listed "$expected" >/dev/null
  stress_check alive
  stress_check sorted
  check "the list shows all $expected entries" grep -qx "items: $expected" "$work/last"
  import -window root "$outdir/ten-thousand.png"

  stress_check select 1234
  name=$(probe text nameField)
  key=$(selected_key)
  stress_check edit 'C:\stress\edited.exe /e'
  changes=$(changes_since many)
  check "Edit changed exactly the command of \"$name\"" \
    [ "$(grep -c . <<<"$changes")" = 1 -a "${changes%%: *}" = "changed $key $name" -a "${changes##* -> }" = 'C:\stress\edited.exe /e' ]
  check "the list shows the edited entry with its new program" \
    once_listed "$name;  (C:\stress\edited.exe)"
  check "the list still shows $expected entries after Edit" [ "$(items_once_listed "$expected")" = "$expected" ]

  stress_check select 4321
  deleted_item=$(stress item 4321)
  deleted=$(probe text nameField)
  deleted_key=$(selected_key)
  stress_check delete
  check "Delete removed exactly \"$deleted\"" grep -qx "removed $deleted_key $deleted" <<<"$(changes_since many)"
  check "Edit and Delete are the only changes" [ "$(changes_since many | grep -c .)" = 2 ]
  check "the list shows one entry fewer" [ "$(items_once_listed $((expected - 1)))" = $((expected - 1)) ]
  check "the deleted entry is no longer listed" [ "$(stress find "$deleted_item")" = -1 ]
  stress_check sorted
  stress_check alive
  stop_tool
fi
put_back

echo "== $((SECONDS))s: odd values"
stress_check seed-odd
snapshot odd
if start_tool; then
  stress_check alive
  stress_check check-odd
  check "no message box over the odd values" no_message_box
  import -window root "$outdir/odd-values.png"
  stop_tool
fi
check "the odd values are byte for byte as written" no_changes_since odd
put_back

echo "== $((SECONDS))s: changes that never pause"
if start_tool; then
  stress_check trickle
  stress_check alive
  stop_tool
fi
put_back

echo "== $((SECONDS))s: Run keys that cannot be read"
stress_check seed-many 9 "$(windows_path "$fixtures/full.exe")"
snapshot readable
denied=$(stress deny machine read "$(windows_path "$work/acl.bin")")
machine_denied=1
if [[ "$denied" == denied ]]; then
  if start_tool; then
    check "with the machine's Run key unreadable the user's entries are listed" \
      [ "$(items_once_listed "$(listed_in readable HKCU)")" = "$(listed_in readable HKCU)" ]
    # Told once, in an error box naming the key as the scope line does, with Windows' reason.
    for _ in $(seq 1 40); do [[ "$(stress dialogs)" == 1 ]] && break; sleep 0.25; done
    stress box >"$work/last"
    check "the unreadable key is told in an error box" \
      grep -qx 'Error' "$work/last"
    check "the error box names the key and Windows' reason" \
      grep -q '^All users: .*(5)$' "$work/last"
    import -window root "$outdir/unreadable-key.png"
    stress_check close-box
    # The key cannot be watched either: a change elsewhere is followed all the same, untold.
    "$wine_exec" reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v 'Late arrival' \
      /d 'C:\late.exe' /f >/dev/null 2>&1
    check "a value added later to the user's key is listed" once_listed 'Late arrival;  (C:\late.exe)'
    check "the unreadable key is not told again" no_message_box
    stress_check alive
    stop_tool
  fi
else
  fail "Wine did not refuse reading the machine's Run key ($denied)"
fi
stress_check allow machine "$(windows_path "$work/acl.bin")"
machine_denied=0

echo "== $((SECONDS))s: Run values that may not be deleted"
stress_check seed-many 9 "$(windows_path "$fixtures/full.exe")"
snapshot undeletable
changes_denied=1
user_denied=$(stress deny user change "$(windows_path "$work/user-acl.bin")")
machine_changes_denied=$(stress deny machine change "$(windows_path "$work/machine-acl.bin")")
if [[ "$user_denied $machine_changes_denied" == "denied denied" ]]; then
  if start_tool; then
    listed=$(items_once_listed "$(listed_in undeletable)")
    stress_check select 0
    stress_check delete-refused
    # The box's title, then its text: Windows' message, and no hint of rights it already has.
    refusal=$'Error\nCan\'t delete registry entry.\nAccess denied. (5)'
    check "a refused delete is told in the error box's title and text" \
      [ "$(grep -v '^ok:\|^FAILED:' "$work/last")" = "$refusal" ]
    import -window root "$outdir/refused-delete.png"
    stress_check close-box
    check "after a refused delete the entry is still listed" [ "$(items_once_listed "$listed")" = "$listed" ]
    stress_check alive
    stop_tool
  fi
else
  fail "Wine did not refuse changing the Run keys ($user_denied, $machine_changes_denied)"
fi
stress_check allow user "$(windows_path "$work/user-acl.bin")"
stress_check allow machine "$(windows_path "$work/machine-acl.bin")"
changes_denied=0
check "a refused delete changes nothing" no_changes_since undeletable
put_back

# The user's Run key deleted outright.
{ grep -v '^HKCU-Run' "$work/readable"; echo 'HKCU-Run missing'; } >"$work/no-user-key"
stress_check restore "$(windows_path "$work/no-user-key")"
if start_tool; then
  check "without the user's Run key the machine's entries are listed" \
    [ "$(items_once_listed "$(listed_in readable HKLM)")" = "$(listed_in readable HKLM)" ]
  check "no message box over the missing key" no_message_box
  stress_check alive
  stop_tool
fi
check "the missing key stays missing and nothing else changed" no_changes_since no-user-key
put_back

echo "== $((SECONDS))s: files that are not programs"
mkdir -p "$stress_files/bad/x.exe"
: >"$stress_files/bad/empty.exe"
echo 'This is a text file, not a program.' >"$stress_files/bad/text.exe"
full_size=$(stat -c %s "$fixtures/full.exe")
head -c $((full_size / 2)) "$fixtures/full.exe" >"$stress_files/bad/truncated.exe"
stress_check seed-bad
snapshot bad
if start_tool; then
  stress_check check-bad
  stress_check alive
  stop_tool
fi
check "the values of the bad files are unchanged" no_changes_since bad
put_back

echo "== $((SECONDS))s: handles and GDI/USER objects over 200 refills and 50 openings of the editor"
stress_check seed-leak 150
if start_tool; then
  stress_check leak 150 50
  stop_tool
fi
stress restore "$(windows_path "$work/original")" >/dev/null
check "the registry is as it was found" no_changes_since original
echo "$passed passed, $failures failed"
((failures == 0))
