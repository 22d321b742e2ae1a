#!/bin/sh
# The user manual against the build: its screenshots are made again by scripts/screenshots from the
# current build, every picture and link in it resolves, and every menu item the add-in creates (as
# docs/shots/menus.scn prints them) is the title of one of its headings.
#   manual.sh SOURCE_DIR BUILD_DIR WORK_DIR
set -eu
source=$1 build=$2 work=$3
manual=$source/docs/RvlHelp.html
rm -rf "$work"
RAVELIN_BUILD=$build "$source/scripts/screenshots" "$work" >/dev/null
failed=0
fail() { echo "manual: $*" >&2; failed=1; }

# Every picture the manual shows is committed, copied beside the add-in and made again just now; every
# shot made is shown.
images=$(grep -o 'src="[^"]*"' "$manual" | sed 's/src="\(.*\)"/\1/')
for image in $images; do
  [ -f "$source/docs/$image" ] || fail "$image is not in docs/"
  [ -f "$build/ravelin/$image" ] || fail "$image is not beside the add-in's copy of the manual"
  [ -f "$work/$(basename "$image")" ] || fail "$image was not made by scripts/screenshots"
done
for shot in "$work"/*.png; do
  echo "$images" | grep -qx "shots/$(basename "$shot")" || fail "$(basename "$shot") is made but not shown"
  [ -f "$source/docs/shots/$(basename "$shot")" ] || fail "$(basename "$shot") is not committed in docs/shots"
done

# Every link resolves: anchors to an id in the manual, anything else to a file beside it.
for target in $(grep -o 'href="[^"]*"' "$manual" | sed 's/href="\(.*\)"/\1/' | sort -u); do
  case $target in
    \#*) grep -q "id=\"${target#\#}\"" "$manual" || fail "no anchor for $target" ;;
    *://*) ;;
    *) [ -e "$source/docs/$target" ] || fail "no file for $target" ;;
  esac
done

# Headings, one line each, split where a heading names several items.
tr '\n' ' ' <"$manual" | grep -o '<h[1-4][^>]*>[^<]*</h[1-4]>' | sed 's/<[^>]*>//g; s/, /\n/g' >"$work/headings.txt"
# Captions of visible items, without accelerators and dots; in the IDE's own menus only the add-in's.
awk -F' [|] ' '
  /^> / { own = $0 !~ /print-menu &(File|View)$/; next }
  NF < 3 || $1 == "-" || $3 != "visible" { next }
  { caption = $1; gsub(/&/, "", caption); sub(/\.\.\.$/, "", caption) }
  caption ~ /^Util\.cpp$/ { next }
  caption ~ /^Synchronize / { caption = "Synchronize" }
  own || caption ~ /SourceSafe/ { print caption }
' "$work/transcripts/menus.txt" | sort -u >"$work/captions.txt"
[ -s "$work/captions.txt" ] || fail "menus.scn printed no menu"
while read -r caption; do
  grep -qxF "$caption" "$work/headings.txt" || fail "no heading for the menu item \"$caption\""
done <"$work/captions.txt"
exit $failed
