#!/usr/bin/env bash
# Builds what is missing and checks a configuration file with velandrimour-check under Wine:
# the shipped example by default. Other options go to the checker as they are.
#   scripts/check.sh [INI] [--fix] [--show[=PATH]] [--screens=SHEET.png] [--json] [--associations]
#                    [--path-length=N] [--help]
# --fix rewrites INI in place as the device reads it (a backup stays beside it as INI.bak, or
# INI.2.bak and on when an older backup holds other bytes).
# Its output is UTF-8 (the checker writes UTF-8 to a pipe); its exit status is the checker's.
set -uo pipefail
. "$(dirname "$0")/lib.sh"

install_missing_packages >&2 || exit 2
mkdir -p "$BUILD_DIR"
[ -f "$BUILD_DIR/velandrimour-check.exe" ] ||
    echo "Building velandrimour-check (the first time takes about a minute)..." >&2
if ! configure_and_build --target velandrimour_check >"$BUILD_DIR/check-build.log" 2>&1; then
    cat "$BUILD_DIR/check-build.log" >&2
    exit 2
fi

OPTIONS=()
INI=""
for argument in "$@"; do
    case "$argument" in
    -*) OPTIONS+=("$argument") ;;
    *) if [ -z "$INI" ]; then INI=$argument; else OPTIONS+=("$argument"); fi ;;
    esac
done
# Wine takes a Unix path, absolute or relative to the current folder, and the checker names
# the file as it was given, so that an editor in this folder can jump to its lines.
[ -n "$INI" ] || INI=$ROOT_DIR/velandrimour.ini

trap finish_wine EXIT
prepare_wine >&2  # only what it makes the first time: the Wine prefix
"$WINE" "$BUILD_DIR/velandrimour-check.exe" "${OPTIONS[@]}" "$INI" </dev/null | cat
status=${PIPESTATUS[0]}
finish_wine
trap - EXIT
exit "$status"
