#!/usr/bin/env bash
# Benchmarks of the program against plain yardsticks measured side by side, under Wine.
#
#   bash bench/run.sh            full: 1,000,000 entries (about 23 MB), median of 5 runs;
#                                typing: 20,000 characters a run, 5 runs
#   bash bench/run.sh --quick    for CI: 100,000 entries, median of 3 runs; typing: 2,000
#                                characters a run, 9 runs (short runs are noisier); exits
#                                non-zero only on a gross regression (a row with a target
#                                above 3x)
#   options: --entries N, --runs N, --chars N (override either mode's numbers)
#
# Builds the program and the benchmarks (win64 preset), sets up a private Wine prefix and a
# virtual display, writes commands.txt (entries "command number N", the last one "zzz") into
# a scratch folder with the program and the benchmark exes, runs them and prints one table:
# the median of the program's runs, the median of the yardstick's, their ratio, the target
# ratio and a verdict ("info" rows have no target and never fail).
# The rows:
#   load, skin     startup_bench: start-up with the large list vs BareListBox; with and
#                  without the skin on a 100-entry list
#   load, save, search, fade
#                  inprocess_bench: the main window's own code, timed in process
#   start-up, memory
#                  process_bench: start to window shown and idle with a 100-entry list, and
#                  working set and private bytes once settled, vs BareWindow (one bare window;
#                  start-up gets three times the runs, being short and noisy); two info rows
#                  split the start-up gap with PlainForm (the same window tree in plain
#                  system controls)
#   typing         process_bench: time per character the send button takes to type a long
#                  line into a console stand-in (BenchProbe) vs BareSender's plain
#                  SendMessageA loop; at least 0.9x the speed means at most 1.11x the time
#   size           the exe against 1 MiB; the DLLs it imports are listed under the table
# Times are in ms, other units are named in the row. Program and yardstick runs alternate; no
# figure is compared with a fixed time or size other than the size limit itself.
# Installs what a fresh Debian 12 machine lacks (needs root or sudo for that).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../scripts/common.sh
source "$here/../scripts/common.sh"
root=$(repo_root)
cd "$root"

quick=0
entries=""
runs=""
chars=""
while [ $# -gt 0 ]; do
  case "$1" in
    --quick) quick=1 ;;
    --entries) entries=$2; shift ;;
    --runs) runs=$2; shift ;;
    --chars) chars=$2; shift ;;
    *) echo "usage: bash bench/run.sh [--quick] [--entries N] [--runs N] [--chars N]" >&2; exit 2 ;;
  esac
  shift
done
if [ "$quick" -eq 1 ]; then
  entries=${entries:-100000}
  runs=${runs:-3}
  chars=${chars:-2000}
  typing_runs=$((runs * 3))
else
  entries=${entries:-1000000}
  runs=${runs:-5}
  chars=${chars:-20000}
  typing_runs=$runs
fi

ensure_packages
# The win64 preset, but only what the benchmarks run: a test being written elsewhere in the
# tree must not stop a measurement of the program.
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target OrvelleCommandsHelper OrvelleNoSkin BareListBox startup_bench inprocess_bench \
  BareWindow PlainForm BareSender BenchProbe process_bench

work=$(mktemp -d /tmp/orvelle-bench.XXXXXX)
cleanup() {
  local status=$?
  set +e
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null
  stop_display
  rm -rf "$work"
  exit "$status"
}
trap cleanup EXIT

start_display
make_wine_prefix "$work/prefix"

run="$work/run"
mkdir -p "$run"
cp build/win64/OrvelleCommandsHelper.exe build/win64/bench/BareListBox.exe \
   build/win64/bench/startup_bench.exe build/win64/bench/inprocess_bench.exe \
   build/win64/bench/BareWindow.exe build/win64/bench/BareSender.exe build/win64/bench/BenchProbe.exe \
   build/win64/bench/process_bench.exe "$run/"
awk -v n="$entries" 'BEGIN { for (i = 1; i < n; i++) printf "command number %d\r\n", i; printf "zzz\r\n" }' \
  >"$run/commands.txt"
# Start-up against a bare window, memory, typing and the skin's cost are measured on a small
# list, in a folder of its own.
mkdir -p "$run/small"
cp build/win64/OrvelleCommandsHelper.exe build/win64/bench/OrvelleNoSkin.exe build/win64/bench/PlainForm.exe "$run/small/"
awk 'BEGIN { for (i = 1; i <= 100; i++) printf "command number %d\r\n", i }' >"$run/small/commands.txt"
echo "== $entries entries, $(stat -c %s "$run/commands.txt") bytes; median of $runs runs each"

log="$work/results.txt"
(cd "$run" && wine startup_bench.exe "$runs") | tr -d '\r' | tee -a "$log"
(cd "$run" && wine inprocess_bench.exe "$runs") | tr -d '\r' | tee -a "$log"
(cd "$run" && wine process_bench.exe "$runs" "$chars" "$typing_runs") | tr -d '\r' | tee -a "$log"

# Size: the exe against 1 MiB, and the DLLs it imports (all must be the system's own).
exe=build/win64/OrvelleCommandsHelper.exe
echo "ROW|size: exe, KB (limit 1 MiB)|$(awk -v b="$(stat -c %s "$exe")" 'BEGIN { printf "%.3f", b / 1024 }')|1024|1.0" \
  | tee -a "$log"
echo "NOTE|imports: $(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ { printf "%s%s", sep, $3; sep = " " }')" \
  | tee -a "$log"

echo
echo "== results ($entries entries, median of $runs runs; times in ms unless the name gives a unit)"
status=0
awk -F'|' -v quick="$quick" '
  BEGIN {
    fmt = "%-68s %12s %12s %9s %7s  %s\n"
    printf fmt, "name", "program", "baseline", "ratio", "target", "verdict"
  }
  $1 == "ROW" {
    ratio = $4 > 0 ? $3 / $4 : 0
    if ($5 == "-") verdict = "info (no target)"
    else if (ratio <= $5 + 0) verdict = "ok"
    else verdict = "MISSED"
    if ($5 != "-" && ratio > 3) { gross = 1; if (quick) verdict = verdict ", gross regression (>3x)" }
    printf fmt, $2, sprintf("%.1f", $3), sprintf("%.1f", $4), sprintf("%.2fx", ratio),
           ($5 == "-" ? "-" : $5 "x"), verdict
    rows++
  }
  $1 == "NOTE" { notes = notes $2 "\n" }
  END {
    printf "%s", notes
    if (rows == 0) { print "no results"; exit 2 }
    if (quick && gross) exit 1
  }
' "$log" || status=$?
exit "$status"
