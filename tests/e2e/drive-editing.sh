#!/usr/bin/env bash
# Drives the real tolvan.exe under Wine through the entry commands: New, Edit (rename, move to
# the current user), the editor's Esc, "Add file path..." with the real open-file dialog, Delete
# with its confirmation, and Close; then an expandable entry and one of the 32-bit programs' key,
# renamed, moved and deleted; then a shortcut of a Startup folder, given a new command, renamed
# and moved to the other folder. The registry (and the shortcut) is read back after every step.
# Screenshots of the editor in both languages, the open-file dialog and the delete confirmation
# go into OUTDIR. SHORTCUTS makes and reads shortcuts.
# Usage: drive-editing.sh TOLVAN.EXE OUTDIR FIXTURE_DIR SHORTCUTS.EXE
set -uo pipefail
exe=$1
outdir=$2
fixtures=$3
shortcut_exe=$4
wine_exec="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/tools/wine-exec"
mkdir -p "$outdir"

source "$(dirname "${BASH_SOURCE[0]}")/x11.sh"
use_build_prefix "$exe"
"$wine_exec" --prepare

skipped=0

run_key='Software\Microsoft\Windows\CurrentVersion\Run'
# The data of a Run value, or nothing (and status 1) when it is missing.
run_value() { # run_value HKCU|HKLM NAME
  local out
  out=$("$wine_exec" reg query "$1\\$run_key" /v "$2" 2>/dev/null | tr -d '\r') || return 1
  printf '%s\n' "$out" | awk -v name="$2" '
    index($0, "    " name "    REG_SZ") == 1 { sub("^    " name "    REG_SZ    ?", ""); print; found = 1 }
    END { exit !found }'
}
has_value() { run_value "$1" "$2" >/dev/null; }
lacks_value() { ! has_value "$1" "$2"; }
value_is() { [[ "$(run_value "$1" "$2")" == "$3" ]]; }
value_is_ignoring_case() { [[ "$(run_value "$1" "$2" | tr '[:upper:]' '[:lower:]')" == "$(tr '[:upper:]' '[:lower:]' <<<"$3")" ]]; }
remove_value() { "$wine_exec" reg delete "$1\\$run_key" /v "$2" /f >/dev/null 2>&1; }
set_language() { # 0 Hungarian, 1 English
  "$wine_exec" reg add 'HKCU\Software\Kavrenta' /v Language /t REG_BINARY /d "0${1}00" /f >/dev/null 2>&1
}

# Text goes key by key: keys sent to a window carry no shift state of their own, so the shifted
# characters name their shift.
type_text() { # type_text WINDOW TEXT
  local text=$2 i ch keys=()
  for ((i = 0; i < ${#text}; i++)); do
    ch=${text:i:1}
    case "$ch" in
      ' ') keys+=(space) ;;
      '\') keys+=(backslash) ;;
      '"') keys+=(shift+apostrophe) ;;
      ':') keys+=(shift+semicolon) ;;
      '/') keys+=(slash) ;;
      '.') keys+=(period) ;;
      '_') keys+=(shift+minus) ;;
      '-') keys+=(minus) ;;
      [A-Z]) keys+=("shift+${ch,,}") ;;
      *) keys+=("$ch") ;;
    esac
  done
  xdotool key --window "$1" "${keys[@]}"
  sleep 0.3
}
# Clicks at a point of the window's client area, in pixels at 96 dpi. Wine draws the frame
# itself: equal borders left, right and below, the caption above.
click_client() { # click_client WINDOW CLIENT_WIDTH CLIENT_HEIGHT X Y
  local width height border top
  eval "$(xdotool getwindowgeometry --shell "$1")"
  width=$WIDTH height=$HEIGHT
  border=$(((width - $2) / 2))
  top=$((height - $3 - border))
  xdotool mousemove --window "$1" $((border + $4)) $((top + $5)) click 1
  sleep 0.4
}
main_client=(721 407)
# Focuses the list and selects its first item.
select_first_entry() {
  click_client "$main" "${main_client[@]}" 130 340
  press "$main" Home
}
# The name box has the focus when the editor opens.
replace_name() { press "$1" End shift+Home; type_text "$1" "$2"; }
# Enter (after KEYS) on the list opens the editor on the selected entry; a failed check when it
# does not come.
edit_selected() { # edit_selected WHAT [KEYS...]
  press "$main" "${@:2}" Return
  editor=$(wait_for_window '^Szerkesztés$')
  [[ -n "$editor" ]] || { fail "the editor did not open $1"; return 1; }
}
# Clicks Close and waits for the program to end.
close_tool() { # close_tool WHAT
  click_client "$main" "${main_client[@]}" 660 388
  check "Close ends $1" end_tool "$tool"
}

