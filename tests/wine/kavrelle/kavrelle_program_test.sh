#!/usr/bin/env bash
# Kavrelle.exe as a user meets it, under Wine on the test display:
#   kavrelle_program_test.sh <Kavrelle.exe> <picture folder> <screenshot folder>
# 1. With the simulated keyboard: expand the lighting, choose Vortex, save; the keyboard's
#    memory and keymap.bin hold the effect. Screenshots in English and Chinese, with the
#    lighting open and a custom effect in paint mode.
# 2. A second start ends and leaves one window.
# 3. Without a keyboard: no window, only the tray icon; a second start shows the hidden window.
# Every wait is for a condition, with a generous time-out.
set -uo pipefail
exe=$1 art=$2 shots=$3
wine=/usr/lib/wine/wine64
mkdir -p "$shots"
folder=$(mktemp -d /tmp/kavrelle-test.XXXXXX)
folder2=$(mktemp -d /tmp/kavrelle-test.XXXXXX)
trap 'rm -rf "$folder" "$folder2"' EXIT
for f in "$folder" "$folder2"; do
  cp "$exe" "$f/Kavrelle.exe"
  cp -r "$art/png" "$f/png"
  printf 'Ver: 1.1' >"$f/VER.bin"
done

fail() { echo "FAIL: $*"; exit 1; }
# wait_for <seconds> <command...>: true once the command succeeds.
wait_for() {
  local limit=$1
  shift
  local end=$((SECONDS + limit))
  while ! "$@" >/dev/null 2>&1; do
    [ $SECONDS -ge $end ] && return 1
    sleep 0.2
  done
}
visible_window() { xdotool search --onlyvisible --name '^Kavrelle$' | head -n1; }
has_visible_window() { [ -n "$(visible_window)" ]; }
# The byte at an offset of a file, as two hex digits.
byte_at() { od -An -tx1 -j "$2" -N1 "$1" 2>/dev/null | tr -d ' \n'; }
byte_is() { [ "$(byte_at "$1" "$2")" = "$3" ]; }
process_gone() { ! kill -0 "$1" 2>/dev/null; }
# Clicks at window coordinates.
click() {
  local pos x y
  pos=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p')
  read -r x y <<<"$pos"
  xdotool mousemove $((x + $1)) $((y + $2)) click 1
  sleep 0.3  # the click is asynchronous; conditions below wait for its effect
}
shot() { xwd -root -silent | /usr/bin/convert xwd:- "$shots/$1.png"; }
readonly effectOffset=7450

cd "$folder"
# 1. Simulated keyboard, English.
"$wine" Kavrelle.exe --simulate-keyboard --english &
first=$!
wait_for 60 has_visible_window || fail "no window with the simulated keyboard"
window=$(visible_window)
wait_for 30 test -f SimulatedKeyboard.bin || fail "no SimulatedKeyboard.bin"
wait_for 30 test -f keymap.bin || fail "no keymap.bin"
xdotool mousemove 5 5
shot english-start
click 100 120                     # lighting header
click 100 165                     # effect box
click 100 $((173 + 20 * 8 + 5))   # Vortex (0x0B)
shot english-lighting
click 950 620                     # save
wait_for 30 byte_is SimulatedKeyboard.bin $effectOffset 0b || fail "the keyboard did not get the effect"
wait_for 30 byte_is keymap.bin $effectOffset 0b || fail "keymap.bin does not hold the effect"
click 100 165
click 100 $((173 + 20 * 13 + 5))  # DIY3: paint mode
shot english-paint-mode

# 2. A second start brings the first forward and ends.
"$wine" Kavrelle.exe --simulate-keyboard &
second=$!
wait_for 60 process_gone $second || fail "the second instance did not end"
[ "$(xdotool search --onlyvisible --name '^Kavrelle$' | wc -l)" -eq 1 ] || fail "more than one window"

click 985 12  # close: writes the applied state and ends
wait_for 60 process_gone $first || fail "the close button did not end the program"
byte_is keymap.bin $effectOffset 0b || fail "close lost the saved effect"

# The same keyboard in Chinese.
"$wine" Kavrelle.exe --simulate-keyboard &
first=$!
wait_for 60 has_visible_window || fail "no window in Chinese"
window=$(visible_window)
xdotool mousemove 5 5
click 100 120
shot chinese-lighting
click 985 12
wait_for 60 process_gone $first || fail "the Chinese window did not end"

# 3. No keyboard, in a fresh folder: hidden in the tray.
cd "$folder2"
"$wine" Kavrelle.exe &
first=$!
wait_for 60 test -f keymap.bin || fail "no start-up without keyboard"
wait_for 60 xdotool search --name 'Wine System Tray' || fail "no tray icon"
has_visible_window && fail "a window shows without a keyboard"
shot no-keyboard-tray
"$wine" Kavrelle.exe &
second=$!
wait_for 60 process_gone $second || fail "the second instance did not end"
wait_for 60 has_visible_window || fail "the second start did not show the hidden window"
window=$(visible_window)
click 985 12
wait_for 60 process_gone $first || fail "the program did not end"
echo "PASS: Kavrelle program test (screenshots in $shots)"
