#!/usr/bin/env bash
# Makes the user's archive build/package/velandrimour-<version>-win64.zip: the program, the
# example configuration and readme.txt. The same sources give the same bytes every time.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

install_missing_packages
configure_and_build --target package_files
(cd "$BUILD_DIR" && cpack >/dev/null)
for archive in "$BUILD_DIR"/package/velandrimour-*.zip; do
    echo "$archive: $(stat -c %s "$archive") bytes"
    unzip -Z1 "$archive" | sed 's/^/  /'
done
