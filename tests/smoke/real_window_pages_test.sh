#!/usr/bin/env bash
# Starts the editor on a Shift-JIS table with a two-byte code, goes to the code's page with
# Ctrl+PgDn, types kana into an empty cell there and saves: the file gains one line, in its
# place, and nothing else changes. Screenshots go to $2.
set -euo pipefail
editor=$1
shots=$2
suffix=$3  # " - Orvane" and the version, after the path in the title
mkdir -p "$shots"
source "$(dirname "$0")/xvfb.sh"

table="$work/kanji.tbl"
printf '41=A\r\n; kanji\r\n8140=\x88\x9f\r\n' >"$table"

"$editor" "$table" >"$work/editor.log" 2>&1 &
app=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name "$suffix" | head -1)
[[ -n "$window" ]] || fail "no window"
keys() { xdotool key --delay 60 "$@"; sleep 0.3; }
focus "$window"

# The page of lead byte 81, its second cell, Hiragana, "ka".
keys ctrl+Next Right ctrl+h
xdotool type --delay 60 ka
sleep 0.3
import -window root "$shots/page-81.png"
keys ctrl+s
expected=$(printf '; kanji\r\n8101=\x82\xa9\r\n8140=\x88\x9f\r\n41=A\r\n' | od -An -tx1)
actual=$(od -An -tx1 <"$table")
[[ "$actual" == "$expected" ]] || fail "saved bytes:$actual expected:$expected"
keys ctrl+q
wait_exit
echo "PASS: real window pages test (screenshots in $shots)"
