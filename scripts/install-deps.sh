#!/usr/bin/env bash
# Install the Debian 12 packages that building and testing gleaner needs.
#
#   scripts/install-deps.sh        (as root, or with sudo available)
#
# Does nothing, and prints nothing, when everything is already there, so CI
# and the other scripts can call it on every run. Otherwise it runs
# apt-get update once and installs only what is missing.
set -euo pipefail

packages=(
    # host build: the portable logic and its unit tests. make is CMake's
    # build program for the default "Unix Makefiles" generator; cmake only
    # recommends it, so without recommends a minimal Debian lacks it.
    cmake make g++ googletest
    # the Conf.txt fuzzer: clang, and libFuzzer with the sanitizer runtimes
    # (clang 14 only recommends them)
    clang libclang-rt-14-dev
    # cross build of gleaner.exe (the -posix compilers: GoogleTest needs
    # std::mutex, which the win32 thread model lacks)
    g++-mingw-w64-x86-64-posix mingw-w64
    # Wine, 64-bit only: "wine" is the /usr/bin/wine launcher, "wine64" the
    # loader, "libwine" the rest. The fonts are only recommendations of
    # libwine: Wine's own (Marlett, Tahoma, ...) and Liberation, which Wine
    # substitutes for the Windows UI fonts. Without Liberation everything is
    # drawn in DejaVu Sans, wider than on Windows and than on a desktop
    # that has the recommendations installed.
    wine wine64 libwine fonts-wine fonts-liberation
    # Japanese glyphs for the program's menus and captions under Wine
    # (scripts/wine-japanese-fonts.sh points the Japanese font names at it)
    fonts-ipafont-gothic
    # the headless desktop: X server, window manager, xdpyinfo/xprop
    xvfb openbox x11-utils
    # driving the desktop from tests: keys, the X clipboard, screenshots
    xdotool xclip imagemagick
    # the release archive and the installer (scripts/release.sh,
    # scripts/build-msi.sh): wixl builds the .msi, msitools' msibuild
    # completes it
    zip wixl msitools
)

# Installed means dpkg's status is "installed" (not merely unpacked or
# removed with its config files left behind).
missing=()
for pkg in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null || true)
    [ "$status" = installed ] || missing+=("$pkg")
done

if [ ${#missing[@]} -gt 0 ]; then
    as_root=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null 2>&1 || {
            echo "install-deps: need root to install: ${missing[*]}" >&2
            exit 1
        }
        as_root=(sudo)
    fi
    echo "install-deps: installing ${missing[*]}" >&2
    "${as_root[@]}" apt-get update -q
    # No recommends: Wine's alone would add OpenGL/Vulkan drivers, SDL,
    # OSMesa, GStreamer plugins and CUPS, none of which the tests use. The
    # X libraries Wine recommends (Xrender, XFixes for the clipboard, Xi,
    # Xrandr, ...) come in anyway as dependencies of openbox, x11-utils and
    # xvfb; the fonts are listed above by name.
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Sanity checks that catch a half-working install early: the wine launcher
# must find the 64-bit loader, and the cross compiler must be the -posix one.
if ! wine_version=$(WINEDEBUG=-all wine --version 2>&1); then
    echo "install-deps: 'wine --version' failed: $wine_version" >&2
    exit 1
fi
command -v x86_64-w64-mingw32-g++-posix >/dev/null || {
    echo "install-deps: x86_64-w64-mingw32-g++-posix not found after install" >&2
    exit 1
}
