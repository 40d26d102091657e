#!/bin/sh
# Installs the Debian packages the build and the tests need, only those that are missing.
set -eu

PACKAGES="cmake g++ pkg-config ninja-build make ccache
libwxgtk3.2-dev wx3.2-i18n libx11-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri
libfreetype-dev libharfbuzz-dev libharfbuzz-bin libfontconfig-dev fontconfig libpolyclipping-dev zlib1g-dev
fonts-ipafont-mincho fonts-ipafont-gothic fonts-ipaexfont fonts-dejavu-core
libjpeg62-turbo-dev libpng-dev libegl-dev libegl-mesa0 libtinygltf-dev lib3mf-dev
libgtest-dev libgmock-dev libbenchmark-dev libcgal-dev
libglm-dev libstb-dev
libwebp-dev libavcodec-dev libavformat-dev libavfilter-dev libswscale-dev libavutil-dev ffmpeg webp
admesh nodejs xvfb xauth xdotool x11-utils imagemagick python3 clang libclang-rt-14-dev"

missing=""
# The 3D export tests fetch their outside readers with npm, which some Node.js builds bring along.
command -v npm >/dev/null 2>&1 || missing="npm"
for package in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done

if [ -z "$missing" ]; then
    exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
    as_root=""
else
    as_root="sudo"
fi

echo "Installing:$missing"
$as_root env DEBIAN_FRONTEND=noninteractive apt-get update
# shellcheck disable=SC2086
$as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
