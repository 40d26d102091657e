#!/bin/sh
# lib3mf as one static library over the zlib and libzip built before it (source, build folder,
# prefix). Its bundled copies of those two are not in Debian's source, so it is pointed at ours.
set -eu

source=$1
build=$2
prefix=$3
here=$(cd "$(dirname "$0")" && pwd)

grep -rl 'Libraries/\(zlib/zlib\|libzip/zip\)\.h' "$source/Source" "$source/Include/Common" |
    xargs sed -i -e 's|"Libraries/zlib/zlib.h"|<zlib.h>|' -e 's|"Libraries/libzip/zip.h"|<zip.h>|'
rm -rf "$build"
cmake -S "$source" -B "$build" -G Ninja -Wno-dev -Wno-deprecated \
    -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64.cmake" -DVELLUMARK_WINDOWS_PREFIX="$prefix" \
    -DCMAKE_BUILD_TYPE=Release -DUSE_INCLUDED_ZLIB=OFF -DUSE_INCLUDED_LIBZIP=OFF \
    -DLIB3MF_TESTS=OFF -DCMAKE_CXX_FLAGS="-I$prefix/include -DZIP_STATIC"
cmake --build "$build" --target lib3MF_s -j "${JOBS:-$(nproc)}"
# The C entry points live outside the static library upstream; they join it here.
x86_64-w64-mingw32-g++-posix -std=c++11 -O2 -DBUILD_DLL -DZIP_STATIC -I"$prefix/include" \
    -I"$source/Include" -I"$build/Include" \
    -c "$source/Source/Model/COM/NMR_DLLInterfaces.cpp" -o "$build/NMR_DLLInterfaces.o"
cp "$build/lib3MF_s.a" "$prefix/lib/lib3MF.a"
x86_64-w64-mingw32-ar rs "$prefix/lib/lib3MF.a" "$build/NMR_DLLInterfaces.o" 2>/dev/null
mkdir -p "$prefix/include/lib3mf"
cp -r "$source/Include/Model" "$source/Include/Common" "$prefix/include/lib3mf/"
cp -r "$build/Include/." "$prefix/include/lib3mf/"
