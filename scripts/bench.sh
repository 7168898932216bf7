#!/usr/bin/env bash
# Builds what is missing, then prints the start-up benchmark (rounds as the argument, default
# 200), the configuration load benchmark and velandrimour-check --screens beside its plain check
# (a tenth of the rounds), with the machine's load before and after: the
# figures mean little on a busy machine.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

ROUNDS=${1:-200}
case "$ROUNDS" in
'' | *[!0-9]* | 0) echo "usage: scripts/bench.sh [rounds]: rounds must be a positive number (default 200)" >&2; exit 2 ;;
esac

install_missing_packages
configure_and_build
trap finish_wine EXIT
prepare_wine

echo "load before: $(uptime); $(nproc) cores"
echo
# One benchmark that fails does not hide the other's figures.
status=0
"$WINE" "$BUILD_DIR/tests/bench/startup_bench.exe" "$ROUNDS" </dev/null || status=$?
echo
"$WINE" "$BUILD_DIR/tests/bench/config_load_bench.exe" </dev/null || status=$?
echo
"$WINE" "$BUILD_DIR/tests/bench/screens_bench.exe" "$(( (ROUNDS + 9) / 10 ))" </dev/null || status=$?
echo
echo "load after: $(uptime); $(nproc) cores"
exit "$status"
