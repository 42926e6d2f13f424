#!/usr/bin/env bash
# Start-up of the whole editor process, from exec to its window on the screen, and its memory
# then, against a bare Qt window holding an empty 17 x 17 table, under Xvfb, in turns.
# Usage: bench/startup_process.sh BIN_DIR [RUNS]   (BIN_DIR holds orvane and startup_reference)
set -euo pipefail
bin=$1
runs=${2:-15}
work=$(mktemp -d)
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 150); do [[ -s "$work/display" ]] && break; sleep 0.1; done
export DISPLAY=":$(head -1 "$work/display")"
export HOME="$work"  # no stored settings of the user's

# Milliseconds from exec until the window is visible, then its resident kilobytes.
measure() {
  local start pid end rss
  start=$(date +%s%N)
  "$1" >/dev/null 2>&1 &
  pid=$!
  xdotool search --sync --onlyvisible --name "$2" >/dev/null
  end=$(date +%s%N)
  sleep 0.5
  rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  echo "$(( (end - start) / 1000000 )) $rss"
}

median() { sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }

for _ in $(seq "$runs"); do
  measure "$bin/orvane" Orvane >>"$work/orvane"
  measure "$bin/startup_reference" Reference >>"$work/reference"
done
for name in orvane reference; do
  echo "$name: $(cut -d' ' -f1 "$work/$name" | median) ms to its window," \
    "$(cut -d' ' -f2 "$work/$name" | median) kB resident"
done
awk 'NR == FNR {t[FNR] = $1; m[FNR] = $2; next} {rt += t[FNR] / $1; rm += m[FNR] / $2; n++}
     END {printf "orvane / reference: time %.2f, memory %.2f (mean of the runs)\n", rt / n, rm / n}' \
  "$work/orvane" "$work/reference"
