#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks it the way a desktop reads it: the
# desktop entry, metainfo and MIME package pass their validators and point at each other, every
# file is where the desktop looks for it, and the installed programs run.
set -euo pipefail
cmake=$1
build=$2
app_id=$3
expected_version=$4
desktop_file_validate=$5
appstreamcli=$6
update_mime_database=$7

fail() { echo "FAIL: $*"; exit 1; }
work=$(mktemp -d)
prefix=$work/prefix
# cmake --install rewrites the build's manifest, which may be the record of a real install.
manifest=$build/install_manifest.txt
[[ -f "$manifest" ]] && cp -p "$manifest" "$work/manifest"
cleanup() {
  if [[ -f "$work/manifest" ]]; then mv "$work/manifest" "$manifest"; else rm -f "$manifest"; fi
  rm -rf "$work"
}
trap cleanup EXIT

"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
  fail "cmake --install: $(cat "$work/install.log")"

share=$prefix/share
desktop=$share/applications/$app_id.desktop
metainfo=$share/metainfo/$app_id.metainfo.xml
files=("$prefix/bin/orvane" "$prefix/bin/orvane-tbl" "$desktop" "$metainfo"
  "$share/mime/packages/$app_id.xml" "$share/icons/hicolor/scalable/apps/$app_id.svg"
  "$share/man/man1/orvane-tbl.1.gz" "$share/doc/orvane/copyright")
# The sizes desktops and menus ask the hicolor theme for.
for size in 16 22 24 32 48 64 128 256; do
  files+=("$share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
for file in "${files[@]}"; do
  [[ -s "$file" ]] || fail "not installed: ${file#"$prefix"/}"
done
[[ -x "$prefix/bin/orvane" && -x "$prefix/bin/orvane-tbl" ]] || fail "programs not executable"

# A theme picks an icon by its folder's size, so each PNG must be drawn at that size.
for png in "$share"/icons/hicolor/*x*/apps/*.png; do
  size=$(basename "$(dirname "$(dirname "$png")")")
  [[ "$(file -b "$png")" == "PNG image data, ${size/x/ x }, "* ]] ||
    fail "${png#"$prefix"/} is $(file -b "$png")"
done

# Warnings count as failures: a desktop may silently skip an entry it finds doubtful.
report=$("$desktop_file_validate" "$desktop" 2>&1) || fail "desktop-file-validate: $report"
[[ -z "$report" ]] || fail "desktop-file-validate: $report"
"$appstreamcli" validate --no-net "$metainfo" || fail "appstreamcli validate"

entry() { sed -n "s/^$1=//p" "$desktop"; }
exec_line=$(entry Exec)
[[ -x "$prefix/bin/${exec_line%% *}" ]] || fail "Exec=$exec_line names no installed program"
icon=$(entry Icon)
[[ -f "$share/icons/hicolor/scalable/apps/$icon.svg" ]] || fail "Icon=$icon is not installed"
grep -q "<launchable type=\"desktop-id\">$(basename "$desktop")</launchable>" "$metainfo" ||
  fail "the metainfo does not launch $(basename "$desktop")"

# The type the entry opens must be the one a double-clicked *.tbl gets.
cp -r "$share/mime" "$work/mime"
# With the copy on the data path, the tool has no note to print about finding it.
report=$(XDG_DATA_HOME="$work" XDG_DATA_DIRS="$work" "$update_mime_database" "$work/mime" 2>&1) ||
  fail "update-mime-database: $report"
[[ -z "$report" ]] || fail "update-mime-database: $report"
mime_type=$(entry MimeType)
mime_type=${mime_type%;}
grep -qx "[0-9]*:$mime_type:\*\.tbl" "$work/mime/globs2" ||
  fail "*.tbl is not $mime_type: $(cat "$work/mime/globs2")"
grep -qx "$mime_type text/plain" "$work/mime/subclasses" || fail "$mime_type is not text/plain"

# An editor that ignored the flag would open its window and wait.
version=$(timeout 30 "$prefix/bin/orvane" --version) || fail "orvane --version exited with $?"
[[ "$version" == "$expected_version" ]] || fail "orvane --version printed '$version'"
timeout 30 "$prefix/bin/orvane-tbl" --help >/dev/null || fail "orvane-tbl --help exited with $?"
# font is a module the installed program must find: it, not the program, refuses the offset.
printf x >"$work/font.bin"
font_err=$(timeout 60 "$prefix/bin/orvane-tbl" font "$work/font.bin" --format 1bpp --size 8x8 \
  --from 10 --count 1 --code 88 2>&1) && font_rc=0 || font_rc=$?
[[ $font_rc -eq 2 && "$font_err" == *"past the end"* ]] || fail "orvane-tbl font: $font_err"
echo "PASS: installed files in place and valid"
