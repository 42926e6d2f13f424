#!/usr/bin/env bash
# Starts the editor on a Shift-JIS table named on its command line, reads cells through the
# clipboard as a user sees them, then copies, pastes, fills and types, undoes all of it, redoes
# the paste and saves: the file is the table with that one cell changed. Undo and redo back to
# the saved state leave nothing to save, so Quit asks nothing. Screenshots go to $2.
set -euo pipefail
editor=$1
shots=$2
suffix=$3  # " - Orvane" and the version, after the path in the title
mkdir -p "$shots"
source "$(dirname "$0")/xvfb.sh"

# あ, か and ア in Shift-JIS, in the order a save writes the lines.
table="$work/kana.tbl"
printf '00=x\r\n41=A\r\nF0=\x82\xa0\r\nF1=\x82\xa9\r\nF2=\x83\x41\r\n' >"$table"
before=$(od -An -tx1 <"$table")

"$editor" "$table" >"$work/editor.log" 2>&1 &
app=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name "$suffix" | head -1)
[[ -n "$window" ]] || fail "no window"
title=$(xdotool getwindowname "$window")
[[ "$title" == "$table$suffix" ]] || fail "title is '$title', not the file's"

keys() { xdotool key --delay 60 "$@"; sleep 0.3; }
clipboard() { xclip -o -selection clipboard 2>/dev/null || true; }
focus "$window"
import -window root "$shots/shift-jis.png"

# The grid reads the table as Shift-JIS: Copy gives what the cells show.
keys $(printf 'Down %.0s' $(seq 15)) ctrl+c
[[ "$(clipboard)" == "あ" ]] || fail "cell F0 reads '$(clipboard)'"
keys Right ctrl+c
[[ "$(clipboard)" == "か" ]] || fail "cell F1 reads '$(clipboard)'"

# Paste か into F3, fill digits from there (toolbar button 10), type into the next cell.
keys Right Right ctrl+v
xdotool mousemove --window "$window" 205 34 click 1
sleep 0.3
xdotool type --delay 60 z
sleep 0.3
import -window root "$shots/edited.png"
# The fill moved the cursor past its ten digits: z went into FD.
keys ctrl+c
[[ "$(clipboard)" == "z" ]] || fail "the fill did not run: the cursor's cell reads '$(clipboard)'"
# Undo the typing, the fill and the paste; redo the paste; save.
keys ctrl+z ctrl+z ctrl+z ctrl+y ctrl+s
expected=$(printf '00=x\r\n41=A\r\nF0=\x82\xa0\r\nF1=\x82\xa9\r\nF2=\x83\x41\r\nF3=\x82\xa9\r\n' |
  od -An -tx1)
actual=$(od -An -tx1 <"$table")
[[ "$actual" == "$expected" ]] || fail "saved bytes:$actual expected:$expected (before:$before)"

# Away from the saved state and back: nothing to save, so Quit closes without a question.
keys ctrl+z ctrl+y ctrl+q
wait_exit
actual=$(od -An -tx1 <"$table")
[[ "$actual" == "$expected" ]] || fail "the file changed after the save"
echo "PASS: real window tables test (screenshots in $shots)"
