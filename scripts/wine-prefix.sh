#!/usr/bin/env bash
# Creates the Wine prefix that Lumeno's Windows-side tests and runs use, inside the build tree,
# never the user's ~/.wine, and keeps its set-up current. Chinese text needs a CJK font: it is
# registered as "Microsoft YaHei", and linked behind every system UI font that menus, message
# boxes and dialogs use, so that those fall back to it for characters they lack.
# Safe to run any number of times; a prefix set up by an older version of this script is
# brought up to date.
set -euo pipefail
prefix="$1"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64

# Raise when the set-up below changes.
setup_version=2
stamp="$prefix/.lumeno-ready"
current() { [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$setup_version" ]; }
if current; then
  exit 0
fi
mkdir -p "$prefix"
# Several tests may start at once: one of them sets the prefix up, the others wait for it.
exec 9>"$prefix.lock"
flock 9
if current; then
  exit 0
fi
if [ ! -f "$prefix/system.reg" ]; then
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w || true
fi

cjk_face="WenQuanYi Micro Hei"
cjk_file="wqy-microhei.ttc"
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
  /v "Microsoft YaHei" /t REG_SZ /d "$cjk_face" /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\FontSubstitutes' \
  /v "Microsoft YaHei" /t REG_SZ /d "$cjk_face" /f >/dev/null 2>&1
# Wine's non-client metrics (menu, message box, caption, status fonts) name "MS Shell Dlg";
# dialogs use "MS Shell Dlg" and "MS Shell Dlg 2", which Windows maps to Tahoma, Microsoft Sans
# Serif or Segoe UI. A system link keeps each face for Latin text and takes the characters it
# lacks from the CJK font (GDI's own fallback, also seen by GetGlyphIndicesW).
link_key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
for face in "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "Segoe UI" "Microsoft Sans Serif" \
  "MS Sans Serif"; do
  wine reg add "$link_key" /v "$face" /t REG_MULTI_SZ /d "$cjk_file,$cjk_face" /f >/dev/null 2>&1
done
wineserver -w || true
echo "$setup_version" >"$stamp"