name='0 tolvan e2e'
esc_left_alone() { has_value HKCU "$renamed" && lacks_value HKCU "x$renamed"; }
renamed='0 tolvan e2e renamed'
command_line="\"${fixtures//\//\\}\\missing e2e.exe\" /e2e"
command_line="\"Z:${command_line#\"}"
for root in HKCU HKLM; do
  for each in "$name" "$renamed" "x$renamed"; do remove_value "$root" "$each"; done
done

main_title='Windows indulásakor induló programok'
start_tool() {
  "$wine_exec" "$exe" &
  tool=$!
  main=$(wait_for_window "$main_title")
  if [[ -z "$main" ]]; then
    fail "the main window did not appear"
    kill "$tool" 2>/dev/null
    echo "$passed passed, $failures failed"
    exit 1
  fi
  sleep 1
}

set_language 0
start_tool

# New: Delete is disabled while nothing is selected, so one Tab from the list reaches New.
press "$main" Tab space
editor=$(wait_for_window '^Szerkesztés$')
if [[ -z "$editor" ]]; then
  fail "New did not open the editor"
else
  sleep 0.5
  import -window root "$outdir/editor-hungarian.png"
  replace_name "$editor" "$name"
  press "$editor" Tab
  type_text "$editor" "$command_line"
  press "$editor" Tab Tab space # Save
  wait_gone '^Szerkesztés$'
  check "New and Save write the entry for all users" value_is HKLM "$name" "$command_line"
  check "New writes nothing for the current user" lacks_value HKCU "$name"
fi

# Edit (Enter in the list) and rename.
select_first_entry
if edit_selected "on Enter in the list"; then
  replace_name "$editor" "$renamed"
  press "$editor" Tab Tab Tab space # Save
  wait_gone '^Szerkesztés$'
  check "a rename leaves the new name" value_is HKLM "$renamed" "$command_line"
  check "a rename removes the old name" lacks_value HKLM "$name"
fi

# Move to the current user: the scope buttons follow Cancel in the focus order.
select_first_entry
if edit_selected "for the move"; then
  press "$editor" Tab Tab Tab Tab Tab Down
  press "$editor" shift+Tab shift+Tab space # back to Save
  wait_gone '^Szerkesztés$'
  check "a move leaves the entry under the current user" value_is HKCU "$renamed" "$command_line"
  check "a move removes it for all users" lacks_value HKLM "$renamed"
fi

# Another program changes the entry while the editor is open: Save asks, No keeps the editor
# and writes nothing, Yes saves. A Save that changes nothing leaves their command as it is.
set_value() { "$wine_exec" reg add "HKCU\\$run_key" /v "$renamed" /d "$1" /f >/dev/null 2>&1; }
select_first_entry
if edit_selected "for a change made meanwhile"; then
  set_value theirs.exe
  press "$editor" Tab End
  type_text "$editor" " /mine"
  press "$editor" Tab Tab space # Save
  question=$(wait_for_window '^Tolvan$')
  if [[ -z "$question" ]]; then
    fail "Save over a change made meanwhile did not ask"
  else
    sleep 0.5
    import -window root "$outdir/changed-meanwhile-question.png"
    press "$question" Return # No is the default
    wait_gone '^Tolvan$'
    check "No keeps the editor open" [ -n "$(window_named '^Szerkesztés$')" ]
    check "No writes nothing" value_is HKCU "$renamed" theirs.exe
    press "$editor" space # Save has the focus again
    question=$(wait_for_window '^Tolvan$')
    [[ -n "$question" ]] && press "$question" y
    wait_gone '^Szerkesztés$'
    check "Yes saves the edit" value_is HKCU "$renamed" "$command_line /mine"
  fi
fi
set_value "$command_line"
select_first_entry
if edit_selected "for an unchanged Save"; then
  set_value theirs.exe
  press "$editor" Tab Tab Tab space # Save
  check "an unchanged Save closes without asking" wait_gone '^Szerkesztés$'
  check "an unchanged Save writes nothing" value_is HKCU "$renamed" theirs.exe
fi
set_value "$command_line"

# Esc closes the editor without touching the registry.
select_first_entry
if edit_selected "for Esc"; then
  replace_name "$editor" "x$renamed"
  press "$editor" Escape
  check "Esc closes the editor" wait_gone '^Szerkesztés$'
  check "Esc leaves the registry as it was" esc_left_alone
