#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests (with AddressSanitizer and
# UBSan), then the Windows tests under Wine on a private virtual display and Wine prefix.
# Installs what a fresh Debian 12 machine lacks (needs root or sudo for that).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=common.sh
source "$here/common.sh"
root=$(repo_root)
cd "$root"

ensure_packages

echo "== host: portable logic, unit tests under ASan/UBSan"
build_preset host
ctest --preset host -j"$(nproc)"

echo "== fuzz: the command-file reader (30 s) and the image decoder (20 s) on random bytes"
# libFuzzer ends non-zero and leaves the input as build/fuzz/crash-* when a run aborts,
# trips a sanitizer or breaks the target's checks; that fails this script.
fuzz() {
  local name=$1 seconds=$2 source=$3
  shift 3
  mkdir -p "build/fuzz/$name-corpus"
  clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I. \
    "$source" "tests/fuzz/$name.cpp" -o "build/fuzz/$name"
  if ! "build/fuzz/$name" -max_total_time="$seconds" -artifact_prefix=build/fuzz/ "build/fuzz/$name-corpus" "$@" \
      2>"build/fuzz/$name.log"; then
    tail -n 40 "build/fuzz/$name.log" >&2
    echo "fuzz: $name failed on an input (kept in build/fuzz/)" >&2
    exit 1
  fi
  tail -n 1 "build/fuzz/$name.log"
}
fuzz ReadEntriesFuzz 30 commands/CommandFile.cpp
# Seeded with the program's own images (read only: new finds go to the first folder).
fuzz PngDecodeFuzz 20 platform/PngDecode.cpp -max_len=8192 resources

echo "== win64: the exe and its Windows tests"
build_preset win64

work=$(mktemp -d /tmp/orvelle-test.XXXXXX)
tiny=""
cleanup() {
  local status=$?
  set +e
  [ -n "${WINEPREFIX:-}" ] && "${runner[@]}" wineserver -k 2>/dev/null
  stop_display
  [ -n "$tiny" ] && mountpoint -q "$tiny" && as_root umount "$tiny"
  rm -rf "$work"
  exit "$status"
}
trap cleanup EXIT

# The Wine side runs as an unprivileged user: as root, Wine's read-only attribute (the Unix
# write bits) would not stop a write, and fault tests would pass for the wrong reason.
runner=()
if [ "$(id -u)" -eq 0 ]; then
  chmod 755 "$work"
  chown 65534:65534 "$work"
  chmod -R a+rwX "$root/build/win64"
  runner=(setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$work")
  # A tiny disk of its own for the full-disk case of saving.
  tiny="$work/tinydisk"
  mkdir -p "$tiny"
  if mount -t tmpfs -o size=4m,mode=0777 orvelle-tiny "$tiny"; then
    export ORVELLE_TINY_DISK="$tiny"
  else
    tiny=""
  fi
fi

start_display
"${runner[@]}" bash -c "source '$here/common.sh'; make_wine_prefix '$work/prefix'"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"${runner[@]}" ctest --preset win64

echo "== benchmarks, quick: a regression check that fails only on a gross slow-down"
# Ratios against baselines measured side by side; only a ratio above 3x fails (see bench/run.sh).
"${runner[@]}" wineserver -k 2>/dev/null || true
stop_display
unset WINEPREFIX
bash "$root/bench/run.sh" --quick
