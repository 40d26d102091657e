#!/bin/sh
# Gathers what the Windows program needs into BUILD/dist and zips that folder as
# BUILD/vellumark-windows-x64.zip (build folder, source tree, then the folder holding the
# libraries' sources). The libraries linked into the program ask for their notices to travel
# with it: licenses/ holds each one's copyright file.
set -eu

build=$1
source=$2
libraries=$3
dist="$build/dist"
rm -rf "$dist" "$build/vellumark-windows-x64.zip"
mkdir -p "$dist"
cp "$build/vellumark.exe" "$build/SaveJPG.dll" "$dist/"
x86_64-w64-mingw32-strip "$dist/vellumark.exe" "$dist/SaveJPG.dll"
cp -r "$source/resources/help" "$dist/help"
cp "$source/docs/windows-readme.txt" "$dist/README.txt"
cp "$source/docs/logo-example.vmk" "$dist/"
mkdir -p "$dist/licenses"
for package in wxwidgets3.2 freetype libjpeg-turbo libpng1.6 zlib libzip lib3mf tinygltf \
    nlohmann-json3 libstb glm libpolyclipping libwebp; do
    for notice in "$libraries/$package/debian/copyright" "$libraries/$package/LICENSE"; do
        if [ -f "$notice" ]; then
            cp "$notice" "$dist/licenses/$package.txt"
            break
        fi
    done
done
cp /usr/share/doc/mingw-w64-common/copyright "$dist/licenses/mingw-w64-runtime.txt"
(cd "$dist" && zip -qr ../vellumark-windows-x64.zip .)
echo "$dist: $(du -sh "$dist" | cut -f1), zip $(du -h "$build/vellumark-windows-x64.zip" | cut -f1)"