fi

# "Add file path..." opens the open-file dialog in the folder of the command.
select_first_entry
if edit_selected "for the file chooser"; then
  press "$editor" Tab Tab space
  chooser=$(wait_for_window '^Válassz egy fájl-t$')
  if [[ -z "$chooser" ]]; then
    fail "Add file path did not open the open-file dialog"
    press "$editor" Escape
  else
    sleep 1
    import -window root "$outdir/open-file-dialog.png"
    # A bare name is found only if the dialog opened in the fixtures' folder.
    type_text "$chooser" "no_version.exe"
    press "$chooser" Return
    check "the open-file dialog closes on a file of its folder" wait_gone '^Válassz egy fájl-t$'
    press "$editor" Tab space # from "Add file path..." to Save
    wait_gone '^Szerkesztés$'
    chosen="Z:${fixtures//\//\\}\\no_version.exe"
    check "the chosen file's path is saved as the command" value_is_ignoring_case HKCU "$renamed" "$chosen"
  fi
fi

# Delete: needs the entry selected, which enables the button.
select_first_entry
click_client "$main" "${main_client[@]}" 224 388
confirmation=$(wait_for_window '^Tolvan$')
if [[ -z "$confirmation" ]]; then
  if [[ -n "$(window_named '^Szerkesztés$')" ]]; then
    press "$(window_named '^Szerkesztés$')" Escape
  fi
  skipped=$((skipped + 1))
  echo "SKIPPED: the Delete button stayed disabled after the selection"
else
  sleep 0.5
  import -window root "$outdir/delete-confirmation.png"
  press "$confirmation" Escape
  wait_gone '^Tolvan$'
  check "a cancelled delete keeps the entry" has_value HKCU "$renamed"
  click_client "$main" "${main_client[@]}" 224 388
  confirmation=$(wait_for_window '^Tolvan$')
  if [[ -z "$confirmation" ]]; then
    fail "the second Delete did not ask"
  else
    press "$confirmation" Return # OK is the default button
    wait_gone '^Tolvan$'
    check "a confirmed delete removes the entry" lacks_value HKCU "$renamed"
  fi
fi

# Close.
close_tool "the program"

