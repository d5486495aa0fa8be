#!/usr/bin/env bash
# Usage: run-with-trusted-ca.sh CA.pem COMMAND [ARGS...]
# Runs the command with the test authority trusted, and the machine left as it was: Wine takes
# its trusted roots from the host's certificate bundle, so the command runs in a mount namespace
# of its own in which a copy of /etc/ssl/certs, with the authority added, stands in for the real
# one. Its own Wine server is started in there too; TOLVAN_TEST_CA_TRUSTED=1 tells the tests.
set -euo pipefail
if [[ "${1:-}" == --inside ]]; then
  shift
  copy=$1
  shift
  mount --bind "$copy" /etc/ssl/certs
  wineserver -k 2>/dev/null || true
  export TOLVAN_TEST_CA_TRUSTED=1
  status=0
  "$@" || status=$?
  wineserver -k 2>/dev/null || true
  exit $status
fi
authority=$1
shift
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
cp -rL /etc/ssl/certs/. "$copy/" 2>/dev/null || true
cat "$authority" >>"$copy/ca-certificates.crt"
unshare --mount --propagation private "$0" --inside "$copy" "$@"
