#!/usr/bin/env bash
# Drives the real tolvan.exe under Wine on the current X display, as a user would with keyboard
# and mouse. First run: the main window comes up, Tab and Space press New, the editor opens, Esc
# closes it, Close ends the program. Second run, with sample entries in the three Run keys (one
# of them expandable): the list is read in order, entries are selected and the details panel read, the mouse lights the
# English flag and clicks it, leaves the window (the highlight must go within about 200 ms) and
# the next start comes up in English. The entry switched off is drawn grey and its switch flipped
# twice with the button. The context menu opens by keyboard and mouse and copies a command; a Run
# value and two files of the Startup folders, made by other programs while the tool is open,
# appear by themselves; the shortcut is switched off and deleted into the Recycle Bin.
# Screenshots go into OUTDIR; PROBE reads the windows, SHORTCUTS makes and reads shortcuts.
# Usage: drive-tolvan.sh TOLVAN.EXE OUTDIR PROBE.EXE FIXTURE_DIR SHORTCUTS.EXE
set -uo pipefail
exe=$1
outdir=$2
probe_exe=$3
fixtures=$4
shortcut_exe=$5
tools="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/tools"
wine_exec="$tools/wine-exec"
source "$(dirname "${BASH_SOURCE[0]}")/x11.sh"
use_build_prefix "$exe"
mkdir -p "$outdir"

# The prefix is shared with the other Windows tests: leave its registry as it was found.
forget_language() {
  "$wine_exec" reg delete 'HKCU\Software\Kavrenta' /v Language /f >/dev/null 2>&1 || true
}
shortcut() { timeout 20 "$wine_exec" "$shortcut_exe" "$@" 2>/dev/null | tr -d '\r'; }
host_path() { "$wine_exec" winepath -u "$1" 2>/dev/null | tr -d '\r'; }
folder_switches='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\StartupFolder'
link_name='Minta parancsikon'
note_name='olvass el.txt'
forget_folder_files() {
  rm -f "$(host_path "$(shortcut folder user)")/$link_name.lnk" \
    "$(host_path "$(shortcut folder common)")/$note_name"
  "$wine_exec" reg delete "$folder_switches" /v "$link_name.lnk" /f >/dev/null 2>&1
}
clean_up() {
  "$tools/seed-run-keys" "$fixtures" --remove >/dev/null 2>&1
  forget_folder_files
  forget_language
}
trap clean_up EXIT
forget_language
forget_folder_files
"$tools/seed-run-keys" "$fixtures" || { echo "FAILED: the Run keys could not be seeded"; exit 1; }
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
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
end_tool "$tool" || fail "Close did not end the program"

expect_text() {
  local control=$1 expected=$2 actual
  actual=$(probe text "$control")
  [[ "$actual" == "$expected" ]] || fail "$control reads '$actual', not '$expected'"
  checks=$((checks + 1))
}
expect_match() { # expect_match CONTROL REGEX
  local actual
  actual=$(probe text "$1")
  [[ "$actual" =~ $2 ]] || fail "$1 reads '$actual'"
  checks=$((checks + 1))
}
# Whether the list item is drawn with the system's grey text colour in the screenshot.
drawn_grey() { # drawn_grey INDEX SCREENSHOT
  local x y w h grey
  read -r x y w h < <(probe item "$1")
  grey=$(probe grey)
  convert "$2" -crop "${w}x${h}+${x}+${y}" +repage -unique-colors txt:- | grep -qi "$grey"
}
# The stored switch of the sample 32-bit entry, as hex digits.
approved_32() {
  "$wine_exec" reg query \
    'HKLM\Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\Run32' \
    2>/dev/null | tr -d '\r' | awk '/REG_BINARY/ { print $NF }'
}
checks=0

"$wine_exec" "$exe" &
tool=$!
main=$(wait_for_window 'Windows indulásakor induló programok')
if [[ -z "$main" ]]; then
  fail "the main window did not come back"
