#!/bin/sh
# What the Windows cross-build and its Wine tests need on Debian: the MinGW-w64 toolchain, Wine,
# NSIS for the installer, webpmux to read back the animation written under Wine, and Debian's
# source packages, enabled through a copy of the system's own source list.
set -eu

PACKAGES="g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools
binutils-mingw-w64-x86-64 wine64 wine dpkg-dev cmake ninja-build make pkg-config zip
xvfb xauth xdotool x11-utils fonts-ipafont-mincho fonts-ipafont-gothic fonts-ipaexfont python3
nsis webp"

if [ "$(id -u)" -eq 0 ]; then as_root=""; else as_root="sudo"; fi

system_list=/etc/apt/sources.list.d/debian.sources
source_list=/etc/apt/sources.list.d/vellumark-sources.sources
need_update=""
if [ -f "$system_list" ] && [ ! -f "$source_list" ] && ! grep -q 'deb-src' "$system_list"; then
    # The same mirrors and suites as the binaries, for source packages only.
    sed 's/^Types:.*/Types: deb-src/' "$system_list" | $as_root tee "$source_list" >/dev/null
    need_update=1
fi

missing=""
for package in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done

if [ -n "$missing" ] || [ -n "$need_update" ]; then
    $as_root env DEBIAN_FRONTEND=noninteractive apt-get update
fi
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    # shellcheck disable=SC2086
    $as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
fi
