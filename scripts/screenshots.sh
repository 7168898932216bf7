#!/usr/bin/env bash
# Refreshes the README's pictures in docs/ from the real program under Wine, taken the way
# the tests take them: the launcher with six buttons, the About dialog, the checker's window
# on docs/faulty.ini, and the example's every screen as velandrimour-check --screens draws them.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

install_missing_packages
configure_and_build
trap finish_wine EXIT
prepare_wine

SHOT_DIR=$BUILD_DIR/screenshots
rm -f "$SHOT_DIR/launcher.png" "$SHOT_DIR/about.png" "$SHOT_DIR/check-window.png"
bash "$ROOT_DIR/tests/e2e/screenshot.sh" >/dev/null
"$WINE" "$BUILD_DIR/tests/e2e/launcher_e2e.exe" \
    --gtest_filter='RegistrationE2E.AboutShowsItsLinesAndClosesOnlyOnDone' </dev/null >/dev/null
mkdir -p "$ROOT_DIR/docs"
for name in launcher about check-window; do
    cp "$SHOT_DIR/$name.png" "$ROOT_DIR/docs/$name.png"
    echo "$ROOT_DIR/docs/$name.png"
done
"$WINE" "$BUILD_DIR/velandrimour-check.exe" "--screens=$(wine_path "$ROOT_DIR/docs/screens.png")" \
    "$ROOT_DIR/velandrimour.ini" </dev/null >/dev/null
echo "$ROOT_DIR/docs/screens.png"
