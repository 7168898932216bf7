#!/usr/bin/env bash
# Installs the packages the build needs (only those missing), builds, and runs every test.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

install_missing_packages
configure_and_build
trap finish_wine EXIT
prepare_wine
ctest --test-dir "$BUILD_DIR" --output-on-failure --timeout 900
finish_wine
trap - EXIT

if [ -x "$ROOT_DIR/tests/fuzz/run.sh" ]; then
    "$ROOT_DIR/tests/fuzz/run.sh" --quick
fi
