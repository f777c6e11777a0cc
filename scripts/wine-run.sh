#!/usr/bin/env bash
# Runs a Windows program under Wine in the given prefix: the cross-compiling emulator of CTest.
#   wine-run.sh PREFIX PROGRAM.exe [ARGS...]
set -euo pipefail
prefix="$1"
shift
export WINEPREFIX="$prefix" WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
# Creates the prefix, or brings one made by an older set-up up to date (quick when current).
"$(dirname "$0")/wine-prefix.sh" "$prefix"
exec wine "$@"
