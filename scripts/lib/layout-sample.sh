#!/usr/bin/env bash
# Lays out the sample data beside Tabvane.exe: com_list.txt, ga_list.txt, transforms/*.bat and a
# settings file Tabvane.dat (edit mode off), all Shift-JIS with CR LF line ends.
#   scripts/lib/layout-sample.sh DEST [WINDOWS_DIR]
#   scripts/lib/layout-sample.sh --package DEST VERSION
# DEST is the app folder on this machine; WINDOWS_DIR is the same folder as Windows programs see
# it (default: Z: followed by DEST's absolute path, Wine's mapping of the root). The sources in
# tools/sample are UTF-8 with LF; the %APPDIR% in them becomes WINDOWS_DIR.
# --package lays out the text files of the release instead: "%APPDIR%\" is dropped, so the
# menus name the transforms relative to the app folder (the user may unpack anywhere), the guide
# 使い方.txt (its @TABVANE_VERSION@ replaced by VERSION) and LICENSE.txt are added, and no
# settings file is written.
set -euo pipefail

package=0
if [ "${1:-}" = --package ]; then package=1; shift; fi
[ $# -ge $((1 + package)) ] ||
  { echo "usage: layout-sample.sh DEST [WINDOWS_DIR] | --package DEST VERSION" >&2; exit 2; }
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
src="$root/tools/sample"
mkdir -p "$1/transforms"
dest=$(cd "$1" && pwd)
placeholder='%APPDIR%'
version=
if [ "$package" = 1 ]; then
  placeholder="%APPDIR%\\"
  win=
  version=$2
else
  win=${2:-Z:${dest//\//\\}}
  win=${win%\\}
fi

# convert SOURCE TARGET: the placeholders replaced, LF to CR LF, UTF-8 to code page 932.
convert() {
  PLACEHOLDER="$placeholder" APPDIR="$win" VERSION="$version" awk '
    function replace(line, from, to,   out, i) {
      out = ""
      while ((i = index(line, from)) > 0) {
        out = out substr(line, 1, i - 1) to; line = substr(line, i + length(from))
      }
      return out line
    }
    {
      line = replace($0, ENVIRON["PLACEHOLDER"], ENVIRON["APPDIR"])
      printf "%s\r\n", replace(line, "@TABVANE_VERSION@", ENVIRON["VERSION"])
    }' "$1" | iconv -f UTF-8 -t CP932 >"$2.part"
  mv "$2.part" "$2"
}

convert "$src/com_list.txt" "$dest/com_list.txt"
convert "$src/ga_list.txt" "$dest/ga_list.txt"
for bat in "$src"/transforms/*.bat; do
  convert "$bat" "$dest/transforms/$(basename "$bat")"
done

if [ "$package" = 1 ]; then
  convert "$src/使い方.txt" "$dest/使い方.txt"
  convert "$root/LICENSE" "$dest/LICENSE.txt"
  exit 0
fi

# Settings: main window right of the host, both dialogs below the host, refresh every 500 ms,
# host not maximized, key preview, last folder the transforms, no minimize, edit mode off.
printf '%s\n' 620 20 387 483 250 330 500 0 1 "%APPDIR%\\transforms" 0 0 250 330 >"$dest/Tabvane.dat.src"
convert "$dest/Tabvane.dat.src" "$dest/Tabvane.dat"
rm -f "$dest/Tabvane.dat.src"
