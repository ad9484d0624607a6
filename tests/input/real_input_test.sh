#!/usr/bin/env bash
# Drives the real program through a real X server with real input events, as a player does: mouse
# moves, clicks, key presses and a drag, delivered by xdotool to an Xvfb display, so popups, focus
# and mouse grabs act as they do for a player (synthetic events of a test framework pass by them).
# Every flow is judged by the consist files the program writes. The same flows run the Linux
# program and, through Wine, the Windows one.
#
# Usage: real_input_test.sh PROGRAM SAMPLE_DATA [LAUNCHER...]
#   PROGRAM is copied beside the sample data's data/ folder and started there, through LAUNCHER
#   when one is given ("wine" for rakewright.exe).
#
# A failure says why: the step the flow was at, the display and whether its X server still runs
# and answers, and the program's exit status and log. RAKEWRIGHT_INPUT_KEEP names a folder for a
# screenshot of each failure.
set -uo pipefail

exe=$(realpath "$1")
sample=$(realpath "$2")
shift 2
launcher=("$@")
here=$(dirname "$(realpath "$0")")
source "$here/../install/checks.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/rakewright-input.XXXXXX")
xvfb_pid=""
app_pid=""
app_status=""
step="starting the X server"
clean_up() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap clean_up EXIT

# What a failure prints: where the flows were, the X server's state and the program's.
explain() {
  echo "---- $1" >&2
  echo "step: $step" >&2
  local server="not started"
  if [ -n "$xvfb_pid" ]; then
    if ! kill -0 "$xvfb_pid" 2>/dev/null; then
      wait "$xvfb_pid" 2>/dev/null
      server="ended (exit status $?)"
    elif xdpyinfo >/dev/null 2>&1; then
      server="running (pid $xvfb_pid) and answering"
    else
      server="running (pid $xvfb_pid) but not answering"
    fi
  fi
  echo "display: ${DISPLAY:-none}; its X server: $server" >&2
  if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then
    echo "program: running (pid $app_pid)" >&2
  elif [ -n "$app_pid" ]; then
    wait "$app_pid" 2>/dev/null
    app_status=$?
    app_pid=""
  fi
  if [ -n "$app_status" ]; then
    echo "program: ended with exit status $app_status" >&2
  fi
  echo "program log:" >&2
  sed 's/^/  /' "$work/app.log" >&2 2>/dev/null
  if [ -s "$work/xdotool.log" ]; then
    echo "xdotool said:" >&2
    sort "$work/xdotool.log" | uniq -c | sed 's/^/  /' >&2
  fi
  if [ -s "$work/xvfb.log" ]; then
    echo "X server log:" >&2
    tail -n 20 "$work/xvfb.log" | sed 's/^/  /' >&2
  fi
  if [ -n "${RAKEWRIGHT_INPUT_KEEP:-}" ] && [ "$server" != "not started" ]; then
    local shot
    shot="$RAKEWRIGHT_INPUT_KEEP/$(date +%H%M%S)-$failures.xwd"
    xwd -root -silent >"$shot" 2>/dev/null && echo "screen: $shot" >&2
  fi
  echo "----" >&2
}
# A check that explains its failure.
judge() {
  local before=$failures
  check "$@"
  if [ "$failures" -ne "$before" ]; then
    explain "FAIL: $1"
    # Without its X server no later flow can run.
    kill -0 "$xvfb_pid" 2>/dev/null || exit 1
  fi
}
fail() {
  explain "$1"
  exit 1
}

# An X server of our own, on a display number it picks by claiming the number's socket, so no
# other server can take the number from it. -noreset: by default the server resets whenever its
# last client leaves (each xdotool call is a client of its own), and drops a client that connects
# during the reset ("Can't open display"), which a busy machine made likely.
mkfifo "$work/ready"
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x800x24 3>"$work/ready" \
  >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t 30 number <"$work/ready" || fail "Xvfb gave no display number within 30 s"