else
  expected_list=$(printf '%s\n' \
    'Csak termék;  (C:\Program Files\Kavrenta Minta\product_only.exe)' \
    'Jegyzettömb;  (C:\WINDOWS\notepad.exe)' \
    'Mintaprogram árvíztűrő tükörfúrógép' \
    'Régi frissítő;  (C:\Program Files\Régi\frissito.exe)' \
    'Régi kiegészítő;  (C:\Program Files (x86)\Régi\kiegeszito.exe)' \
    'Startup entry manager' \
    'Wine Registry Editor')
  actual_list=$(probe list)
  [[ "$actual_list" == "$expected_list" ]] || fail "the list reads:
$actual_list"
  checks=$((checks + 1))
  expect_text versionLabel 'v1.2.1'
  expect_text scopeLabel ''

  # The focus is in the list: Down selects the first entry, each further Down the next.
  press "$main" Down
  sleep 0.5
  expect_text nameField 'Csak termék'
  expect_text productLabel 'Only a product'
  expect_text descriptionLabel ''
  expect_text scopeLabel 'Hatáskör: Összes felhasználó'
  press "$main" Down Down
  sleep 0.5
  expect_text productLabel 'Minta'
  expect_text descriptionLabel 'Mintaprogram árvíztűrő tükörfúrógép'
  expect_text makerLabel 'Kavrenta Kft.'
  expect_text programPathField 'C:\Program Files\Kavrenta Minta\details.exe'
  expect_text valueField '"C:\Program Files\Kavrenta Minta\details.exe" /tray'
  expect_text scopeLabel 'Hatáskör: Jelenlegi felhasználó'
  press "$main" Down
  sleep 0.5
  expect_text descriptionLabel 'a megadott fájl nem létezik'
  expect_text scopeLabel 'Hatáskör: Összes felhasználó'
  # The expandable command: stored as it is, its program found after expansion.
  press "$main" Down Down Down
  sleep 0.5
  expect_text valueField '%windir%\regedit.exe /s'
  expect_text programPathField 'C:\windows\regedit.exe'
  expect_text descriptionLabel 'Wine Registry Editor'
  expect_text scopeLabel 'Hatáskör: Összes felhasználó'
  expect_text switchButton 'Letilt'
  # The entry switched off in Task Manager's way is drawn grey, the others are not.
  import -window root "$outdir/main-hungarian-disabled-unselected.png"
  drawn_grey 4 "$outdir/main-hungarian-disabled-unselected.png" ||
    fail "the switched-off entry is not drawn grey"
  drawn_grey 3 "$outdir/main-hungarian-disabled-unselected.png" &&
    fail "an entry that is on is drawn grey"
  checks=$((checks + 2))
  # The entry of the 32-bit programs' key, switched off.
  press "$main" Up Up
  sleep 0.5
  expect_text nameField 'Régi kiegészítő'
  expect_text programPathField 'C:\Program Files (x86)\Régi\kiegeszito.exe'
  expect_match scopeLabel '^Hatáskör: Összes felhasználó \(32 bites\), letiltva .*2026.* óta$'
  expect_text switchButton 'Engedélyez'
  import -window root "$outdir/main-hungarian-selected.png"

  # The context menu by the menu key, over the selected entry; its program is missing, so the
  # shell's two items are greyed (see the screenshot). Esc closes it.
  press "$main" Menu
  sleep 0.5
  [[ "$(probe menu-open)" == 1 ]] || fail "the menu key did not open the context menu"
  import -window root "$outdir/context-menu-hungarian.png"
  press "$main" Escape
  sleep 0.3
  [[ "$(probe menu-open)" == 0 ]] || fail "Esc did not close the context menu"
  checks=$((checks + 2))

  # The switch button, five Tabs from the list, twice: on, then off again.
  press "$main" Tab Tab Tab Tab Tab space
  sleep 1
  [[ "$(approved_32)" == 020000000000000000000000 ]] ||
    fail "switching on stored $(approved_32)"
  expect_text scopeLabel 'Hatáskör: Összes felhasználó (32 bites)'
  expect_text switchButton 'Letilt'
  press "$main" space
  sleep 1
  [[ "$(approved_32)" =~ ^03000000[0-9A-F]{16}$ && "$(approved_32)" != 030000000000000000000000 ]] ||
    fail "switching off stored $(approved_32)"
  expect_text nameField 'Régi kiegészítő'
  expect_match scopeLabel '^Hatáskör: Összes felhasználó \(32 bites\), letiltva .* óta$'
  checks=$((checks + 2))
  press "$main" shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab

  # The real mouse over the English flag lights it; a click on the lit copy switches.
  read -r x y < <(probe centre englishFlag)
  xdotool mousemove "$x" "$y"
  sleep 0.5
  [[ "$(probe visible englishFlagLit)" == 1 ]] || fail "the English flag did not light up"
  xdotool click 1
  sleep 0.5
  [[ "$(probe caption)" == 'Manage Windows startup programs' ]] ||
    fail "the click did not switch to English"
  expect_text titleLabel 'Manage Windows startup programs'
  expect_text deleteButton 'Delete'
  expect_match scopeLabel '^Scope: All users \(32-bit\), disabled since .+$'
  expect_text switchButton 'Enable'
  expect_text descriptionLabel 'a megadott fájl nem létezik'
  import -window root "$outdir/main-english-disabled-selected.png"
  [[ "$(probe visible englishFlagLit)" == 1 ]] || fail "the highlight went out with the click"
  stored=$("$wine_exec" reg query 'HKCU\Software\Kavrenta' /v Language 2>/dev/null | tr -d '\r')
  [[ "$stored" == *"REG_BINARY    0100"* ]] || fail "the stored language is: $stored"
  checks=$((checks + 3))
  press "$main" Down Down
  sleep 0.5
  expect_text scopeLabel 'Scope: All users'
  import -window root "$outdir/main-english-selected.png"

  # Out of the window at once, without crossing its bare surface: only the timer sees it.
  gone_after=$(probe leave englishFlagLit)
  if [[ ! "$gone_after" =~ ^[0-9]+$ ]] || ((gone_after > 300)); then
    fail "the highlight stayed after the mouse left: $gone_after"
  fi
  checks=$((checks + 1))

  # The right button on the second line selects it and opens the menu there; Up reaches the last
  # item, Save list, and Up again Copy command, which puts the command as stored on the clipboard.
  # Shift+F10 opens it too.
  read -r x y w h < <(probe item 1)
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 3
  sleep 0.5
  [[ "$(probe menu-open)" == 1 ]] || fail "the right button did not open the context menu"
  import -window root "$outdir/context-menu-english.png"
  press "$main" Up Up Return
  sleep 0.5
  expect_text nameField 'Jegyzettömb'
  command=$(probe text valueField)
  [[ "$(probe clipboard)" == "$command" ]] || fail "the clipboard holds '$(probe clipboard)'"
  press "$main" shift+F10
  sleep 0.5
  [[ "$(probe menu-open)" == 1 ]] || fail "Shift+F10 did not open the context menu"
  press "$main" Escape
  checks=$((checks + 3))

  # Another program adds a Run value and removes it again: the list follows by itself.
  run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
  follows() { # follows PRESENT|ABSENT: waits up to 10 s for the list to show it so
    local start=$SECONDS listed
    while ((SECONDS - start < 10)); do
      listed=$(probe list | grep -cx 'Figyelt;  (C:\\figyelt.exe)')
      [[ "$1" == PRESENT && "$listed" == 1 || "$1" == ABSENT && "$listed" == 0 ]] && return 0
      sleep 0.1
    done
    return 1
  }
  "$wine_exec" reg add "$run_key" /v Figyelt /d 'C:\figyelt.exe' /f >/dev/null 2>&1
  follows PRESENT || fail "a Run value added by another program was not listed"
  import -window root "$outdir/main-english-followed.png"
  "$wine_exec" reg delete "$run_key" /v Figyelt /f >/dev/null 2>&1
  follows ABSENT || fail "a Run value deleted by another program stayed listed"
  checks=$((checks + 2))

  # A shortcut made in the user's Startup folder and a file put into the common one appear by
  # themselves, with their scope lines.
  user_folder=$(shortcut folder user)
  common_folder=$(shortcut folder common)
  link_target='C:\Program Files\Kavrenta Minta\product_only.exe'
  link_line="$link_name;  ($link_target)"
  shortcut make "$user_folder\\$link_name.lnk" "$link_target" '/tray' >/dev/null
  printf 'Tolvan\r\n' >"$(host_path "$common_folder")/$note_name"
  index_of() { probe list | grep -nxF -- "$1" | cut -d: -f1; }
  for _ in $(seq 1 100); do
    [[ -n "$(index_of "$link_line")" && -n "$(index_of "$note_name;  ($common_folder\\$note_name)")" ]] && break
    sleep 0.1
  done
  link_index=$(index_of "$link_line")
  if [[ -z "$link_index" ]]; then
    fail "the shortcut in the Startup folder was not listed: $(probe list)"
  else
    read -r x y w h < <(probe item $((link_index - 1)))
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
    sleep 0.5
    expect_text scopeLabel 'Scope: Current user (Startup folder)'
    expect_text nameField "$link_name"
    expect_text valueField "\"$link_target\" /tray"
    import -window root "$outdir/main-english-startup-folder.png"
    note_index=$(index_of "$note_name;  ($common_folder\\$note_name)")
    [[ -n "$note_index" ]] || fail "the file in the common Startup folder was not listed"
    # Switched off where Task Manager keeps the switch of a Startup folder's file.
    press "$main" Tab Tab Tab Tab Tab space
    sleep 1
    switch=$("$wine_exec" reg query "$folder_switches" /v "$link_name.lnk" 2>/dev/null |
      tr -d '\r' | awk '/REG_BINARY/ { print $NF }')
    [[ "$switch" =~ ^03000000 ]] || fail "switching the shortcut off stored '$switch'"
    expect_match scopeLabel '^Scope: Current user \(Startup folder\), disabled since .+$'
    # Deleted: into the Recycle Bin, its switch with it.
    read -r x y < <(probe centre deleteButton)
    xdotool mousemove "$x" "$y" click 1
    question=$(wait_for_window '^Tolvan$')
    if [[ -z "$question" ]]; then
      fail "Delete did not ask for the shortcut"
    else
      press "$question" Return
      wait_gone '^Tolvan$'
      sleep 1
      [[ ! -e "$(host_path "$user_folder")/$link_name.lnk" ]] ||
        fail "the deleted shortcut is still in the Startup folder"
      [[ "$(shortcut recycled "$link_name.lnk")" == 1 ]] ||
        fail "the deleted shortcut is not in the Recycle Bin"
      "$wine_exec" reg query "$folder_switches" /v "$link_name.lnk" >/dev/null 2>&1 &&
        fail "the deleted shortcut's switch stayed"
      [[ -z "$(index_of "$link_line")" ]] || fail "the deleted shortcut is still listed"
    fi
    checks=$((checks + 6))
  fi
  probe close
