#!/usr/bin/env bash
# Runs scripts/install-into-simulator in a temporary home and temporary simulator folders:
# install, a second install, uninstall, the refusals, --exe, paths with spaces, and that an
# uninstall leaves everything else alone. Arguments: the script, the built executable.
set -euo pipefail

script=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
built=$2
[ -x "$script" ] || { echo "not executable: $script" >&2; exit 1; }
[ -x "$built" ] || { echo "not executable: $built" >&2; exit 1; }

scratch=$(mktemp -d "${TMPDIR:-/tmp}/rakewright-install-test.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

# shellcheck source=checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"
same() { cmp -s -- "$1" "$2"; }
missing() { [ ! -e "$1" ]; }
holds_line() { grep -qxF -- "$2" "$1"; }

# A fresh home for each case, without the caller's XDG variables.
fresh_home() {
  export HOME="$scratch/home $1"
  mkdir -p "$HOME"
  unset XDG_DATA_HOME
}
simulator() {
  mkdir -p "$1/data/consists"
  printf '[PASS]\r\n' >"$1/data/consists/base.ini"
}
# The script under test; the archive's layout puts another copy of it beside an executable.
runner=$script
run_script() {
  "$runner" "$@" >"$scratch/out" 2>"$scratch/err"
}
fails_saying() {
  local text=$1
  shift
  if run_script "$@"; then
    echo "  succeeded: $*" >&2
    return 1
  fi
  grep -qF -- "$text" "$scratch/err" || { cat "$scratch/err" >&2; return 1; }
}

entry_of() { echo "$HOME/.local/share/applications/rakewright.desktop"; }
icon_of() { echo "$HOME/.local/share/icons/hicolor/128x128/apps/rakewright.png"; }
icon_source=$(dirname "$script")/../app/resources/rakewright.png

# --- Install, install again, uninstall.
fresh_home basic
sim="$scratch/sim"
simulator "$sim"
printf 'my notes' >"$sim/notes.txt"
mkdir -p "$HOME/.local/share/applications" "$(dirname "$(icon_of)")"
printf '[Desktop Entry]\nName=Other\n' >"$HOME/.local/share/applications/other.desktop"
printf 'other icon' >"$(dirname "$(icon_of)")/other.png"

check "install succeeds" run_script --exe "$built" "$sim"
check "the executable is copied" same "$built" "$sim/rakewright"
check "the copy is executable" test -x "$sim/rakewright"
entry=$(entry_of)
check "the menu entry is written" test -f "$entry"
check "the entry is an application" holds_line "$entry" "Type=Application"
check "the entry starts the copy" holds_line "$entry" "Exec=$sim/rakewright"
check "the entry works in the simulator folder" holds_line "$entry" "Path=$sim"
check "the entry names its icon" holds_line "$entry" "Icon=rakewright"
check "the entry needs no terminal" holds_line "$entry" "Terminal=false"
check "the entry's categories" holds_line "$entry" "Categories=Game;Simulation;"
check "the entry has an English comment" grep -q '^Comment=.' "$entry"
check "the entry has a Russian comment" grep -q '^Comment\[ru\]=.' "$entry"
check "the icon is installed at its size" same "$icon_source" "$(icon_of)"
if command -v desktop-file-validate >/dev/null 2>&1; then
  check "the entry passes desktop-file-validate" desktop-file-validate "$entry"
fi

first_entry=$(cat "$entry")
check "a second install succeeds" run_script --exe "$built" "$sim"
check "after it the executable is still the built one" same "$built" "$sim/rakewright"
check "after it the entry is the same" test "$(cat "$entry")" = "$first_entry"
check "no temporary file is left in the simulator folder" \
  test -z "$(find "$sim" -maxdepth 1 -name '.rakewright.*')"

check "uninstall succeeds" run_script --uninstall "$sim"
check "uninstall removes the executable" missing "$sim/rakewright"
check "uninstall removes the entry" missing "$entry"
check "uninstall removes the icon" missing "$(icon_of)"
check "uninstall keeps the simulator's data" test -f "$sim/data/consists/base.ini"
check "uninstall keeps the user's file in the simulator folder" test -f "$sim/notes.txt"
check "uninstall keeps the user's other menu entry" \
  test -f "$HOME/.local/share/applications/other.desktop"
check "uninstall keeps the user's other icon" test -f "$(dirname "$(icon_of)")/other.png"
check "uninstall leaves no record behind" missing "$HOME/.local/share/rakewright"
check "a second uninstall does nothing and succeeds" run_script --uninstall "$sim"

# --- Uninstall leaves alone what it did not put there, or what changed since.
fresh_home foreign
sim="$scratch/foreign"
simulator "$sim"
printf 'a program of the user' >"$sim/rakewright"
chmod +x "$sim/rakewright"
check "uninstall without an install succeeds" run_script --uninstall "$sim"
check "an executable not installed by the script stays" test -f "$sim/rakewright"

check "install over the user's copy succeeds" run_script --exe "$built" "$sim"
printf 'rebuilt by hand' >"$sim/rakewright"
check "uninstall succeeds after the executable was replaced" run_script --uninstall "$sim"
check "an executable changed since the install stays" \
  test "$(cat "$sim/rakewright")" = "rebuilt by hand"
check "the entry goes all the same" missing "$(entry_of)"

# Two simulator folders: the menu entry belongs to the later install, the icon to both.
fresh_home two
simulator "$scratch/first"
simulator "$scratch/second"
check "install into a first folder" run_script --exe "$built" "$scratch/first"
check "install into a second folder" run_script --exe "$built" "$scratch/second"
check "the entry starts the second" holds_line "$(entry_of)" "Path=$scratch/second"
check "uninstall the first" run_script --uninstall "$scratch/first"
check "the first folder's executable goes" missing "$scratch/first/rakewright"
check "the second folder's executable stays" test -f "$scratch/second/rakewright"
check "the second folder's entry stays" holds_line "$(entry_of)" "Path=$scratch/second"
check "the icon stays for the second" test -f "$(icon_of)"
check "uninstall the second" run_script --uninstall "$scratch/second"
check "then the icon goes" missing "$(icon_of)"

# A simulator folder deleted after the install: the menu entry and icon still go.
fresh_home deleted
simulator "$scratch/gone"
check "install into a folder that is deleted later" run_script --exe "$built" "$scratch/gone"
rm -rf "$scratch/gone"
check "uninstall from the deleted folder succeeds" run_script --uninstall "$scratch/gone/"
check "its entry goes" missing "$(entry_of)"
check "its icon goes" missing "$(icon_of)"
check "its record goes" missing "$HOME/.local/share/rakewright"

# --- Refusals: each with a message and a non-zero exit, and nothing written.
fresh_home refusals
check "no folder named" fails_saying "exactly one simulator folder"
check "a missing folder" fails_saying "does not exist" --exe "$built" "$scratch/nowhere"
mkdir -p "$scratch/plain"
check "a folder without data/" fails_saying "no data/ folder" --exe "$built" "$scratch/plain"
check "nothing copied into it" missing "$scratch/plain/rakewright"
check "no entry written for it" missing "$(entry_of)"
printf 'x' >"$scratch/a-file"
check "a file instead of a folder" fails_saying "is not a folder" --exe "$built" "$scratch/a-file"
simulator "$scratch/ok"
check "a missing executable" fails_saying "does not exist" --exe "$scratch/none" "$scratch/ok"
printf 'text' >"$scratch/not-executable"
check "an executable without its x bit" \
  fails_saying "is not executable" --exe "$scratch/not-executable" "$scratch/ok"
check "an unknown option" fails_saying "unknown option" --force "$scratch/ok"
check "nothing copied by the refusals" missing "$scratch/ok/rakewright"

# No --exe: the executable beside the script (as in the archive), else none found.
lone="$scratch/lone"
mkdir -p "$lone"
cp "$script" "$lone/install-into-simulator"
runner=$lone/install-into-simulator
check "no executable beside a lone script" fails_saying "no executable found" "$scratch/ok"
cp "$built" "$lone/rakewright"
cp "$icon_source" "$lone/rakewright.png"
check "the executable beside the script is taken" run_script "$scratch/ok"
check "it is the one copied" same "$built" "$scratch/ok/rakewright"
runner=$script

# No --exe in a source tree: the executable built in build/app.
tree="$scratch/tree"
mkdir -p "$tree/scripts" "$tree/build/app" "$tree/app/resources"
cp "$script" "$tree/scripts/install-into-simulator"
cp "$built" "$tree/build/app/rakewright"
cp "$icon_source" "$tree/app/resources/rakewright.png"
simulator "$scratch/from-tree"
runner=$tree/scripts/install-into-simulator
check "the executable built in the source tree is taken" run_script "$scratch/from-tree"
check "it is the one copied from the tree" same "$built" "$scratch/from-tree/rakewright"
runner=$script

# A data folder in another letter case, as a Windows installation may have it.
mkdir -p "$scratch/windows/Data"
check "Data/ counts as data/" run_script --exe "$built" "$scratch/windows"

# --- Spaces and the characters the Exec key reserves; XDG_DATA_HOME is honoured.
fresh_home spaces
export XDG_DATA_HOME="$scratch/data home"
sim="$scratch/My Games/Sim \$1 \"quoted\""
simulator "$sim"
check "install into a path with spaces" run_script --exe "$built" "$sim"
entry="$XDG_DATA_HOME/applications/rakewright.desktop"
check "the entry goes below XDG_DATA_HOME" test -f "$entry"
check "nothing goes below ~/.local/share then" missing "$HOME/.local/share"
check "the icon goes below XDG_DATA_HOME" \
  test -f "$XDG_DATA_HOME/icons/hicolor/128x128/apps/rakewright.png"
check "Exec is quoted and escaped" \
  holds_line "$entry" "Exec=\"$scratch/My Games/Sim \\\\\$1 \\\\\"quoted\\\\\"/rakewright\""
check "Path is the folder as it is" holds_line "$entry" "Path=$sim"
if command -v desktop-file-validate >/dev/null 2>&1; then
  check "the quoted entry passes desktop-file-validate" desktop-file-validate "$entry"
fi
check "uninstall from the path with spaces" run_script --uninstall "$sim"
check "it removes the executable" missing "$sim/rakewright"
check "it removes the entry" missing "$entry"

finish
