#!/usr/bin/env bash
# Both programs started from Linux the way the scripts start them, in a folder whose name has
# Cyrillic letters and blanks: the paths and the Russian text cross intact both ways, --fix
# gives iconv's very bytes from UTF-16 and keeps a link a link and a file's mode, and the
# program a button starts gets the real path. Runs inside the tests' Wine session.
set -euo pipefail
. "$(dirname "$0")/../../scripts/lib.sh"

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
DIR="$WORK/Мои файлы/настройка КПК"
INI="$DIR/мой файл.ini"
mkdir -p "$DIR" "$WORK/настоящие"
fail() {
    echo "FAILED: $*" >&2
    exit 1
}
check() { "$WINE" "$BUILD_DIR/velandrimour-check.exe" "$@" </dev/null; }

TEXT=$'[txt]\nЗапись;recorder;%1\nЕщё;menu;ещё\n{ещё}\nЧасы;clock;\n[*]\nЧасы;clock;%1\n[]\nЧасы;clock;\n'
printf '%s' "$TEXT" | sed 's/$/\r/' | iconv -f UTF-8 -t CP1251 >"$WORK/expected"

fix() {
    check --fix "$1" >/dev/null && cmp "$1" "$WORK/expected" || fail "--fix $1: not iconv's bytes"
}
# UTF-8 with LF as a Linux editor writes it; UTF-16 with either mark, in a file of mode 0600 and
# through a link.
printf '%s' "$TEXT" >"$INI"
out=$(check "$INI") || true
grep -qF "$INI:2:1: warning: Файл сохранён в UTF-8" <<<"$out" || fail "the plain check: $out"
fix "$INI"
(printf '\xfe\xff' && printf '%s' "$TEXT" | iconv -f UTF-8 -t UTF-16BE) >"$INI"
chmod 600 "$INI"
fix "$INI"
[ "$(stat -c %a "$INI")" = 600 ] || fail "mode $(stat -c %a "$INI"), not 600"
(printf '\xff\xfe' && printf '%s' "$TEXT" | iconv -f UTF-8 -t UTF-16LE) >"$WORK/настоящие/цель.ini"
ln -s "../../настоящие/цель.ini" "$DIR/ссылка.ini"
fix "$DIR/ссылка.ini"
[ -L "$DIR/ссылка.ini" ] || fail "the link became a file"
out=$(check "$WORK/expected" '--show=C:\Документы\a.txt')
grep -qF '1. «Запись»: команда «recorder», параметры «C:\Документы\a.txt»' <<<"$out" || fail "--show: $out"

# The launcher beside the file; a second start without a file presses its first button.
cp "$BUILD_DIR/velandrimour.exe" "$BUILD_DIR/tests/e2e/recorder.exe" "$DIR/"
cp "$WORK/expected" "$DIR/velandrimour.ini"
: >"$DIR/мой файл.txt"
"$WINE" "$LAUNCH_TOOL" show "$(wine_path "$DIR/velandrimour.exe")" "$(wine_path "$WORK/window.txt")" \
    "$(launcher_argument "$DIR/мой файл.txt")" </dev/null || fail "the launcher did not show"
"$WINE" "$DIR/velandrimour.exe" </dev/null
for _ in $(seq 50); do [ -s "$DIR/started.log" ] && break || sleep 0.2; done
read -r pid _ <"$WORK/window.txt"
"$WINE" "$LAUNCH_TOOL" close "$pid" </dev/null >/dev/null || true
received=$(cut -f1 "$DIR/started.log" 2>/dev/null || true)
[ "$received" = "$(wine_path "$DIR/мой файл.txt")" ] || fail "the started program received: $received"
echo "paths, Russian text, UTF-16, a link and a mode crossed intact"
