#!/usr/bin/env bash
# Runs one Windows executable under Wine, in the prefix and display that the test script set
# up (WINEPREFIX, DISPLAY). CTest starts every Windows test through this.
set -euo pipefail
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec wine "$@"
