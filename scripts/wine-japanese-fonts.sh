#!/usr/bin/env bash
# Points the Japanese font names the program asks for (and Wine's UI font) at
# the IPA fonts from Debian, so menus and captions show Japanese instead of
# boxes. Run inside scripts/wine-desktop.sh; only the current Wine prefix changes.
set -euo pipefail
key='HKCU\Software\Wine\Fonts\Replacements'
replace() { wine reg add "$key" /v "$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1; }
replace 'MS UI Gothic' 'IPAPGothic'
replace 'ＭＳ ゴシック' 'IPAGothic'
replace 'ＭＳ Ｐゴシック' 'IPAPGothic'
replace 'Tahoma' 'IPAPGothic'