# An expandable command and an entry of the 32-bit programs' key, each edited where it is.
run_key_32='Software\WOW6432Node\Microsoft\Windows\CurrentVersion\Run'
hkcu_run="HKCU\\$run_key"
hklm_run="HKLM\\$run_key"
hklm32_run="HKLM\\$run_key_32"
# A value's type and data as "TYPE DATA"; nothing (and status 1) when it is missing.
stored() { # stored KEY NAME
  local out
  out=$("$wine_exec" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r') || return 1
  printf '%s\n' "$out" | awk -v name="$2" '
    index($0, "    " name "    ") == 1 {
      sub("^    " name "    ", ""); sub("    ", " "); print; found = 1
    }
    END { exit !found }'
}
stored_is() { [[ "$(stored "$1" "$2")" == "$3" ]]; }
lacks() { ! stored "$1" "$2" >/dev/null; }
expand_name='0 tolvan e2e expand'
x86_name='0 tolvan e2e x86'
forget_views() {
  for key in "$hkcu_run" "$hklm_run" "$hklm32_run"; do
    for each in "$expand_name" "$expand_name 2" "$x86_name" "$x86_name 2"; do
      "$wine_exec" reg delete "$key" /v "$each" /f >/dev/null 2>&1
    done
  done
}
forget_views
"$wine_exec" reg add "$hkcu_run" /v "$expand_name" /t REG_EXPAND_SZ \
  /d '%windir%\tolvan-e2e.exe /x' /f >/dev/null 2>&1
"$wine_exec" reg add "$hklm32_run" /v "$x86_name" /t REG_SZ /d 'C:\tolvan-e2e-x86.exe' /f >/dev/null 2>&1
start_tool

# Both sort first; the expandable one comes first.
select_first_entry
if edit_selected "for the expandable entry"; then
  replace_name "$editor" "$expand_name 2"
  press "$editor" Tab Tab Tab space # Save
  wait_gone '^Szerkesztés$'
  check "a renamed expandable entry stays REG_EXPAND_SZ, unexpanded" \
    stored_is "$hkcu_run" "$expand_name 2" 'REG_EXPAND_SZ %windir%\tolvan-e2e.exe /x'
  check "the expandable entry's old name is gone" lacks "$hkcu_run" "$expand_name"
fi

select_first_entry
if edit_selected "for the 32-bit entry" Down; then
  sleep 0.5
  import -window root "$outdir/editor-32-bit.png"
  replace_name "$editor" "$x86_name 2"
  press "$editor" Tab Tab Tab space # Save
  wait_gone '^Szerkesztés$'
  check "a renamed 32-bit entry stays in the 32-bit key" \
    stored_is "$hklm32_run" "$x86_name 2" 'REG_SZ C:\tolvan-e2e-x86.exe'
  check "the 32-bit entry's old name is gone" lacks "$hklm32_run" "$x86_name"
  check "nothing reaches the 64-bit key" lacks "$hklm_run" "$x86_name 2"
fi

# Moved to all users, the expandable entry keeps its type.
select_first_entry
if edit_selected "for the move of the expandable entry"; then
  press "$editor" Tab Tab Tab Tab Tab Up
  press "$editor" shift+Tab shift+Tab space # back to Save
  wait_gone '^Szerkesztés$'
  check "a moved expandable entry is REG_EXPAND_SZ in the machine's 64-bit key" \
    stored_is "$hklm_run" "$expand_name 2" 'REG_EXPAND_SZ %windir%\tolvan-e2e.exe /x'
  check "the move leaves nothing for the current user" lacks "$hkcu_run" "$expand_name 2"
fi

# Delete takes the 32-bit entry out of its own key.
select_first_entry
press "$main" Down
click_client "$main" "${main_client[@]}" 224 388
confirmation=$(wait_for_window '^Tolvan$')
if [[ -z "$confirmation" ]]; then
  fail "Delete did not ask for the 32-bit entry"
else
  press "$confirmation" Return
  wait_gone '^Tolvan$'
  check "a deleted 32-bit entry is gone from the 32-bit key" lacks "$hklm32_run" "$x86_name 2"
  check "the deletion leaves the other entry" \
    stored_is "$hklm_run" "$expand_name 2" 'REG_EXPAND_SZ %windir%\tolvan-e2e.exe /x'
fi
close_tool "the run with both kinds"
forget_views

# A shortcut of the user's Startup folder: a new command, then a new name and the other folder.
shortcut() { timeout 20 "$wine_exec" "$shortcut_exe" "$@" 2>/dev/null | tr -d '\r'; }
host_path() { "$wine_exec" winepath -u "$1" 2>/dev/null | tr -d '\r'; }
user_folder=$(shortcut folder user)
common_folder=$(shortcut folder common)
link='0 tolvan e2e link'
forget_links() {
  rm -f "$(host_path "$user_folder")/$link.lnk" "$(host_path "$common_folder")/$link 2.lnk"
}
forget_links
shortcut make "$user_folder\\$link.lnk" 'C:\tolvan-e2e-link.exe' '/old' >/dev/null
start_tool
select_first_entry
if edit_selected "for the shortcut"; then
  press "$editor" Tab # the command
  press "$editor" End shift+Home
  type_text "$editor" '"C:\tolvan e2e\linked.exe" /new'
  press "$editor" Tab Tab space # Save
  wait_gone '^Szerkesztés$'
  check "a shortcut's command becomes its target and arguments" \
    [ "$(shortcut read "$user_folder\\$link.lnk")" == $'C:\\tolvan e2e\\linked.exe\t/new' ]
fi
select_first_entry
if edit_selected "for the shortcut's move"; then
  replace_name "$editor" "$link 2"
  press "$editor" Tab Tab Tab Tab Tab Up # All users
  press "$editor" shift+Tab shift+Tab space # back to Save
  wait_gone '^Szerkesztés$'
  check "a renamed and moved shortcut is in the common Startup folder" \
    [ "$(shortcut read "$common_folder\\$link 2.lnk")" == $'C:\\tolvan e2e\\linked.exe\t/new' ]
  check "nothing stays in the user's Startup folder" [ ! -e "$(host_path "$user_folder")/$link.lnk" ]
fi
close_tool "the run with a shortcut"
forget_links

# The editor in English.
set_language 1
main_title='Manage Windows startup programs'
start_tool
press "$main" Tab space
editor=$(wait_for_window '^Editing$')
if [[ -z "$editor" ]]; then
  fail "New did not open the English editor"
else
  sleep 0.5
  import -window root "$outdir/editor-english.png"
  press "$editor" Escape
  check "the English editor closes on Esc" wait_gone '^Editing$'
fi
close_tool "the English run"
set_language 0
for root in HKCU HKLM; do
  for each in "$name" "$renamed" "x$renamed"; do remove_value "$root" "$each"; done
done

echo "$passed passed, $failures failed, $skipped skipped"
((failures == 0))
