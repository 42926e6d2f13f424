#!/usr/bin/env bash
# Starts the editor on a made-up table, opens the Game Data window with Ctrl+D and a data file
# through the real file dialog, reads the strings pane through the clipboard, finds the letters
# by a relative search and applies them, types into a cell and sees the reading change at once. Screenshots go to $2.
set -euo pipefail
editor=$1
shots=$2
suffix=$3  # " - Orvane" and the version, after the path in the title
mkdir -p "$shots"
source "$(dirname "$0")/xvfb.sh"

# Letters A..Z on 10..29 without O (1E), a space on 2A, an end mark on FF.
table="$work/game.tbl"
letters=ABCDEFGHIJKLMNOPQRSTUVWXYZ
for i in $(seq 0 25); do
  [[ ${letters:$i:1} == O ]] && continue
  printf '%02X=%s\r\n' $((0x10 + i)) "${letters:$i:1}"
done >"$table"
printf '2A= \r\n/FF=[end]\r\n' >>"$table"
# Random bytes, then "HELLO WORLD" at 40 after an end mark.
data="$work/game.bin"
head -c 63 /dev/urandom >"$data"
printf '\xff\x17\x14\x1b\x1b\x1e\x2a\x26\x1e\x21\x1b\x13\xff' >>"$data"
head -c 64 /dev/urandom >>"$data"
before=$(od -An -tx1 <"$data")

open_game_data "$table" "$data"
# Go to the string, then copy the strings pane: it is the widget below the hex view.
keys alt+g
xdotool type --delay 40 40
keys Return
eval "$(xdotool getwindowgeometry --shell "$game")"
strings_at() { xdotool mousemove --window "$game" 80 $((HEIGHT * 60 / 100)) click 1; sleep 0.3; }
strings_at
keys ctrl+a ctrl+c
[[ "$(clipboard)" == "00000040: HELL<\$1E> W<\$1E>RLD[end]"* ]] ||
  fail "the strings pane reads '$(clipboard)'"
import -window root "$shots/game-data.png"

# A relative search for WORLD finds the letters at 10 and applies them: O comes to 1E.
keys alt+s
keys alt+w
xdotool type --delay 40 WORLD
keys Return
sleep 1
import -window root "$shots/game-data-search.png"
keys alt+a
sleep 0.5
keys alt+r
keys alt+g
xdotool type --delay 40 40
keys Return
strings_at
keys ctrl+a ctrl+c
[[ "$(clipboard)" == "00000040: HELLO WORLD[end]"* ]] ||
  fail "after the search was applied the strings pane reads '$(clipboard)'"

# Retype the O of cell 1E in the main window: the Game Data window reads it at once, where it
# was.
focus "$window"
keys Down Right $(printf 'Right %.0s' $(seq 13))
keys BackSpace
xdotool type --delay 60 o
sleep 0.5
focus "$game"
strings_at
keys ctrl+a ctrl+c
[[ "$(clipboard)" == "00000040: HELLo WoRLD[end]"* ]] ||
  fail "after typing the strings pane reads '$(clipboard)'"
import -window root "$shots/game-data-filled.png"
[[ "$(od -An -tx1 <"$data")" == "$before" ]] || fail "the data file changed"

focus "$window"
keys ctrl+q
prompt=$(wait_window '^Modified Table$')
[[ -n "$prompt" ]] || fail "no save prompt"
focus "$prompt"
keys alt+n
wait_exit
echo "PASS: real window data test (screenshots in $shots)"
