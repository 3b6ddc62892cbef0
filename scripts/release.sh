#!/usr/bin/env bash
# Builds the release packages of gleaner:
#
#   scripts/release.sh        (as root on a fresh Debian 12: installs what is missing)
#
# gives, in dist/:
#   gleaner-<version>-win64.msi  the per-user installer (no administrator
#                                rights; %LOCALAPPDATA%\Programs\gleaner)
#   gleaner-<version>-win64.zip  a portable copy: gleaner.exe, the user guide
#                                in Japanese and in English (gleaner-guide.html,
#                                gleaner-guide-en.html: the program's ヘルプ
#                                opens the one in its language beside the exe)
#                                and the licence
#   SHA256SUMS                   the sums of both ("cd dist && sha256sum -c SHA256SUMS")
# The version is the CMake project's. The build has its own folder,
# build/release, so it works from a clean clone and leaves the other builds
# alone. The same commit gives the same zip, byte for byte.
set -euo pipefail

repo_dir=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo_dir"

scripts/install-deps.sh

# Every time stamp (the exe's header, the archive's entries) is the last
# commit's, so the same sources give the same archive, byte for byte.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || echo 315532800)
export SOURCE_DATE_EPOCH

build=build/release
cmake -S . -B "$build" --toolchain cmake/mingw-w64-posix.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target gleaner -j "$(nproc 2>/dev/null || echo 2)"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "release: no project version in $build/CMakeCache.txt" >&2; exit 1; }
name=gleaner-$version-win64

stage=$build/stage
rm -rf "$stage"
mkdir -p "$stage" dist
x86_64-w64-mingw32-strip -o "$stage/gleaner.exe" "$build/bin/gleaner.exe"
cp docs/gleaner-guide.html docs/gleaner-guide-en.html "$stage/"
# Notepad on older Windows shows a file without CR LF as one long line.
sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"

# Fixed times and order, no extra attributes: the archive depends only on
# the files' contents.
touch -d "@$SOURCE_DATE_EPOCH" "$stage"/*
rm -f "dist/$name.zip" "dist/$name.zip.sha256" "dist/$name.msi" dist/SHA256SUMS
(cd "$stage" && TZ=UTC zip -X -q -9 "$repo_dir/dist/$name.zip" gleaner.exe gleaner-guide.html gleaner-guide-en.html \
    LICENSE.txt)
scripts/build-msi.sh "$version" "$stage/gleaner.exe" "$stage/gleaner-guide.html" "dist/$name.msi"
(cd dist && sha256sum "$name.msi" "$name.zip" >SHA256SUMS)

echo "release: dist/$name.msi, dist/$name.zip"
cat dist/SHA256SUMS
