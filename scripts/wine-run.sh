#!/usr/bin/env bash
# Runs a Windows program under Wine in the given prefix: the cross-compiling emulator of CTest.
#   wine-run.sh PREFIX PROGRAM.exe [ARGS...]
set -euo pipefail
prefix="$1"
shift
export WINEPREFIX="$prefix" WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
if [ ! -f "$prefix/.lumeno-ready" ]; then
  "$(dirname "$0")/wine-prefix.sh" "$prefix"
fi
exec wine "$@"
