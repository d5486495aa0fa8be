#!/usr/bin/env bash
# A copy of tolvan.exe in a folder of its own, beside libraries named as the ones it loads by name
# (the common controls and the common dialogs) and as the one Windows' own code loads for its
# windows (themes). Wine is told to prefer such a library to its own, as Windows takes a library
# from the program's folder before the system folder. Each planted library, once loaded, leaves a
# file beside itself. The tool starts, lists a Run entry of the current user with the version
# texts of its program, opens the open-file dialog and ends; no planted library may have run.
#
# Two names cannot be tried under Wine, whatever the program does. Wine's own user32 imports
# version.dll, so every Windows program that shows a window loads a planted version.dll at start
# (on Windows, user32 is a known library, whose own imports come from the system folder). And a
# library that Wine's own libraries load late (msimg32, for the common controls) is looked for in
# the program's folder even after SetDefaultDllDirectories. That the program imports neither is
# checked on the executable itself (check-imports.sh).
# Usage: drive-planted-libraries.sh TOLVAN.EXE PROBE.EXE FIXTURE_DIR
set -uo pipefail
exe=$1
probe_exe=$2
fixtures=$3
wine_exec="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/tools/wine-exec"
source "$(dirname "${BASH_SOURCE[0]}")/x11.sh"
use_build_prefix "$exe"
"$wine_exec" --prepare

planted=(comctl32 comdlg32 uxtheme)
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
entry='Planted library check'
folder=$(mktemp -d)
clean_up() {
  "$wine_exec" reg delete "$run_key" /v "$entry" /f >/dev/null 2>&1
  "$wine_exec" reg delete 'HKCU\Software\Kavrenta' /v Language /f >/dev/null 2>&1
  rm -rf "$folder"
}
trap clean_up EXIT

cp "$exe" "$folder/tolvan.exe"
for name in "${planted[@]}"; do
  cp "$fixtures/planted_library.dll" "$folder/$name.dll"
done
# The Hungarian interface, whose window titles the waits below name.
"$wine_exec" reg delete 'HKCU\Software\Kavrenta' /v Language /f >/dev/null 2>&1
"$wine_exec" reg add "$run_key" /v "$entry" /d "Z:${fixtures//\//\\}\\details.exe /tray" /f \
  >/dev/null 2>&1 || fail "the Run entry could not be made"

overrides=$(IFS=,; echo "${planted[*]}")
WINEDLLOVERRIDES="mscoree,mshtml=;$overrides=n,b" "$wine_exec" "$folder/tolvan.exe" &
tool=$!

main=$(wait_for_window 'Windows indulásakor induló programok')
if [[ -z "$main" ]]; then
  fail "the main window did not appear"
else
  # The description comes from the program's version resource, read through version.dll.
  listed() { probe list | grep -qx 'Mintaprogram árvíztűrő tükörfúrógép'; }
  for _ in $(seq 1 50); do listed && break; sleep 0.2; done
  check "the entry is listed with its program's description" listed

  # Nothing is selected, so one Tab from the list reaches New; the name box has the focus in the
  # editor, and two Tabs from it reach "Add file path...".
  press "$main" Tab space
  editor=$(wait_for_window '^Szerkesztés$')
  check "New opens the editor" test -n "$editor"
  if [[ -n "$editor" ]]; then
    press "$editor" Tab Tab space
    chooser=$(wait_for_window '^Válassz egy fájl-t$')
    check "the open-file dialog opens" test -n "$chooser"
    [[ -n "$chooser" ]] && press "$chooser" Escape
    wait_gone '^Válassz egy fájl-t$'
    press "$editor" Escape
    wait_gone '^Szerkesztés$'
  fi
  probe close
fi
end_tool "$tool" || fail "the program did not end"

for name in "${planted[@]}"; do
  check "the planted $name.dll did not run" test ! -e "$folder/$name.dll.loaded"
done

echo "$passed passed, $failures failed"
((failures == 0))
