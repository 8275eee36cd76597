# Shared by run.sh and test.sh: installs what a fresh Debian 12 machine lacks, builds, and
# sets up a private Wine prefix and X display. Source it; it defines functions only.

repo_root() { cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd; }

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# Installs the Debian packages behind the commands that are missing.
ensure_packages() {
  local need=()
  command -v cmake >/dev/null || need+=(cmake)
  command -v ninja >/dev/null || need+=(ninja-build)
  command -v g++ >/dev/null || need+=(g++)
  [ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
  command -v x86_64-w64-mingw32-g++-posix >/dev/null || need+=(mingw-w64)
  command -v wine >/dev/null || need+=(wine)
  [ -x /usr/lib/wine/wine64 ] || need+=(wine64)
  command -v Xvfb >/dev/null || need+=(xvfb)
  command -v xwininfo >/dev/null || need+=(x11-utils)
  # The real ImageMagick (some images ship a stand-in 'convert' without 'import').
  command -v import >/dev/null || need+=(imagemagick)
  command -v setpriv >/dev/null || need+=(util-linux)
  command -v clang++ >/dev/null || need+=(clang)
  if [ ${#need[@]} -gt 0 ]; then
    echo "Installing: ${need[*]}"
    as_root apt-get update -qq
    DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq "${need[@]}" >/dev/null
  fi
}

build_preset() {
  local preset=$1
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
}

# Starts Xvfb on a free display number and exports DISPLAY; XVFB_PID is set for stop_display.
start_display() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.1
    done
    if kill -0 "$XVFB_PID" 2>/dev/null; then
      export DISPLAY=":$n"
      return 0
    fi
  done
  echo "no free X display" >&2
  return 1
}

stop_display() { [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null; XVFB_PID=; }

# Creates a Wine prefix in $1 (owned by the calling user) set up for unattended runs: no
# debugger dialog on a crash, window frames drawn by Wine itself, and windows unmanaged (with
# no window manager on the display, Wine would wait for one at every window it hides).
make_wine_prefix() {
  export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  local reg="$WINEPREFIX/setup.reg"
  cat >"$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Decorated"="N"
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\AeDebug]
"Debugger"="-"
"Auto"="1"
REG
  wine regedit "$reg" >/dev/null 2>&1
  wineserver -w
}

stop_wine() { [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null; true; }
