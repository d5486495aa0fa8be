#!/usr/bin/env bash
# Who signed each program, in the real tolvan.exe under Wine, with the test authority trusted (run
# it through run-with-trusted-ca.sh): Run values name copies of the signed fixtures, a catalog
# lists one of them, and the panel's signature line is read for each in English and in
# Hungarian, with a screenshot of each verdict. The list marks the changed and the untrusted
# program's line; the details box tells the signer, its issuer and the certificate's thumbprint;
# an unsigned program's menu offers no details. The registry and the prefix are put back.
# Usage: drive-signatures.sh TOLVAN.EXE PROBE.EXE STRESS_PROBE.EXE FIXTURE_DIR SCREENSHOT_DIR
set -uo pipefail
exe=$1
probe_exe=$2
stress_exe=$3
fixtures=$4
outdir=$5
wine_exec="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/tools/wine-exec"
source "$(dirname "${BASH_SOURCE[0]}")/x11.sh"
use_build_prefix "$exe"
"$wine_exec" --prepare
mkdir -p "$outdir"

work=$(mktemp -d)
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
programs="$WINEPREFIX/drive_c/TolvanSigned"
catalogs="$WINEPREFIX/drive_c/windows/system32/catroot/{F750E6C3-38EE-11D1-85E5-00C04FC295EE}"
tool=""
clean_up() {
  [[ -n "$tool" ]] && kill "$tool" 2>/dev/null
  [[ -f "$work/original" ]] && stress restore "$(windows_path "$work/original")" >/dev/null
  rm -rf "$programs" "$catalogs/tolvan-test.cat" "$work"
}
trap clean_up EXIT
stress snapshot "$(windows_path "$work/original")" >/dev/null ||
  { fail "the registry could not be read"; exit 1; }
stress language 1 >/dev/null && stress unmanaged >/dev/null

# name | fixture (in a folder of its own when long enough for two lines of the path field) |
# English line | Hungarian line | whether the list marks it
rows=(
  "Signed|signed_chain.exe|Signed by: Tolvan Test Signer (verified)|Aláíró: Tolvan Test Signer (ellenőrizve)|0"
  "Signed alone|signed_leaf.exe|Signed by: Tolvan Test Signer (verified)|Aláíró: Tolvan Test Signer (ellenőrizve)|0"
  "Changed|signed_changed.exe|Signature not valid: the file was changed|Az aláírás érvénytelen: a fájl megváltozott|1"
  # Wine judges a catalog's signer as of a moment at which no certificate is valid.
  "Catalog|catalog_member.exe|Signed by: Tolvan Test Signer (certificate not trusted)|Aláíró: Tolvan Test Signer (nem megbízható tanúsítvány)|1"
  "Unsigned|Kavrenta Minta Alkalmazások és Segédprogramok Gyűjteménye/Második alkönyvtár a hosszú elérési úthoz/details.exe|Not signed|Nincs aláírva|0"
  "Missing|missing.exe|||0"
)
mkdir -p "$programs" "$catalogs"
cp "$fixtures/catalog.cat" "$catalogs/tolvan-test.cat"
for row in "${rows[@]}"; do
  IFS='|' read -r name fixture _ <<<"$row"
  if [[ -f "$fixtures/${fixture##*/}" ]]; then
    mkdir -p "$(dirname "$programs/$fixture")"
    cp "$fixtures/${fixture##*/}" "$programs/$fixture"
  fi
  "$wine_exec" reg add "$run_key" /v "$name" /d "C:\\TolvanSigned\\${fixture//\//\\}" /f >/dev/null 2>&1
done

"$wine_exec" "$exe" &
tool=$!
main=$(wait_for_window 'Manage Windows startup programs')
[[ -n "$main" ]] || { fail "the main window did not appear"; echo "$passed passed, $failures failed"; exit 1; }

# Selects the entry of that name (the fixtures share their description, so their lines read
# alike) and waits for its verdict; prints its row number.
select_entry() {
  local count index
  count=$(stress count)
  for ((index = 0; index < count; index++)); do
    stress select "$index" >/dev/null
    if [[ "$(probe text nameField)" == "$1" ]]; then
      for _ in $(seq 1 50); do
        [[ "$(probe text signatureLabel)" != 'checking…' ]] && break
        sleep 0.2
        stress select "$index" >/dev/null
      done
      echo "$index"
      return 0
    fi
  done
  return 1
}
# Whether the line is drawn with the mark's red in the screenshot.
marked() { # marked INDEX SCREENSHOT
  local x y w h
  read -r x y w h < <(probe item "$1")
  convert "$2" -crop "${w}x${h}+${x}+${y}" +repage -unique-colors txt:- | grep -qi 'C81010'
}

for language in english hungarian; do
  if [[ "$language" == hungarian ]]; then
    read -r x y < <(probe centre hungarianFlag)
    xdotool mousemove "$x" "$y"
    sleep 0.5
    xdotool click 1
    hungarian() { [ "$(probe caption)" = 'Windows indulásakor induló programok' ]; }
    switched=0
    for _ in $(seq 1 25); do
      hungarian && { switched=1; break; }
      sleep 0.2
    done
    check "the Hungarian flag switches the language" [ "$switched" = 1 ]
  fi
  for row in "${rows[@]}"; do
    IFS='|' read -r name fixture english hungarian mark <<<"$row"
    expected=$english
    [[ "$language" == hungarian ]] && expected=$hungarian
    if ! index=$(select_entry "$name"); then
      fail "$name is not listed"
      continue
    fi
    line=$(probe text signatureLabel)
    check "$name ($language): '$line'" [ "$line" = "$expected" ]
    shot="$outdir/signature-$language-${name// /-}.png"
    import -window root "$shot"
    if [[ "$language" == english && -n "$english" ]]; then
      if ((mark)); then
        check "$name: the line carries the mark" marked "$index" "$shot"
      else
        check "$name: the line carries no mark" eval '! marked "$index" "$shot"'
      fi
    fi
  done
done

# The details of the verified program's signature, by the menu key: Edit, Disable, Delete,
# Open file location, Signature details.
thumbprint=$(openssl x509 -in "$fixtures/signing/signer.pem" -outform DER | sha256sum |
  cut -d ' ' -f 1 | tr 'a-f' 'A-F')
select_entry Signed >/dev/null
press "$main" Menu Down Down Down Down Down Return
sleep 0.5
import -window root "$outdir/signature-details.png"
box=$(stress box)
for part in 'Aláíró: Tolvan Test Signer (ellenőrizve)' 'Kibocsátó: Tolvan Test CA' \
  "SHA-256 ujjlenyomat: $thumbprint" 'Az aláírás a fájlban van.'; do
  check "the details box tells '$part'" grep -qF "$part" <<<"$box"
done
# In the system's own way of writing dates.
check "the details box tells the validity" grep -qE 'Tanúsítvány érvényessége: .*2020.* – .*2036' <<<"$box"
stress close-box >/dev/null

# An unsigned program's menu offers no details: the greyed item does nothing.
select_entry Unsigned >/dev/null
press "$main" Menu
import -window root "$outdir/signature-menu-unsigned.png"
press "$main" Down Down Down Down Down Return
sleep 0.5
[[ "$(probe menu-open)" == 1 ]] && press "$main" Escape
check "the unsigned program's details item shows no box" [ "$(stress dialogs)" = 0 ]

probe close >/dev/null
check "Close ends the program" end_tool "$tool"
tool=""
echo "$passed passed, $failures failed"
((failures == 0))
