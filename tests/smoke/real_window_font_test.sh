#!/usr/bin/env bash
# Starts the editor on a made-up game's table whose kana are typed, opens its data in the Game
# Data window and builds the table from the font in the Font tab: the kana as 2bpp tiles, then
# the kanji as 1bpp rows, each recognised, filled from the font, the kanji's order fitted, a few
# glyphs corrected by hand (romaji, paste), saved; the saved file must be the whole table.
# Screenshots go to $3.
set -euo pipefail
editor=$1
made_up_game=$2
shots=$3
suffix=$4  # " - Orvane" and the version, after the path in the title
mkdir -p "$shots"
source "$(dirname "$0")/xvfb.sh"

"$made_up_game" "$work" >"$work/made_up.log" 2>&1 || fail "no made-up game: $(cat "$work/made_up.log")"
data="$work/game.bin"
table="$work/game.tbl"

open_game_data "$table" "$data"
keys alt+n

# The format, the first glyph's offset and code: the glyphs line up with the table's kana.
font_at() {  # FORMAT_STEPS OFFSET CODE
  keys alt+m $1
  keys alt+a ctrl+a
  xdotool type --delay 40 "$2"
  keys alt+d ctrl+a
  xdotool type --delay 40 "$3"
}
# Fills from the font once the recognition has ended, with the cursor on a code the fill
# writes; the main window's Copy tells when it has.
fill_until() {  # TEXT
  for _ in $(seq 60); do
    focus "$game"
    keys alt+f
    focus "$window"
    keys ctrl+c
    [[ "$(clipboard)" == "$1" ]] && return 0
    sleep 1
  done
  import -window root "$shots/font-not-filled.png"
  fail "Fill from Font wrote no $1 (the cell holds '$(clipboard)')"
}
# Moves the cursor from the glyph it is on, clears the cell and pastes the text there.
paste_at() {  # RIGHTS TEXT
  focus "$game"
  keys alt+l $(printf 'Right %.0s' $(seq "$1"))
  printf '%s' "$2" | xclip -selection clipboard
  keys BackSpace ctrl+v
}

# 83 kana and a blank: what follows them is not kana.
font_at "Down Down Down" 100 8000
keys alt+u ctrl+a
xdotool type --delay 40 84
import -window root "$shots/font-kana.png"
keys alt+i
keys alt+l Right $(printf 'Right %.0s' $(seq 10))
fill_until か
# き was typed as ぎ: typed again in romaji over the glyph.
keys ctrl+h
focus "$game"
keys alt+l Right Right BackSpace
xdotool type --delay 60 ki
sleep 0.4

font_at "Up Up Up" 1600 8100
keys alt+u ctrl+a
xdotool type --delay 40 41
keys alt+i
keys alt+l Right
fill_until 亜
focus "$game"
keys alt+t
import -window root "$shots/font-fit.png"
keys alt+p
# Read as a variant of it, and a heart the game draws itself, no JIS character.
paste_at 18 鯵
paste_at 22 ♥
import -window root "$shots/font-done.png"

focus "$window"
keys ctrl+s
sleep 0.5
cmp "$table" "$work/expected.tbl" || {
  diff <(tr -d '\r' <"$table") <(tr -d '\r' <"$work/expected.tbl") || true
  fail "the saved table is not the whole one"
}
keys ctrl+q
wait_exit
echo "PASS: real window font test (screenshots in $shots)"