export DISPLAY=":$number"
unset QT_QPA_PLATFORM
# The program's warnings go to its log also where it has no console (a Windows program).
export QT_FORCE_STDERR_LOGGING=1
step="waiting for the X server to answer"
for i in $(seq 1 100); do
  xdpyinfo >/dev/null 2>&1 && break
  [ "$i" -eq 100 ] && fail "the X server did not answer within 10 s"
  sleep 0.1
done

root="$work/simulator"
cp -a "$sample/." "$root/"
program=$(basename "$exe")
cp "$exe" "$root/$program"
consists="$root/data/consists"

# The first visible window whose title fits a pattern, waited for up to 60 s while the program
# runs.
window_named() {
  local i found
  for i in $(seq 1 300); do
    found=$(xdotool search --onlyvisible --name "$1" 2>>"$work/xdotool.log" | head -n 1)
    [ -n "$found" ] && { echo "$found"; return 0; }
    kill -0 "$app_pid" 2>/dev/null || return 1
    sleep 0.2
  done
  return 1
}

# The window's client area starts at (X, Y) on the screen.
X=0
Y=0
start() {
  step="$1: starting the program"
  (cd "$root" && exec "${launcher[@]}" "./$program" >"$work/app.log" 2>&1) &
  app_pid=$!
  app_status=""
  local window
  window=$(window_named '^Rakewright 2\.1$')
  [ -n "$window" ] || fail "the window did not open"
  eval "$(xdotool getwindowgeometry --shell "$window")"
  sleep 0.5
  step="$1"
}
# Waits up to 10 s for a window to be gone (Wine withdraws a window only after waiting two seconds
# for a window manager, of which none runs here).
gone() {
  local i
  for i in $(seq 1 50); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.2
  done
  return 1
}
stop() {
  kill "$app_pid" 2>/dev/null
  wait "$app_pid" 2>/dev/null
  app_pid=""
}
# A click of the left button at a point of the client area.
click() {
  xdotool mousemove --sync $((X + $1)) $((Y + $2)) click 1 2>>"$work/xdotool.log"
  sleep 0.3
}
typed() {
  xdotool type --delay 40 "$1" 2>>"$work/xdotool.log"
  sleep 0.3
}
keys() {
  xdotool key --delay 80 "$@" 2>>"$work/xdotool.log"
  sleep 0.3
}
# Waits up to 10 s for a consist file to hold the bytes of another file.
holds() {
  local i
  for i in $(seq 1 100); do
    cmp -s "$2" "$consists/$1" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}
