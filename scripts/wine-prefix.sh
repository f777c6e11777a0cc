#!/usr/bin/env bash
# Creates (once) the Wine prefix that Lumeno's Windows-side tests and runs use, inside the build
# tree, never the user's ~/.wine. Registers a CJK font as "Microsoft YaHei" so Chinese text renders.
set -euo pipefail
prefix="$1"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
if [ -f "$prefix/.lumeno-ready" ]; then
  exit 0
fi
mkdir -p "$prefix"
wineboot -i >/dev/null 2>&1 || true
wineserver -w || true
font_key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
wine reg add "$font_key" /v "Microsoft YaHei" /t REG_SZ /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\FontSubstitutes' /v "Microsoft YaHei" /t REG_SZ /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
wineserver -w || true
touch "$prefix/.lumeno-ready"
