#!/usr/bin/env bash
# Builds the program if needed and starts it under Wine.
# - With an X display (DISPLAY set and reachable) it simply runs the program there; its
#   commands.txt is the one beside build/win64/OrvelleCommandsHelper.exe.
# - With no display it runs a demo copy on a virtual display (build/demo/, with a sample
#   command list), saves a screenshot of the window to artifacts/screenshot.png, and closes it.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=common.sh
source "$here/common.sh"
root=$(repo_root)
cd "$root"

ensure_packages
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target OrvelleCommandsHelper
exe="$root/build/win64/OrvelleCommandsHelper.exe"

if [ -n "${DISPLAY:-}" ] && xwininfo -root >/dev/null 2>&1; then
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  exec wine "$exe"
fi

shot="$root/artifacts/screenshot.png"
demo="$root/build/demo"
mkdir -p "$demo" "$(dirname "$shot")"
cp "$exe" "$demo/"
if [ ! -f "$demo/commands.txt" ]; then
  printf '%s\r\n' "dir /w" "" "echo Hello from Orvelle" "" "ping -n 3 127.0.0.1" "" "ipconfig /all" "" >"$demo/commands.txt"
fi

cleanup() {
  set +e
  wineserver -k 2>/dev/null
  stop_display
}
trap cleanup EXIT

start_display
prefix="$root/build/wine-prefix"
if [ -f "$prefix/system.reg" ]; then
  export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
else
  echo "Creating a Wine prefix (once) in build/wine-prefix ..."
  make_wine_prefix "$prefix"
fi

(cd "$demo" && wine OrvelleCommandsHelper.exe >/dev/null 2>&1 &)
geometry=""
for _ in $(seq 200); do
  info=$(xwininfo -name "Commands Helper" 2>/dev/null || true)
  if [ -n "$info" ] && grep -q "IsViewable" <<<"$info"; then
    x=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
    y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
    w=$(awk '/Width:/ {print $2}' <<<"$info")
    h=$(awk '/Height:/ {print $2}' <<<"$info")
    geometry="${w}x${h}+${x}+${y}"
    break
  fi
  sleep 0.1
done
if [ -z "$geometry" ]; then
  echo "the window did not appear" >&2
  exit 1
fi
sleep 1  # let it finish painting
import -window root -crop "$geometry" +repage "$shot"
echo "Screenshot of the window ($geometry): $shot"
echo "Closing the program."
