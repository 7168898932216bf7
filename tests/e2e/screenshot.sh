#!/usr/bin/env bash
# Saves screenshots/launcher.png in the build tree: the launcher with six Cyrillic buttons
# and its menu bar, as a Pocket PC user sees it; and screenshots/check-window.png, the
# checker's window on docs/faulty.ini dropped on it. Runs inside the tests' Wine session.
set -euo pipefail
. "$(dirname "$0")/../../scripts/lib.sh"

SHOT_DIR=$BUILD_DIR/screenshots
mkdir -p "$SHOT_DIR"
cp "$BUILD_DIR/velandrimour.exe" "$SHOT_DIR/"
printf '%s\r\n' '[txt]' 'Блокнот;notepad;%1' 'Калькулятор;calc;' 'Проводник;explorer;' \
    'Почта;mail;%1' 'Книги;reader;%1' 'Подменю;menu;инструменты' |
    iconv -f UTF-8 -t CP1251 >"$SHOT_DIR/velandrimour.ini"
png=$(screenshot_launcher "$SHOT_DIR" "$SHOT_DIR/launcher.png" 'C:\My Documents\письмо.txt')
size=$(/usr/bin/convert "$png" -format '%w %h %k' info:)
echo "$png: $size (width, height, colours)"
read -r width height colours <<<"$size"
# The 240-pixel client area in its frame, the six rows and the bar; text in several shades.
[ "$width" -ge 240 ] && [ "$width" -le 260 ] && [ "$height" -ge 294 ] && [ "$colours" -gt 4 ] ||
    { echo "the launcher's screenshot is not its window" >&2; exit 1; }

# The checker's window: its buttons, findings and screens, in several shades.
cp "$ROOT_DIR/docs/faulty.ini" "$SHOT_DIR/faulty.ini"
png=$(screenshot_program "$BUILD_DIR/velandrimour-check.exe" "$SHOT_DIR/check-window.png" \
    "\"$(wine_path "$SHOT_DIR/faulty.ini")\"")
size=$(/usr/bin/convert "$png" -format '%w %h %k' info:)
echo "$png: $size (width, height, colours)"
read -r width height colours <<<"$size"
[ "$width" -ge 400 ] && [ "$height" -ge 300 ] && [ "$colours" -gt 4 ]
