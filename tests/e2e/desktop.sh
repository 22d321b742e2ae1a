#!/bin/sh
# The IDE on a real X server (Xvfb) under a window manager (openbox), driven by real input events
# (xdotool): it starts on a bound project and its SourceSafe panel reads "Checked in" at once; a key
# typed into the read-only file asks, Yes checks the file out and types the key; the menu's Check In
# goes through its dialog; the panel follows each step without a click; Execute SourceSafe raises an
# explorer someone else started. What the IDE shows is read
# from its SIGUSR1 report; outcomes are checked through ss and the files.
#   desktop.sh IDE ADDIN SOURCESAFE_DIR SAMPLES WORK
set -eu
ide=$1 addin=$2 sourcesafe=$3 samples=$4 work=$5
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb openbox xdotool; do
  command -v $tool >/dev/null || { echo "$tool is missing: scripts/setup installs it"; exit 1; }
done

rm -rf "$work"
mkdir -p "$work"
cp -R "$samples" "$work/"
cd "$work"
export PATH="$sourcesafe:$(dirname "$ide"):$PATH" RAVELIN_REGISTRY_DIR="$work/registry"
sh -e "$here/make-database.sh"
export SSDIR="$work/db" SSUSER=Alice SSPWD=alice-pw
regtool set 'HKCU\Software\Halberd\Ravelin\C++Builder\3.0\Tips' ShowUpdateTip --dword 0 >/dev/null
export XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb
mkdir -m 700 "$XDG_RUNTIME_DIR"

pids=
cleanup() {
  for pid in $pids; do kill "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT

# Polls a condition every tenth of a second, for at most $1 seconds.
within() {
  local deadline=$(( $(date +%s) + $1 ))
  shift
  while ! "$@"; do
    [ "$(date +%s)" -lt $deadline ] || return 1
    sleep 0.1
  done
}
fail() {
  echo "FAILED: $*"
  [ -z "${DESKTOP_PAUSE:-}" ] || sleep "$DESKTOP_PAUSE"   # time to look at the desktop by hand
  echo "--- the IDE's last report:"; cat report.txt 2>/dev/null || true
  echo "--- its error output:"; cat ide.err 2>/dev/null || true
  exit 1
}
nonempty() { [ -s "$1" ]; }
# With DESKTOP_SHOTS set to a folder, a picture of the screen at each step (ImageMagick's import),
# for a person to look at.
shot() { [ -z "${DESKTOP_SHOTS:-}" ] || import -window root "$DESKTOP_SHOTS/$1.png"; }

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>display.txt 2>xvfb.log &
pids="$! $pids"
within 30 nonempty display.txt || fail "Xvfb did not start: $(cat xvfb.log)"
export DISPLAY=":$(cat display.txt)"
openbox --startup "touch $PWD/wm-ready" >wm.log 2>&1 &
pids="$! $pids"
within 30 test -e wm-ready || fail "the window manager did not start: $(cat wm.log)"

"$ide" --addin "$addin" "$PWD/samples/Demo/Demo.bpr" "$PWD/samples/Demo/Util.h" >ide.out 2>ide.err &
ide=$!
pids="$ide $pids"

# Asks the IDE for a report and keeps it in report.txt; false when none came within 10 seconds.
reports() { grep -c '^end of report$' ide.out || true; }
report() {
  before=$(reports)
  kill -USR1 "$ide" 2>/dev/null || return 1
  within 10 sh -c "[ \"\$(grep -c '^end of report\$' ide.out)\" -gt $before ]" || return 1
  awk '/^active: /{block=""} {block=block $0 "\n"} /^end of report$/{last=block} END{printf "%s", last}' ide.out >report.txt
}
shows() { report && grep -qx "$1" report.txt; }
# Waits until the IDE's report holds the line $1.
expect() { within 30 shows "$1" || fail "the IDE never showed \"$1\""; }

editor=$(timeout 60 xdotool search --sync --name 'Util\.h$' | head -n 1) || fail "no editor window"
xdotool windowactivate --sync "$editor"
expect "active: $PWD/samples/Demo/Util.h"
expect "status 2: Read Only"
expect "status 3: Checked in"
shot 1-started

# A key into the checked-in file asks; Yes (the default button) checks it out and types the key.
xdotool type x
expect "active: Ravelin"
shot 2-question
xdotool key Return
expect "status 3: Checked out"
expect "status 2: Insert"
ss Status '$/Demo/Util.h' | grep -q Alice || fail "Util.h is not checked out to Alice"
# Saved through the main window's File menu, with the keyboard.
main=$(xdotool search --name '^Ravelin IDE' | head -n 1)
xdotool windowactivate --sync "$main"
expect "active: Ravelin IDE - Demo"
xdotool key alt+f s
within 30 sh -c "printf x | cat - bob/Util.h | cmp -s - samples/Demo/Util.h" || fail "the typed key is not in the saved file"

# The SourceSafe menu's Check In of the current file opens its dialog: a comment, then Return on the
# file list presses the default button, O&K (Alt+K is also "&Keep checked out"'s).
xdotool key alt+o i u
expect "active: Check In"
xdotool key alt+c
expect "focus: QPlainTextEdit"
xdotool type "Typed on a desktop"
xdotool key alt+f
expect "focus: TRVLListBox"
shot 3-check-in
xdotool key Return
expect "active: $PWD/samples/Demo/Util.h"
expect "status 3: Checked in"
expect "status 2: Read Only"
ss Status '$/Demo/Util.h' | grep -q Alice && fail "Util.h is still checked out"
ss History '$/Demo/Util.h' | grep -q "Typed on a desktop" || fail "the check-in has not the comment"
ss Get '$/Demo/Util.h' -YBob,bob-pw >/dev/null
cmp -s bob/Util.h samples/Demo/Util.h || fail "SourceSafe does not hold the typed key"
[ "$(stat -c %A samples/Demo/Util.h | cut -c3)" = - ] || fail "the checked-in file is still writable"

# Execute SourceSafe brings an explorer that is open already to the front, whoever started it.
ssexp >explorer.log 2>&1 &
pids="$! $pids"
explorer=$(timeout 60 xdotool search --sync --name '^Visual SourceSafe Explorer' | head -n 1) || fail "no explorer"
xdotool windowactivate --sync "$main"
expect "active: Ravelin IDE - Demo"
xdotool key alt+o s
within 30 sh -c "[ \"\$(xdotool getactivewindow 2>/dev/null)\" = $explorer ]" || fail "the explorer did not come to the front"
shot 4-explorer
[ "$(xdotool search --name '^Visual SourceSafe Explorer' | wc -l)" = 1 ] || fail "a second explorer was started"
echo "desktop test passed"
