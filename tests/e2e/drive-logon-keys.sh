#!/usr/bin/env bash
# The policy and RunOnce keys in the real tolvan.exe under Wine: a policy entry and a RunOnce
# entry are listed with their scope lines and no switch, the policy entry is edited in its own
# key, the RunOnce entry deleted, and a RunOnce value another program adds shows and goes by
# itself. Then Ctrl+S opens the save dialog, a file name is typed there, and the saved list is
# read back. A value whose name holds a NUL is listed and shown with the NUL marked, and
# Delete removes it alone. Screenshots of the policy entry, of the save dialog and of the hidden
# name go into SCREENSHOT_DIR. The registry is put back whatever happens.
# Usage: drive-logon-keys.sh TOLVAN.EXE PROBE.EXE STRESS_PROBE.EXE SCREENSHOT_DIR
set -uo pipefail
exe=$1
probe_exe=$2
stress_exe=$3
outdir=$4
wine_exec="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/tools/wine-exec"
source "$(dirname "${BASH_SOURCE[0]}")/x11.sh"
use_build_prefix "$exe"
"$wine_exec" --prepare
mkdir -p "$outdir"

work=$(mktemp -d)
value_of() { # value_of KEY NAME: the stored command, empty when there is none
  "$wine_exec" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p'
}
policy_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Policies\Explorer\Run'
once_key='HKCU\Software\Microsoft\Windows\CurrentVersion\RunOnce'
machine_once_key='HKLM\Software\Microsoft\Windows\CurrentVersion\RunOnce'
saved="$WINEPREFIX/drive_c/tolvan-saved.csv"
tool=""
clean_up() {
  [[ -n "$tool" ]] && kill "$tool" 2>/dev/null
  [[ -f "$work/original" ]] && stress restore "$(windows_path "$work/original")" >/dev/null
  rm -rf "$work" "$saved"
}
trap clean_up EXIT
stress snapshot "$(windows_path "$work/original")" >/dev/null ||
  { fail "the registry could not be read"; exit 1; }
stress language 1 >/dev/null && stress unmanaged >/dev/null
"$wine_exec" reg add "$policy_key" /v 'Policy program' /d 'C:\policy.exe' /f >/dev/null 2>&1
"$wine_exec" reg add "$once_key" /v '!Once program' /d 'C:\once.exe /setup' /f >/dev/null 2>&1
# A value whose name holds a NUL (written | here), beside the value of the name cut at it.
stress set-counted user 'Evil' 'C:\evil.exe' >/dev/null
stress set-counted user 'Evil|hidd' 'C:\hidden.exe' >/dev/null

"$wine_exec" "$exe" &
tool=$!
main=$(wait_for_window 'Manage Windows startup programs')
[[ -n "$main" ]] || { fail "the main window did not appear"; echo "$passed passed, $failures failed"; exit 1; }
eventually() {
  for _ in $(seq 1 20); do
    "$@" && return 0
    sleep 0.5
  done
  return 1
}
listed() { [[ "$(stress find "$1")" != -1 ]]; }
not_listed() { [[ "$(stress find "$1")" == -1 ]]; }
select_line() { stress select "$(stress find "$1")" >/dev/null; }

policy_line='Policy program;  (C:\policy.exe)'
once_line='!Once program;  (C:\once.exe)'
check "the policy entry is listed" eventually listed "$policy_line"
select_line "$policy_line"
check "its scope line: $(probe text scopeLabel)" [ "$(probe text scopeLabel)" = 'Scope: All users (policy)' ]
check "its Disable button is greyed" [ "$(probe enabled switchButton)" = 0 ]
import -window root "$outdir/policy-entry.png"
stress edit 'C:\policy.exe /edited' >/dev/null
check "the edit stays in the policy key" \
  eventually eval '[ "$(value_of "$policy_key" "Policy program")" = "C:\policy.exe /edited" ]'

check "the RunOnce entry is listed" listed "$once_line"
select_line "$once_line"
check "its scope line: $(probe text scopeLabel)" [ "$(probe text scopeLabel)" = 'Scope: Current user (once)' ]
stress delete >/dev/null
check "Delete removes the RunOnce value" [ -z "$(value_of "$once_key" '!Once program')" ]

"$wine_exec" reg add "$machine_once_key" /v 'Installer step' /d 'C:\step.exe' /f >/dev/null 2>&1
check "a RunOnce value another program adds shows by itself" eventually listed 'Installer step;  (C:\step.exe)'
"$wine_exec" reg delete "$machine_once_key" /v 'Installer step' /f >/dev/null 2>&1
check "and goes by itself" eventually not_listed 'Installer step;  (C:\step.exe)'

hidden_line='Evil␀hidd;  (C:\hidden.exe)'
index=$(probe list | grep -nxF "$hidden_line" | cut -d: -f1)
check "the hidden name is listed with its own command" [ -n "$index" ]
check "so is the value of the name cut at its NUL" listed 'Evil;  (C:\evil.exe)'
stress select $((index - 1)) >/dev/null
check "its name field: $(probe text nameField)" [ "$(probe text nameField)" = 'Evil␀hidd' ]
check "its scope line: $(probe text scopeLabel)" [ "$(probe text scopeLabel)" = 'Scope: Current user, hidden name' ]
import -window root "$outdir/hidden-name.png"
stress delete >/dev/null
check "Delete removes that value alone" \
  eventually eval '[ "$(stress list-counted user | grep -c "^Evil")" = 1 ] && stress list-counted user | grep -qx Evil'
"$wine_exec" reg delete "HKCU\Software\Microsoft\Windows\CurrentVersion\Run" /v Evil /f >/dev/null 2>&1

# Save list: Ctrl+S, the dialog proposes the file's name; a full path typed over it is saved.
press "$main" ctrl+s
dialog=$(wait_for_window '^Save list$')
if [[ -z "$dialog" ]]; then
  fail "Ctrl+S did not open the save dialog"
else
  sleep 0.5
  import -window root "$outdir/save-dialog.png"
  xdotool key --window "$dialog" ctrl+a
  xdotool type --window "$dialog" 'C:\tolvan-saved.csv'
  press "$dialog" Return
  check "the save dialog closes" wait_gone '^Save list$'
  check "the list is saved" eventually test -s "$saved"
  check "as UTF-8 with a byte-order mark" [ "$(head -c 3 "$saved" | od -An -tx1 | tr -d ' ')" = efbbbf ]
  check "with its header row" grep -q 'Scope,Name,Command,Program,Product' "$saved"
  check "holding the policy entry" grep -q '^All users (policy),Policy program,C:\\policy.exe /edited,' "$saved"
fi

probe close >/dev/null
check "Close ends the program" end_tool "$tool"
tool=""
echo "$passed passed, $failures failed"
((failures == 0))
