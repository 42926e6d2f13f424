#!/usr/bin/env bash
# Starts the editor under Xvfb, types a kana and a letter, saves through the real file dialog,
# checks the file's bytes, checks that key combinations type nothing, then quits through the
# save prompt. Screenshots go to $2 for a look.
set -euo pipefail
editor=$1
shots=$2
start_title=$3                # the title of a new table, with the version
suffix=${start_title#Unnamed}  # " - Orvane" and the version, after every path
mkdir -p "$shots"
source "$(dirname "$0")/xvfb.sh"

"$editor" >"$work/editor.log" 2>&1 &
app=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name "$suffix" | head -1)
[[ -n "$window" ]] || fail "no window"
title=$(xdotool getwindowname "$window")
[[ "$title" == "$start_title" ]] || fail "title is '$title'"

focus "$window"
# Hiragana mode, k a into code 00; then ASCII mode, A into code 01.
xdotool key ctrl+h
xdotool type --delay 80 ka
xdotool key Right ctrl+a
xdotool type --delay 80 A
sleep 0.5
import -window root "$shots/typed.png"

# Save: the dialog starts with "Unnamed" in its name box; replace it with our path.
table="$work/typed.tbl"
xdotool key ctrl+s
dialog=$(wait_window '^Save')
[[ -n "$dialog" ]] || fail "no save dialog"
focus "$dialog"
import -window root "$shots/save-dialog.png"
xdotool key ctrl+a
xdotool type --delay 20 "$table"
xdotool key Return
for _ in $(seq 150); do [[ -f "$table" ]] && break; sleep 0.2; done
[[ -f "$table" ]] || fail "the table was not saved"
expected=$(printf '00=\xa4\xab\r\n01=A\r\n' | od -An -tx1)
actual=$(od -An -tx1 <"$table")
[[ "$actual" == "$expected" ]] || fail "saved bytes:$actual expected:$expected"
title=$(xdotool getwindowname "$window")
[[ "$title" == "$table$suffix" ]] || fail "title after save is '$title'"

# Key combinations that are no shortcut type nothing: a save afterwards leaves the file as it was.
focus "$window"
xdotool key alt+z ctrl+1 super+x
xdotool key ctrl+s
sleep 0.5
actual=$(od -An -tx1 <"$table")
[[ "$actual" == "$expected" ]] || fail "Alt+Z, Ctrl+1 or Super+X typed into the table:$actual"
title=$(xdotool getwindowname "$window")
[[ "$title" == "$table$suffix" ]] || fail "a key combination opened something: '$title'"

# A change, then Quit: the save prompt appears; No closes without saving.
focus "$window"
xdotool key Right
xdotool type --delay 80 B
xdotool key ctrl+q
prompt=$(wait_window '^Modified Table$')
[[ -n "$prompt" ]] || fail "no save prompt"
focus "$prompt"
import -window root "$shots/save-prompt.png"
xdotool key alt+n
wait_exit
actual=$(od -An -tx1 <"$table")
[[ "$actual" == "$expected" ]] || fail "No at the prompt still wrote the file"
echo "PASS: real window smoke test (screenshots in $shots)"
