#!/usr/bin/env bash
# rakewright.com typed in cmd.exe under Wine, as a player or pack builder types it on Windows: the
# shell waits, shows the output and gets the exit code; without an option of the command line it
# starts rakewright.exe beside it with the same arguments. Arguments: rakewright.com, a stand-in
# for rakewright.exe (fake_window_program), the sample data folder. Needs Wine (WINEPREFIX as the
# Windows test scripts set it).
set -euo pipefail

console=$1
fake=$2
sample=$3

scratch=$(mktemp -d "${TMPDIR:-/tmp}/rakewright-console-test.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

# shellcheck source=../install/checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/../install/checks.sh"

cp -r "$sample" "$scratch/simulator"
cp "$console" "$scratch/simulator/rakewright.com"
cd "$scratch/simulator"

# Runs the lines in cmd.exe from a batch file (a command line handed to Wine would have its
# quotation marks escaped); sets out.
in_cmd() {
  { echo "@echo off"; printf '%s\r\n' "$@"; } >"$scratch/run.bat"
  # cmd.exe ends with the last ERRORLEVEL, which the lines echo.
  out=$({ wine cmd /c "$(winepath -w "$scratch/run.bat")" 2>/dev/null </dev/null || true; } |
    tr -d '\r')
}

in_cmd "rakewright --check" "echo EXIT=%ERRORLEVEL%"
check "the problems as file:line" grep -qxF \
  'data\consists\сборный_старый.con:3: ошибка: «Платформа_ТС9» нет ни в одном каталоге' <<<"$out"
check "the summary" grep -qxF "1 из 4 составов с ошибками, 2 — только с замечаниями" <<<"$out"
check "exit code 1 in %ERRORLEVEL%" grep -qxF "EXIT=1" <<<"$out"

in_cmd 'rakewright --check --root Z:\nowhere' "echo EXIT=%ERRORLEVEL%"
check "a missing folder gives 2" grep -qxF "EXIT=2" <<<"$out"

in_cmd "rakewright -platform x" "echo EXIT=%ERRORLEVEL%"
check "no rakewright.exe beside it: said, and 2" grep -qxF "EXIT=2" <<<"$out"

cp "$fake" rakewright.exe
in_cmd 'rakewright "a b" c' "echo EXIT=%ERRORLEVEL%"
check "the window program started: 0" grep -qxF "EXIT=0" <<<"$out"
for _ in $(seq 50); do
  [ -s started.txt ] && break
  sleep 0.2
done
started=$(iconv -f UTF-16LE -t UTF-8 started.txt 2>/dev/null || true)
check "with the same arguments" test "${started#*rakewright.exe\" }" = '"a b" c'

finish
