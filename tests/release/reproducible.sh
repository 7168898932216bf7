#!/usr/bin/env bash
# Builds the package twice from these sources, in two fresh build folders, and compares the
# archives byte for byte: no build time, path or order may reach them.
# Arguments: the source folder, the toolchain file, the archive's expected file name.
set -euo pipefail
source_dir=$1 toolchain=$2 archive=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/velandrimour-reproducible.XXXXXX")
trap 'rm -rf "$work"' EXIT

for build in first second; do
    cmake -S "$source_dir" -B "$work/$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" >/dev/null
    cmake --build "$work/$build" --target package_files >/dev/null
    (cd "$work/$build" && cpack >/dev/null)
    # Apart in time, as two builds are: a file time that leaked in would differ.
    [ $build = first ] && sleep 2
done
sums=$(cd "$work" && sha256sum first/package/"$archive" second/package/"$archive")
echo "$sums"
unzip -l "$work/first/package/$archive"
[ "$(awk '{print $1}' <<<"$sums" | uniq | wc -l)" = 1 ] || {
    echo "the two archives differ" >&2
    exit 1
}
