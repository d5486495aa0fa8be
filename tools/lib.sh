# Shared by the tools: the repository root and the Debian packages the build and tests need.
# shellcheck shell=bash

TOLVAN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Installs whichever of the given Debian packages are missing (one apt run for all of them).
tolvan_require_packages() {
  local missing=()
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$package")
  done
  ((${#missing[@]} == 0)) && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [[ $(id -u) == 0 ]] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
}

# What building for Windows and running the result under Wine and Xvfb takes.
TOLVAN_WINDOWS_PACKAGES=(
  cmake ninja-build
  mingw-w64 g++-mingw-w64-x86-64-posix
  wine wine64 fonts-wine fonts-liberation
  xvfb xauth imagemagick xdotool
)

# What the native build and tests take (the fixture programs are made by the MinGW-w64 tools, and
# signed by osslsigncode with a test authority that openssl makes).
TOLVAN_NATIVE_PACKAGES=(
  cmake ninja-build g++ libgtest-dev googletest mingw-w64
  osslsigncode openssl python3
)

# What the static analysis takes (tools/analyse).
TOLVAN_ANALYSIS_PACKAGES=(
  clang-tidy cppcheck python3
)

# What the fuzz run takes: clang with libFuzzer and the sanitizer runtimes.
TOLVAN_FUZZ_PACKAGES=(
  clang libclang-rt-14-dev
)