fi
end_tool "$tool" || fail "the window did not close"

# The next start speaks the stored language, and follows the user's Startup folder, missing at
# the start, made after it, emptied and deleted, and made again.
user_folder=$(shortcut folder user)
user_host=$(host_path "$user_folder")
[[ -n "$user_host" ]] && rm -rf "$user_host"
"$wine_exec" "$exe" &
tool=$!
main=$(wait_for_window 'Manage Windows startup programs')
[[ -n "$main" ]] || fail "the next start did not come up in English"
checks=$((checks + 1))
shows() { # shows COUNT FILE: within about 5 s the list holds the user's Startup file COUNT times
  for _ in {1..15}; do
    [[ "$(probe list | grep -cxF -- "$2;  ($user_folder\\$2)")" == "$1" ]] && return; sleep 0.2
  done; false; }
if [[ -n "$main" && -n "$user_host" ]]; then
  mkdir "$user_host" && echo >"$user_host/a.txt"
  shows 1 a.txt || fail "a file of a Startup folder made after the start was not listed"
  rm "$user_host/a.txt"
  shows 0 a.txt && rmdir "$user_host" || fail "a file removed from the Startup folder stayed listed"
  sleep 1 && mkdir "$user_host" && echo >"$user_host/b.txt"
  shows 1 b.txt || fail "a file of a Startup folder deleted and made again was not listed"
  rm -f "$user_host/b.txt"
  checks=$((checks + 3))
fi
[[ -n "$user_host" ]] && mkdir -p "$user_host"
[[ -n "$main" ]] && probe close
end_tool "$tool"

passed=$((4 + checks - failures))
echo "$passed passed, $failures failed"
((failures == 0))
