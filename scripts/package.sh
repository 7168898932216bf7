#!/usr/bin/env bash
# Makes the user's archives, build/package/velandrimour-<version>-win64.zip and
# build32/package/velandrimour-<version>-win32.zip: the program, the example configuration
# and readme.txt. The same sources give the same bytes every time.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

install_missing_packages $PACKAGES_32BIT_BUILD
archives=()
for width in 64 32; do
    [ $width = 32 ] && select_32bit_build
    configure_and_build --target package_files >/dev/null
    (cd "$BUILD_DIR" && cpack >/dev/null)
    archives+=("$BUILD_DIR"/package/velandrimour-*-win$width.zip)
done
for archive in "${archives[@]}"; do
    echo "$archive: $(stat -c %s "$archive") bytes"
    unzip -Z1 "$archive" | sed 's/^/  /'
done
