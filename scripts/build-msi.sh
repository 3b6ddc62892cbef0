#!/usr/bin/env bash
# Builds gleaner's per-user installer from packaging/gleaner.wxs:
#
#   scripts/build-msi.sh VERSION EXE GUIDE OUT.msi
#
# GUIDE is the Japanese user guide, gleaner-guide.html; the English one,
# gleaner-guide-en.html, is taken from the same folder. Both are installed
# beside gleaner.exe, whose ヘルプ opens the one in the user's language.
# The product code follows from the version, so each version is one product
# (the guide's ADDLOCAL/REMOVE commands work with the same .msi that
# installed it) and a newer one replaces an older one. Needs wixl and
# msibuild (Debian's wixl and msitools).
set -euo pipefail

[ $# -eq 4 ] || { sed -n '2,/^set -euo/{/^set -euo/d;s/^# \{0,1\}//;p}' "$0" >&2; exit 2; }
version=$1 exe=$2 guide=$3 out=$4
guide_en=$(dirname -- "$guide")/gleaner-guide-en.html
[ -f "$guide_en" ] || { echo "build-msi: no $guide_en beside $guide" >&2; exit 1; }
repo_dir=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")/.." && pwd)

hash=$(printf 'gleaner %s' "$version" | sha256sum | tr 'a-f' 'A-F')
product_code="${hash:0:8}-${hash:8:4}-${hash:12:4}-${hash:16:4}-${hash:20:12}"

# wixl takes the files from the folder it runs in, by their names.
stage=$(mktemp -d)
trap 'rm -rf -- "$stage"' EXIT
cp -- "$exe" "$stage/gleaner.exe"
cp -- "$guide" "$stage/gleaner-guide.html"
cp -- "$guide_en" "$stage/gleaner-guide-en.html"
cp -- "$repo_dir/src/resources/gleaner.ico" "$stage/"
mkdir -p "$(dirname -- "$out")"
out=$(cd "$(dirname -- "$out")" && pwd)/$(basename -- "$out")
rm -f -- "$out"
(cd "$stage" && wixl --arch x64 -o "$out" -D Version="$version" -D ProductCode="$product_code" \
    "$repo_dir/packaging/gleaner.wxs")

# The names the user sees, in Japanese: wixl cannot write them (see the
# .wxs), msibuild can once the database's code page is 932.
name='ぐりーなー！ (gleaner)'
printf '\n\n932\t_ForceCodepage\n' >"$stage/_ForceCodepage.idt"
msibuild "$out" -i "$stage/_ForceCodepage.idt"
msibuild "$out" \
    -q "UPDATE \`Property\` SET \`Value\` = '$name' WHERE \`Property\` = 'ProductName'" \
    -q "UPDATE \`Shortcut\` SET \`Name\` = 'GLEANER|$name', \`Description\` = 'ぐりーなー！ clipboard collector' WHERE \`Shortcut\` = 'StartMenu'"

# Start at sign-in only when asked: AUTOSTART=1 brings the Autostart
# feature's level down to the install level (1).
msibuild "$out" \
    -q 'CREATE TABLE `Condition` (`Feature_` CHAR(38) NOT NULL, `Level` SHORT NOT NULL, `Condition` CHAR(255) PRIMARY KEY `Feature_`, `Level`)' \
    -q "INSERT INTO \`Condition\` (\`Feature_\`, \`Level\`, \`Condition\`) VALUES ('Autostart', 1, 'AUTOSTART=1')"
