#!/usr/bin/env bash
# The libraries tolvan.exe imports, read from its import tables: each must be one of Windows'
# known libraries (HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs), which Windows
# always takes from the system folder. Any other import would be looked for in the program's
# folder first, where anyone may have left a library of that name, and run there with the
# program's administrator rights. The common controls are no exception: the program loads them at
# run time, from the system folder, as it does version.dll and the common dialogs.
# Usage: check-imports.sh OBJDUMP PROGRAM
set -euo pipefail
objdump=$1
program=$2

known=" advapi32 clbcatq combase comdlg32 coml2 difxapi gdi32 gdiplus imagehlp imm32 kernel32
  msctf msvcrt normaliz nsi ole32 oleaut32 psapi rpcrt4 sechost setupapi shcore shell32 shlwapi
  user32 wldap32 ws2_32 "
known=$(tr -s ' \n' ' ' <<<"$known")

imports=$("$objdump" -p "$program" | awk '/DLL Name:/ { print tolower($3) }' | sort -u)
# A program without kernel32 among its imports was not read right.
grep -qx 'kernel32.dll' <<<"$imports" || { echo "FAILED: no imports read from $program"; exit 1; }

failures=0
while read -r library; do
  if [[ "$known" == *" ${library%.dll} "* ]]; then
    echo "ok: $library"
  else
    echo "FAILED: $library is imported, and is not one of Windows' known libraries"
    failures=$((failures + 1))
  fi
done <<<"$imports"
((failures == 0))
