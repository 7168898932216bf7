#!/usr/bin/env bash
# The 32-bit build, i686 as the device is, in build32/: installs what it needs (the i686
# compiler, and wine32 from the i386 architecture, added if missing), builds, and runs its
# tests under 32-bit Wine in the build's own prefix.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
select_32bit_build

install_missing_packages $PACKAGES_32BIT_BUILD $PACKAGES_32BIT_WINE
configure_and_build
run_tests
