#!/usr/bin/env bash
# Lays out the sample data beside Tabvane.exe: com_list.txt, ga_list.txt, transforms/*.bat and a
# settings file Tabvane.dat (edit mode off), all Shift-JIS with CR LF line ends.
#   scripts/lib/layout-sample.sh DEST [WINDOWS_DIR]
# DEST is the app folder on this machine; WINDOWS_DIR is the same folder as Windows programs see
# it (default: Z: followed by DEST's absolute path, Wine's mapping of the root). The sources in
# tools/sample are UTF-8 with LF; the %APPDIR% in them becomes WINDOWS_DIR.
set -euo pipefail

[ $# -ge 1 ] || { echo "usage: layout-sample.sh DEST [WINDOWS_DIR]" >&2; exit 2; }
src="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/tools/sample"
mkdir -p "$1/transforms"
dest=$(cd "$1" && pwd)
win=${2:-Z:${dest//\//\\}}
win=${win%\\}

# convert SOURCE TARGET: %APPDIR% replaced, LF to CR LF, UTF-8 to code page 932.
convert() {
  APPDIR="$win" awk '{
      line = $0; out = ""
      while ((i = index(line, "%APPDIR%")) > 0) {
        out = out substr(line, 1, i - 1) ENVIRON["APPDIR"]; line = substr(line, i + 8)
      }
      printf "%s\r\n", out line
    }' "$1" | iconv -f UTF-8 -t CP932 >"$2.part"
  mv "$2.part" "$2"
}

convert "$src/com_list.txt" "$dest/com_list.txt"
convert "$src/ga_list.txt" "$dest/ga_list.txt"
for bat in "$src"/transforms/*.bat; do
  convert "$bat" "$dest/transforms/$(basename "$bat")"
done

# Settings: main window right of the host, both dialogs below the host, refresh every 500 ms,
# host not maximized, key preview, last folder the transforms, no minimize, edit mode off.
printf '%s\n' 620 20 387 483 250 330 500 0 1 "%APPDIR%\\transforms" 0 0 250 330 >"$dest/Tabvane.dat.src"
convert "$dest/Tabvane.dat.src" "$dest/Tabvane.dat"
rm -f "$dest/Tabvane.dat.src"
