#!/usr/bin/env bash
# Writes a UTF-8 text file as the device's editors write text: code page 1251, CR LF.
set -euo pipefail
iconv -f UTF-8 -t CP1251 "$1" | sed 's/$/\r/' >"$2.part"
mv "$2.part" "$2"
