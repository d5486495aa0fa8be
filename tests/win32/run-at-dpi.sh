#!/usr/bin/env bash
# Runs a command with the test prefix's screen set to the given DPI, then puts the DPI back to 96.
# Windows programs are run through tools/wine-exec by the caller.
# Usage: run-at-dpi.sh DPI COMMAND [ARGS...]
set -uo pipefail
dpi=$1
shift
wine_exec="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/tools/wine-exec"
"$wine_exec" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
TOLVAN_EXPECTED_DPI=$dpi "$@"
rc=$?
"$wine_exec" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null
exit $rc
