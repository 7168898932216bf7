#!/usr/bin/env bash
# Builds what is missing and starts the launcher under Wine for the file given, or without
# one (quick launch). Without an X display it saves a screenshot of it and prints its path.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

install_missing_packages
configure_and_build

RUN_DIR=$BUILD_DIR/run
mkdir -p "$RUN_DIR"
cp "$BUILD_DIR/velandrimour.exe" "$RUN_DIR/"
# The example configuration, unless the one there is newer (edited from the launcher's menu).
cp -u "$ROOT_DIR/velandrimour.ini" "$RUN_DIR/"

ARGUMENT=()
[ $# -eq 0 ] || ARGUMENT=("$(launcher_argument "$1")")

trap finish_wine EXIT
prepare_wine
if [ "${VELANDRIMOUR_VIRTUAL_DISPLAY:-}" = 1 ]; then
    screenshot_launcher "$RUN_DIR" "$RUN_DIR/velandrimour.png" "${ARGUMENT[@]}"
else
    "$WINE" "$LAUNCH_TOOL" run "$(wine_path "$RUN_DIR/velandrimour.exe")" "${ARGUMENT[@]}" </dev/null
fi