# The expected bytes of a consist file: lines given in UTF-8, written as the program writes them.
expect_file() {
  local name=$1
  shift
  printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP1251 >"$work/$name.expected"
  holds "$name" "$work/$name.expected"
}
# A file renamed: the new name holds the old file's bytes, and the old name is gone.
expect_renamed() {
  local old=$1 new=$2
  holds "$new" "$sample/data/consists/$old" && [ ! -e "$consists/$old" ]
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
coal_train=("1${T}2ТЭ10м${T}34" "1${T}gon_coal${T}13.92" "1${T}gon_coal${T}13.92"
  "1${T}gon_coal${T}13.92" "1${T}Хоппер_зерновоз${T}14.72" "1${T}Хоппер_зерновоз${T}14.72"
  "1${T}Хоппер_зерновоз${T}14.72" "1${T}Цистерна_нефть${T}12.02" "1${T}Box_Red${T}13.9"
  "1${T}gon_old_4axle${T}14")

# 1. A new name typed and "Save" clicked, while names are offered below the box: written at once.
start "flow 1, a typed name saved"
file_box
typed "el"  # "elektrichka.con" is offered below the box
save
judge "a typed name is saved at the first click" expect_file "el.con" ";0${T}0${T}0"
stop

# 2. A name typed without ".con" and "Load" clicked while the list is open: loaded at the first
#    click, as saving the loaded consist under a new name shows.
start "flow 2, a typed name loaded"
file_box
typed "coal_train"
load
file_box
typed "coal_copy"
save
judge "a typed name is loaded at the first click" expect_file "coal_copy.con" \
  "${coal_train[@]}" ";980${T}48${T}10"
stop

# 3. Picked with the mouse and added with "+"; picked with the keyboard and added with Enter; a
#    drag from the list onto the first slot inserts; Ctrl+Z takes the insert back.
start "flow 3, picks"
traffic_row 0  # VL80s
add
folder_row 0   # Box_Red
keys Down Return  # Cistern_new, which the base does not know
file_box
typed "picked"
save
judge "mouse and keyboard picks are added" expect_file "picked.con" \
  "1${T}VL80s${T}32.8" "1${T}Cistern_new${T}14" ";234${T}12${T}2"
step="flow 3, a drag onto the strip"
row=$((43 + 2 + 6))
xdotool mousemove --sync $((X + 800)) $((Y + row)) mousedown 1
for move in 1 2 3 4 5 6 7 8 9 10; do
  xdotool mousemove --sync $((X + 800 - 70 * move)) $((Y + row + 39 * move))
  sleep 0.05
done
xdotool mousemove --sync $((X + 85)) $((Y + 438))
sleep 0.3
xdotool mouseup 1
sleep 0.5
file_box
typed "dragged"
save
judge "a drag onto the first slot inserts there" expect_file "dragged.con" \
  "1${T}Box_Red${T}13.9" "1${T}VL80s${T}32.8" "1${T}Cistern_new${T}14" ";257${T}16${T}3"
step="flow 3, Ctrl+Z"
keys ctrl+z
file_box
typed "undone"
save
judge "Ctrl+Z takes the insert back" expect_file "undone.con" \
  "1${T}VL80s${T}32.8" "1${T}Cistern_new${T}14" ";234${T}12${T}2"

# 4. The strip by keyboard: Tab from "Удалить все вагоны из состава" reaches it; End, Ctrl+Left
#    moves the last wagon one place, Home and Delete remove the first.
step="flow 4, the strip by keyboard"
click 336 371   # "Save" with the name kept: saves again, and takes the focus
keys Tab Tab End ctrl+Left Home Delete
file_box
typed "keyboard"
save
judge "the strip edits by keyboard" expect_file "keyboard.con" \
  "1${T}VL80s${T}32.8" ";184${T}8${T}1"

# 5. A removal offers the removed wagon: Box_Red selected, the VL80s removed by a click on its
#    picture, and "+" puts the VL80s back with its own figures.
step="flow 5, a removal offers the removed wagon"
folder_row 0   # Box_Red
slot_picture 1
add
file_box
typed "mended"
save
judge "+ after a removal puts the removed wagon back" expect_file "mended.con" \
  "1${T}VL80s${T}32.8" ";184${T}8${T}1"
stop

# 6. A name picked from the list with the keyboard, then "Load".
start "flow 6, a name picked from the list"
file_box
typed "co"
keys Down Return
load
file_box
typed "picked_load"
save
judge "a name picked with Down and Enter loads" expect_file "picked_load.con" \
  "${coal_train[@]}" ";980${T}48${T}10"
stop

# 7. The whole-train window (Ctrl+T): a click on the first wagon and Shift+Right twice select the
#    first three, Ctrl+R turns them end for end; opened again, the same selection and Delete
#    removes them. Esc closes it each time (it stands over the file box); each change is the main
#    window's, as the files it saves show.
start "flow 7, the whole-train window"
file_box
typed "coal_train"
load
# The picture fits the train to the window's width: the first wagon (34 of 160 metres, 14 once
# turned) starts 10 pixels in.
select_first_three() {
  local train
  keys ctrl+t
  train=$(window_named '^Весь состав')
  [ -n "$train" ] || fail "the whole-train window did not open"
  eval "$(xdotool getwindowgeometry --shell "$train" | sed 's/^/TRAIN_/')"
  xdotool mousemove --sync $((TRAIN_X + 30)) $((TRAIN_Y + TRAIN_HEIGHT / 2)) click 1
  sleep 0.3
  keys shift+Right shift+Right
}
step="flow 7, turning three wagons"
select_first_three
keys ctrl+r Escape
gone '^Весь состав' || fail "Esc did not close the whole-train window"
file_box
typed "train_turned"
save
judge "the whole-train window turns the selected wagons" expect_file "train_turned.con" \
  "1${T}gon_coal${T}13.92" "1${T}gon_coal${T}13.92" "1${T}2ТЭ10м${T}34" \
  "${coal_train[@]:3}" ";980${T}48${T}10"
step="flow 7, removing three wagons"
select_first_three
keys Delete Escape
gone '^Весь состав' || fail "Esc did not close the whole-train window"
file_box
typed "train_cut"
save
judge "the whole-train window removes the selected wagons" expect_file "train_cut.con" \
  "${coal_train[@]:3}" ";522${T}28${T}7"
stop

# 8. The consist library (Ctrl+O): a file found with the filter is renamed with F2 to a typed
#    name (".con" added), and then opened with Enter into the main window, where Ctrl+S saves it
#    under its name again, now as the program writes a consist.
start "flow 8, the consist library"
file_box        # the window takes the keys once clicked
keys ctrl+o
step="flow 8, the library opening"
library=$(window_named '^Составы$')
[ -n "$library" ] || fail "the consist library did not open"
sleep 1  # the files are listed and checked on a thread of their own
step="flow 8, renaming a file in the library"
keys ctrl+f
typed "coal_train"
keys Tab Tab space F2
sleep 0.5
keys ctrl+a
typed "library_renamed"
keys Return
judge "the library renames a file" expect_renamed "coal_train.con" "library_renamed.con"
step="flow 8, opening a file from the library"
sleep 1
# A click into the filter box (the box is the window's first row).
eval "$(xdotool getwindowgeometry --shell "$library" | sed 's/^/LIBRARY_/')"
xdotool mousemove --sync $((LIBRARY_X + 100)) $((LIBRARY_Y + 22)) click 1
sleep 0.3
keys ctrl+a
typed "library_renamed"
keys Tab Tab space Return
sleep 0.5
keys ctrl+s
judge "the library opens the chosen file" expect_file "library_renamed.con" \
  "${coal_train[@]}" ";980${T}48${T}10"
stop

# The flows from here on start from the sample folder as it comes.
fresh_root() {
  rm -rf "$root"
  mkdir -p "$root"
  cp -a "$sample/." "$root/"
  cp "$exe" "$root/$program"
}

# 9. The keyboard at once in the whole-train window: Ctrl+T gives the train the focus on the wagon
#    the strip shows first, so Home and Delete remove the first wagon without a click.
fresh_root
start "flow 9, the whole-train window by keyboard"
file_box
typed "coal_train"
load
keys ctrl+t
window_named '^Весь состав' >/dev/null || fail "the whole-train window did not open"
keys Home Delete Escape
gone '^Весь состав' || fail "Esc did not close the whole-train window"
file_box
typed "keyboard_train"
save
judge "Ctrl+T, Home and Delete remove the first wagon" expect_file "keyboard_train.con" \
  "${coal_train[@]:1}" ";704${T}36${T}9"
stop

# 10. The library by keyboard at once: Ctrl+O selects the first file and leaves the keyboard in the
#     filter box, whose Down moves to the second file and Enter opens it.
fresh_root
start "flow 10, the consist library by keyboard"
file_box
keys ctrl+o
window_named '^Составы$' >/dev/null || fail "the consist library did not open"
sleep 1  # the files are listed and checked on a thread of their own
keys Down Return
sleep 0.5
# The main window has the file; the library, back by Ctrl+O, goes with Esc, so that it covers
# nothing where no window manager raises the main window (Wine).
keys ctrl+o
sleep 0.3
keys Escape
gone '^Составы$' || fail "Esc did not close the consist library"
file_box
typed "second_file"
save
judge "Ctrl+O, Down and Enter open the second file" expect_file "second_file.con" \
  "1${T}ЭР2_head${T}19.6" "1${T}ЭР2_motor${T}19.6" "1${T}ЭР2_motor${T}19.6" \
  "1${T}ЭР2_motor${T}19.6" "1${T}ЭР2_head${T}19.6" ";247${T}20${T}5"
stop

# 11. A delete into the trash on an account that never had one: the trash is made, and the file
#     lands there with the record a desktop restores it by. The Windows program's Recycle Bin is
#     Wine's, which keeps it in the same place (in the Wine installation's own data folder).
fresh_root
kept_home=$HOME
kept_data_home=${XDG_DATA_HOME-}
if [ ${#launcher[@]} -eq 0 ]; then
  export HOME="$work/fresh-home"
  mkdir -p "$HOME"
  unset XDG_DATA_HOME
fi
trash="${XDG_DATA_HOME:-$HOME/.local/share}/Trash"
start "flow 11, a delete into a trash made on first use"
file_box
keys ctrl+o
window_named '^Составы$' >/dev/null || fail "the consist library did not open"
sleep 1
typed "elektrichka"
keys Tab Tab Delete
sleep 0.5
keys shift+Tab space  # "Да"
trashed() {
  local i
  for i in $(seq 1 100); do
    [ ! -e "$consists/elektrichka.con" ] &&
      cmp -s "$sample/data/consists/elektrichka.con" "$trash/files/elektrichka.con" &&
      grep -q '^Path=.*elektrichka\.con$' "$trash/info/elektrichka.con.trashinfo" && return 0
    sleep 0.1
  done
  return 1
}
judge "a delete makes the trash and moves the file there" trashed
stop
export HOME="$kept_home"
[ -n "$kept_data_home" ] && export XDG_DATA_HOME="$kept_data_home"

# 12. From the library's problem to a fixed base: a file whose wagon the base gives no length;
#     Tab from the filter box to its remark, whose Enter opens the base editor; the length typed
#     and saved with Ctrl+S. base.ini gets the line at the end of its section, every other byte
#     as it was.
fresh_root
base="$root/data/consists/base.ini"
grep -av '^Box_Red=13\.9' "$base" >"$work/base.without" || true
cp "$work/base.without" "$base"
printf '1\tBox_Red\t13.9\r\n;23\t4\t1\r\n' >"$consists/fix_me.con"
# What the editor must write: the line after the last entry of [FREIGHT].
after=$(awk '/^\[/ { freight = ($0 ~ /^\[FREIGHT\]/) }
  freight && !/^\r?$/ { last = NR } END { print last }' "$work/base.without")
{
  head -n "$after" "$work/base.without"
  printf 'Box_Red=13.9\r\n'
  tail -n "+$((after + 1))" "$work/base.without"
} >"$work/base.expected"
start "flow 12, a library problem fixed in the base"
file_box
keys ctrl+o
window_named '^Составы$' >/dev/null || fail "the consist library did not open"
sleep 1
typed "fix_me"
keys Tab Tab Tab Return
window_named '^База подвижного состава$' >/dev/null || fail "the base editor did not open"
sleep 0.5
typed "13.9"
keys Return ctrl+s
fixed() {
  local i
  for i in $(seq 1 100); do
    cmp -s "$work/base.expected" "$base" && return 0
    sleep 0.1
  done
  return 1
}
judge "the base editor writes the length into its section" fixed
stop
# The library's check of the file, run by the same program from its command line, finds it clean.
clean_now() {
  (cd "$root" && "${launcher[@]}" "./$program" --check fix_me 2>/dev/null) | tr -d '\r' |
    grep -qxF "0 из 1 состава с ошибками"
}
judge "the fixed file checks clean" clean_now

finish
