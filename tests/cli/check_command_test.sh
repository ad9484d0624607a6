#!/usr/bin/env bash
# The command line of the real program, as a pack builder or a CI job runs it: no display at all,
# the output on standard output, the exit codes, and the rolling-stock base taken from beside the
# executable (or from --root). Arguments: the program, the sample data folder.
set -euo pipefail

program=$1
sample=$2

scratch=$(mktemp -d "${TMPDIR:-/tmp}/rakewright-cli-test.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

# shellcheck source=../install/checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/../install/checks.sh"

# No display: a window program that tried to open one would fail here.
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

# The program in the simulator's folder, as installed; a second simulator whose base knows nothing.
cp -r "$sample" "$scratch/simulator"
cp "$program" "$scratch/simulator/rakewright"
cp -r "$sample" "$scratch/other"
: >"$scratch/other/data/consists/base.ini"

run() {  # run FOLDER ARGUMENTS...: sets code, out, err
  local folder=$1
  shift
  code=0
  (cd "$folder" && "$@" >"$scratch/out" 2>"$scratch/err") || code=$?
  out=$(cat "$scratch/out")
  err=$(cat "$scratch/err")
}

run "$scratch/simulator" ./rakewright --check
check "--check exits with 1 when a file has errors" test "$code" -eq 1
check "the summary line comes last" \
  test "$(tail -n 1 "$scratch/out")" = "1 из 4 составов с ошибками, 2 — только с замечаниями"
check "an error as file:line" grep -qxF \
  "data/consists/сборный_старый.con:3: ошибка: «Платформа_ТС9» нет ни в одном каталоге" \
  "$scratch/out"
check "nothing on standard error" test -z "$err"
expected=$out

# From the other simulator's folder the program's own base still counts; with --root, that
# folder's base.
run "$scratch/other" "$scratch/simulator/rakewright" --check
check "the base beside the executable" test "$out" = "$expected"
run "$scratch" "$scratch/simulator/rakewright" --check --root other
check "the base of --root" grep -qF "1 из 4 составов с ошибками, 3 — только с замечаниями" \
  "$scratch/out"

rm "$scratch/simulator/data/consists/coal_train.con" "$scratch/simulator/data/consists/"сборный*
run "$scratch/simulator" ./rakewright --check Скорый_ЧС2.con data/consists/elektrichka.con
check "named files without errors exit with 0" test "$code" -eq 0
check "named files only" test "$(tail -n 1 "$scratch/out")" = \
  "0 из 2 составов с ошибками, 1 — только с замечаниями"

run "$scratch" "$scratch/simulator/rakewright" --check --root nowhere
check "a missing folder exits with 2" test "$code" -eq 2
check "and says why on standard error" test -n "$err" -a -z "$out"
run "$scratch" "$scratch/simulator/rakewright" --check --frobnicate
check "a wrong argument exits with 2" test "$code" -eq 2

run "$scratch" "$scratch/simulator/rakewright" --version
check "--version" test "$code" -eq 0 -a "${out%% *}" = Rakewright
run "$scratch" "$scratch/simulator/rakewright" --help
check "--help" grep -qF "rakewright --check [--root ПАПКА] [ФАЙЛ.con ...]" "$scratch/out"

finish
