#!/usr/bin/env bash
# Benchmarks of the program against plain yardsticks measured side by side, under Wine.
#
#   bash bench/run.sh            full: 1,000,000 entries (about 23 MB), median of 5 runs
#   bash bench/run.sh --quick    for CI: 100,000 entries, median of 3 runs; exits non-zero only
#                                on a gross regression (a row with a target above 3x)
#   options: --entries N, --runs N (override either mode's numbers)
#
# Builds the program and the benchmarks (win64 preset), sets up a private Wine prefix and a
# virtual display, writes commands.txt (entries "command number N", the last one "zzz") into
# a scratch folder with the program and the benchmark exes, runs them and prints one table:
# the median of the program's runs, the median of the yardstick's, their ratio, the target
# ratio and a verdict ("info" rows have no target and never fail).
# Program and yardstick runs alternate; no figure is compared with a fixed time.
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
while [ $# -gt 0 ]; do
  case "$1" in
    --quick) quick=1 ;;
    --entries) entries=$2; shift ;;
    --runs) runs=$2; shift ;;
    *) echo "usage: bash bench/run.sh [--quick] [--entries N] [--runs N]" >&2; exit 2 ;;
  esac
  shift
done
if [ "$quick" -eq 1 ]; then
  entries=${entries:-100000}
  runs=${runs:-3}
else
  entries=${entries:-1000000}
  runs=${runs:-5}
fi

ensure_packages
# The win64 preset, but only what the benchmarks run: a test being written elsewhere in the
# tree must not stop a measurement of the program.
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target OrvelleCommandsHelper OrvelleNoSkin BareListBox startup_bench inprocess_bench

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
   build/win64/bench/startup_bench.exe build/win64/bench/inprocess_bench.exe "$run/"
awk -v n="$entries" 'BEGIN { for (i = 1; i < n; i++) printf "command number %d\r\n", i; printf "zzz\r\n" }' \
  >"$run/commands.txt"
# The skin's start-up cost is measured on a small list, in a folder of its own.
mkdir -p "$run/skin"
cp build/win64/OrvelleCommandsHelper.exe build/win64/bench/OrvelleNoSkin.exe "$run/skin/"
awk 'BEGIN { for (i = 1; i <= 100; i++) printf "command number %d\r\n", i }' >"$run/skin/commands.txt"
echo "== $entries entries, $(stat -c %s "$run/commands.txt") bytes; median of $runs runs each"

log="$work/results.txt"
(cd "$run" && wine startup_bench.exe "$runs") | tr -d '\r' | tee -a "$log"
(cd "$run" && wine inprocess_bench.exe "$runs") | tr -d '\r' | tee -a "$log"

echo
echo "== results ($entries entries, median of $runs runs; times in ms)"
status=0
awk -F'|' -v quick="$quick" '
  BEGIN {
    fmt = "%-52s %12s %12s %9s %7s  %s\n"
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
  END {
    if (rows == 0) { print "no results"; exit 2 }
    if (quick && gross) exit 1
  }
' "$log" || status=$?
exit "$status"
