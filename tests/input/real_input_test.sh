#!/usr/bin/env bash
# Drives the real program through a real X server with real input events, as a player does: mouse
# moves, clicks, key presses and a drag, delivered by xdotool to an Xvfb display, so popups, focus
# and mouse grabs act as they do for a player (synthetic events of a test framework pass by them).
# Every flow is judged by the consist file the program writes.
#
# Usage: real_input_test.sh RAKEWRIGHT SAMPLE_DATA
set -uo pipefail

exe=$(realpath "$1")
sample=$(realpath "$2")
here=$(dirname "$(realpath "$0")")
source "$here/../install/checks.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/rakewright-input.XXXXXX")
xvfb_pid=""
app_pid=""
clean_up() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap clean_up EXIT

# An X server of our own, on a display number it picks.
mkfifo "$work/ready"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/ready" >/dev/null 2>&1 &
xvfb_pid=$!
read -r -t 20 number <"$work/ready" || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$number"
unset QT_QPA_PLATFORM
# The number comes as the server starts listening; wait until it answers.
for i in $(seq 1 100); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done

root="$work/simulator"
cp -a "$sample/." "$root/"
cp "$exe" "$root/rakewright"
consists="$root/data/consists"

# The window's client area starts at (X, Y) on the screen.
X=0
Y=0
start() {
  (cd "$root" && exec ./rakewright >"$work/app.log" 2>&1) &
  app_pid=$!
  local window
  window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Rakewright 2\.1$' | head -n 1)
  [ -n "$window" ] || { echo "the window did not open" >&2; cat "$work/app.log" >&2; exit 1; }
  eval "$(xdotool getwindowgeometry --shell "$window")"
  sleep 0.5
}
stop() {
  kill "$app_pid" 2>/dev/null
  wait "$app_pid" 2>/dev/null
  app_pid=""
}
# A click of the left button at a point of the client area.
click() {
  xdotool mousemove --sync $((X + $1)) $((Y + $2)) click 1
  sleep 0.3
}
typed() {
  xdotool type --delay 40 "$1"
  sleep 0.3
}
keys() {
  xdotool key --delay 80 "$@"
  sleep 0.3
}
# Waits up to 10 s for the program to write a file.
written() {
  local i
  for i in $(seq 1 100); do
    [ -f "$consists/$1" ] && { sleep 0.2; return 0; }
    sleep 0.1
  done
  return 1
}
# The expected bytes of a consist file: lines given in UTF-8, written as the program writes them.
expect_file() {
  local name=$1
  shift
  printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP1251 >"$work/$name.expected"
  written "$name" && cmp -s "$work/$name.expected" "$consists/$name"
}

# Places in the window (client coordinates): the file box, its buttons, "+", a row of a list
# (13-pixel rows under a 2-pixel border), a slot of the strip.
file_box() { click 100 371; xdotool key ctrl+a BackSpace; }
load() { click 297 371; }
save() { click 336 371; }
add() { click 656 24; }
traffic_row() { click 60 $((44 + 2 + 13 * $1 + 6)); }
folder_row() { click 800 $((43 + 2 + 13 * $1 + 6)); }
slot_picture() { click $((5 + 168 * ($1 - 1) + 80)) 438; }

T=$'\t'

# 1. A new name typed and "Save" clicked, while names are offered below the box: written at once.
start
file_box
typed "el"  # "elektrichka.con" is offered below the box
save
check "a typed name is saved at the first click" expect_file "el.con" ";0${T}0${T}0"
stop

# 2. A name typed without ".con" and "Load" clicked while the list is open: loaded at the first
#    click, as saving the loaded consist under a new name shows.
start
file_box
typed "coal_train"
load
file_box
typed "coal_copy"
save
check "a typed name is loaded at the first click" expect_file "coal_copy.con" \
  "1${T}2ТЭ10м${T}34" "1${T}gon_coal${T}13.92" "1${T}gon_coal${T}13.92" "1${T}gon_coal${T}13.92" \
  "1${T}Хоппер_зерновоз${T}14.72" "1${T}Хоппер_зерновоз${T}14.72" "1${T}Хоппер_зерновоз${T}14.72" \
  "1${T}Цистерна_нефть${T}12.02" "1${T}Box_Red${T}13.9" "1${T}gon_old_4axle${T}14" \
  ";980${T}48${T}10"
stop

# 3. Picked with the mouse and added with "+"; picked with the keyboard and added with Enter; a
#    drag from the list onto the first slot inserts; Ctrl+Z takes the insert back.
start
traffic_row 0  # VL80s
add
folder_row 0   # Box_Red
keys Down Return  # Cistern_new, which the base does not know
file_box
typed "picked"
save
check "mouse and keyboard picks are added" expect_file "picked.con" \
  "1${T}VL80s${T}32.8" "1${T}Cistern_new${T}14" ";234${T}12${T}2"
row=$((43 + 2 + 6))
xdotool mousemove --sync $((X + 800)) $((Y + row)) mousedown 1
for step in 1 2 3 4 5 6 7 8 9 10; do
  xdotool mousemove --sync $((X + 800 - 70 * step)) $((Y + row + 39 * step))
  sleep 0.05
done
xdotool mousemove --sync $((X + 85)) $((Y + 438))
sleep 0.3
xdotool mouseup 1
sleep 0.5
file_box
typed "dragged"
save
check "a drag onto the first slot inserts there" expect_file "dragged.con" \
  "1${T}Box_Red${T}13.9" "1${T}VL80s${T}32.8" "1${T}Cistern_new${T}14" ";257${T}16${T}3"
keys ctrl+z
file_box
typed "undone"
save
check "Ctrl+Z takes the insert back" expect_file "undone.con" \
  "1${T}VL80s${T}32.8" "1${T}Cistern_new${T}14" ";234${T}12${T}2"

# 4. The strip by keyboard: Tab from "Удалить все вагоны из состава" reaches it; End, Ctrl+Left
#    moves the last wagon one place, Home and Delete remove the first.
click 336 371   # "Save" with the name kept: saves again, and takes the focus
keys Tab Tab End ctrl+Left Home Delete
file_box
typed "keyboard"
save
check "the strip edits by keyboard" expect_file "keyboard.con" \
  "1${T}VL80s${T}32.8" ";184${T}8${T}1"

# 5. A removal offers the removed wagon: Box_Red selected, the VL80s removed by a click on its
#    picture, and "+" puts the VL80s back with its own figures.
folder_row 0   # Box_Red
slot_picture 1
add
file_box
typed "mended"
save
check "+ after a removal puts the removed wagon back" expect_file "mended.con" \
  "1${T}VL80s${T}32.8" ";184${T}8${T}1"
stop

# 6. A name picked from the list with the keyboard, then "Load".
start
file_box
typed "co"
keys Down Return
load
file_box
typed "picked_load"
save
check "a name picked with Down and Enter loads" expect_file "picked_load.con" \
  "1${T}2ТЭ10м${T}34" "1${T}gon_coal${T}13.92" "1${T}gon_coal${T}13.92" "1${T}gon_coal${T}13.92" \
  "1${T}Хоппер_зерновоз${T}14.72" "1${T}Хоппер_зерновоз${T}14.72" "1${T}Хоппер_зерновоз${T}14.72" \
  "1${T}Цистерна_нефть${T}12.02" "1${T}Box_Red${T}13.9" "1${T}gon_old_4axle${T}14" \
  ";980${T}48${T}10"
stop

finish
