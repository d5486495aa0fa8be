# Shared by the end-to-end drivers (sourced): the Wine prefix of the build folder that holds the
# program, the counting of checks, and finding and working windows on the X display.
# shellcheck shell=bash

# Every check a driver makes is counted; the driver ends with the counts.
passed=0
failures=0
pass() { passed=$((passed + 1)); echo "ok: $*"; }
fail() { failures=$((failures + 1)); echo "FAILED: $*"; }
check() { # check DESCRIPTION COMMAND...
  if "${@:2}"; then pass "$1"; else fail "$1"; fi
}

# Uses the prefix of the build folder above the given program unless WINEPREFIX is set.
use_build_prefix() { # use_build_prefix PROGRAM
  [[ -n "${WINEPREFIX:-}" ]] && return
  local dir
  dir=$(cd "$(dirname "$1")" && pwd)
  while [[ "$dir" != / && ! -f "$dir/CMakeCache.txt" ]]; do dir=$(dirname "$dir"); done
  export WINEPREFIX="$dir/wineprefix"
}

window_named() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }

# The window's id once it shows (up to 20 s); nothing when it does not.
wait_for_window() {
  local id=""
  for _ in $(seq 1 100); do
    id=$(window_named "$1")
    [[ -n "$id" ]] && break
    sleep 0.2
  done
  echo "$id"
}

# Succeeds once no window of that name shows (up to 10 s).
wait_gone() {
  for _ in $(seq 1 50); do
    [[ -z "$(window_named "$1")" ]] && return 0
    sleep 0.2
  done
  return 1
}

# Ends the program started in the background as PID: it has 10 s to end by itself (after its
# Close), then it is killed, by SIGKILL when SIGTERM does not do: a wait on a program that never
# ends would hold the test for ever. Succeeds when it ended by itself.
end_tool() { # end_tool PID
  local ended=1
  for _ in $(seq 1 50); do
    kill -0 "$1" 2>/dev/null || break
    sleep 0.2
  done
  if kill -0 "$1" 2>/dev/null; then
    ended=0
    kill "$1" 2>/dev/null
    sleep 2
    kill -KILL "$1" 2>/dev/null
  fi
  wait "$1" 2>/dev/null
  ((ended))
}

# Keys go to the window itself: without a window manager the X keyboard focus is unreliable.
press() { xdotool key --window "$1" "${@:2}"; sleep 0.3; }

# A Windows path for a host file, through Wine's drive Z:.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
# The probes of the drivers that name them $probe_exe and $stress_exe; a frozen window would
# hold a probe that asks it something for ever. A driver may define its own in their place.
probe() { timeout 20 "$wine_exec" "$probe_exe" "$@" 2>/dev/null | tr -d '\r'; }
stress() { timeout 20 "$wine_exec" "$stress_exe" "$@" 2>/dev/null | tr -d '\r'; }
