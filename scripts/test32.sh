#!/usr/bin/env bash
# The 32-bit build, i686 as the device is, in build32/: installs what it needs (the i686
# compiler, and wine32 from the i386 architecture, added if missing), builds, and runs its
# tests under 32-bit Wine in the build's own prefix. On a machine that starts no 32-bit
# program it builds only, says so in one line and succeeds.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
select_32bit_build

install_missing_packages $PACKAGES_32BIT_BUILD
if ! can_run_32bit; then
    # Built all the same: the record sizes the device needs are checked as it compiles.
    configure_and_build
    echo "The 32-bit tests did not run: this machine does not start 32-bit programs ($RUNS_32BIT_ERROR); the 32-bit build was only compiled."
    exit 0
fi
install_missing_packages $PACKAGES_32BIT_WINE
configure_and_build
run_tests
