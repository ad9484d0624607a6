#!/usr/bin/env bash
# Builds the portable archive from a build folder with CPack into a temporary folder and checks
# its name and content, then installs from the unpacked archive into a temporary simulator folder
# as a player would. Arguments: cpack, the build folder, the project's version.
set -euo pipefail

cpack=$1
build=$2
version=$3

scratch=$(mktemp -d "${TMPDIR:-/tmp}/rakewright-archive-test.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

# shellcheck source=checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"

name=rakewright-$version-linux-$(uname -m)
if ! "$cpack" --config "$build/CPackConfig.cmake" -G TGZ -B "$scratch/out" \
    >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log" >&2
  echo "FAIL: cpack" >&2
  exit 1
fi
archive=$scratch/out/$name.tar.gz
check "the archive is named $name.tar.gz" test -f "$archive"
[ -f "$archive" ] || { ls -l "$scratch/out" >&2; exit 1; }

# Every entry below the one folder; the folder's own entry, where the archive has one, aside.
listing=$(tar -tzf "$archive" | sed 's|/$||' | grep -vxF "$name" | sort)
expected=$(printf '%s\n' "$name/LICENSE" "$name/LICENSE-fonts.txt" "$name/README.md" \
  "$name/install-into-simulator" "$name/rakewright" "$name/rakewright.png" | sort)
if [ "$listing" != "$expected" ]; then
  echo "The archive holds:" >&2
  echo "$listing" >&2
fi
check "the archive holds one folder with exactly the expected files" test "$listing" = "$expected"

mkdir -p "$scratch/unpacked"
tar -xzf "$archive" -C "$scratch/unpacked"
folder=$scratch/unpacked/$name
check "the executable is executable" test -x "$folder/rakewright"
check "the install script is executable" test -x "$folder/install-into-simulator"
check "the executable is an ELF program" \
  test "$(od -An -c -N4 "$folder/rakewright" | tr -d ' ')" = "177ELF"
check "the licence is the GPL version 3" grep -q "GNU GENERAL PUBLIC LICENSE" "$folder/LICENSE"
check "the fonts' licence is the Open Font License" \
  grep -q "SIL Open Font License" "$folder/LICENSE-fonts.txt"
check "the fonts' licence names their copyright" grep -q "Copyright" "$folder/LICENSE-fonts.txt"

# As a player installs it: from the unpacked folder, without --exe.
export HOME=$scratch/home
unset XDG_DATA_HOME
mkdir -p "$HOME" "$scratch/sim/data"
check "the archive's script installs the executable beside it" \
  "$folder/install-into-simulator" "$scratch/sim" >/dev/null
check "the installed executable is the archive's" \
  cmp -s "$folder/rakewright" "$scratch/sim/rakewright"
check "the menu entry is written" test -f "$HOME/.local/share/applications/rakewright.desktop"
check "the icon is installed" test -f "$HOME/.local/share/icons/hicolor/128x128/apps/rakewright.png"

finish
