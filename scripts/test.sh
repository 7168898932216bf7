#!/usr/bin/env bash
# Installs the packages the build needs (only those missing), builds, and runs every test:
# the 64-bit build's, the fuzzing's quick run, then the 32-bit build's (scripts/test32.sh).
set -euo pipefail
. "$(dirname "$0")/lib.sh"

install_missing_packages
configure_and_build
run_tests

if [ -x "$ROOT_DIR/tests/fuzz/run.sh" ]; then
    "$ROOT_DIR/tests/fuzz/run.sh" --quick
fi

# The device is 32-bit: the same tests on an i686 build under 32-bit Wine; on a machine
# that starts no 32-bit program, the build alone and one line that says so.
bash "$ROOT_DIR/scripts/test32.sh"
