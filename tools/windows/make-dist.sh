#!/bin/sh
# Gathers what the Windows program needs into BUILD/dist and zips that folder as
# BUILD/vellumark-windows-x64.zip (build folder, then the source tree).
set -eu

build=$1
source=$2
dist="$build/dist"
rm -rf "$dist" "$build/vellumark-windows-x64.zip"
mkdir -p "$dist"
cp "$build/vellumark.exe" "$build/SaveJPG.dll" "$dist/"
x86_64-w64-mingw32-strip "$dist/vellumark.exe" "$dist/SaveJPG.dll"
cp -r "$source/resources/help" "$dist/help"
cp "$source/docs/windows-readme.txt" "$dist/README.txt"
cp "$source/docs/logo-example.vmk" "$dist/"
(cd "$dist" && zip -qr ../vellumark-windows-x64.zip .)
echo "$dist: $(du -sh "$dist" | cut -f1), zip $(du -h "$build/vellumark-windows-x64.zip" | cut -f1)"
