#!/bin/sh
# Builds the third-party libraries of the Windows program from Debian's source packages, as static
# libraries, into PREFIX (first argument). Each library is built once: a stamp in PREFIX records it.
set -eu

prefix=$1
here=$(cd "$(dirname "$0")" && pwd)
work="$prefix/../sources"
jobs=${JOBS:-$(nproc)}
host=x86_64-w64-mingw32
toolchain="$here/mingw-w64.cmake"
mkdir -p "$prefix/lib" "$prefix/include" "$work"
prefix=$(cd "$prefix" && pwd -P)

sh "$here/fetch-sources.sh" "$work" zlib libpng1.6 libjpeg-turbo freetype harfbuzz libpolyclipping googletest \
    libzip lib3mf tinygltf nlohmann-json3 libstb glm libwebp wxwidgets3.2

# Third-party builds say a lot: it goes to a log beside the sources, shown when a step fails.
quietly() { # log name, then the command
    log="$work/$1.log"
    shift
    if ! "$@" >>"$log" 2>&1; then
        tail -n 40 "$log" >&2
        echo "failed: $*; the whole output is in $log" >&2
        exit 1
    fi
}

cmake_library() { # source folder, then options
    source=$1
    shift
    name=$(basename "$source")
    rm -rf "$work/build-$name" "$work/$name.log"
    quietly "$name" cmake -S "$source" -B "$work/build-$name" -G Ninja -Wno-dev \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DVELLUMARK_WINDOWS_PREFIX="$prefix" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
        -DCMAKE_POLICY_DEFAULT_CMP0074=NEW "$@"
    quietly "$name" cmake --build "$work/build-$name" -j "$jobs"
    quietly "$name" cmake --install "$work/build-$name"
}

built() { test -f "$prefix/.built-$1"; }
done_with() { touch "$prefix/.built-$1"; echo "built: $1"; }

if ! built zlib; then
    # Debian's source leaves out zlib's Windows makefiles; the library is its top-level C files.
    mkdir -p "$work/build-zlib"
    for c in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate \
        inftrees trees uncompr zutil; do
        $host-gcc-posix -O2 -c "$work/zlib/$c.c" -o "$work/build-zlib/$c.o"
    done
    $host-ar rcs "$prefix/lib/libz.a" "$work"/build-zlib/*.o
    cp "$work/zlib/zlib.h" "$work/zlib/zconf.h" "$prefix/include/"
    mkdir -p "$prefix/lib/pkgconfig"
    printf 'Name: zlib\nDescription: zlib compression library\nVersion: 1.2.13\nLibs: -L%s/lib -lz\nCflags: -I%s/include\n' \
        "$prefix" "$prefix" >"$prefix/lib/pkgconfig/zlib.pc"
    done_with zlib
fi

if ! built libpng; then
    cmake_library "$work/libpng1.6" -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
        -DZLIB_ROOT="$prefix"
    done_with libpng
fi

if ! built libjpeg-turbo; then
    cmake_library "$work/libjpeg-turbo" -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF
    done_with libjpeg-turbo
fi

if ! built freetype; then
    # Over the zlib above: FreeType's own copy would clash with it in one program.
    cmake_library "$work/freetype" -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BZIP2=ON \
        -DFT_DISABLE_BROTLI=ON -DFT_DISABLE_PNG=ON -DFT_REQUIRE_ZLIB=ON -DZLIB_ROOT="$prefix"
    done_with freetype
fi

if ! built harfbuzz; then
    # The shaper is one translation unit; over the FreeType above, without the system's own shapers.
    quietly harfbuzz $host-g++-posix -O2 -std=c++11 -fno-exceptions -fno-rtti -DHAVE_FREETYPE=1 \
        -I"$prefix/include/freetype2" -c "$work/harfbuzz/src/harfbuzz.cc" -o "$work/harfbuzz.o"
    $host-ar rcs "$prefix/lib/libharfbuzz.a" "$work/harfbuzz.o"
    mkdir -p "$prefix/include/harfbuzz"
    cp "$work"/harfbuzz/src/hb*.h "$prefix/include/harfbuzz/"
    sed -e 's/#mesondefine HB_HAS_FREETYPE/#define HB_HAS_FREETYPE 1/' \
        -e 's|#mesondefine \(.*\)|/* #undef \1 */|' "$work/harfbuzz/src/hb-features.h.in" \
        >"$prefix/include/harfbuzz/hb-features.h"
    printf 'Name: harfbuzz\nDescription: OpenType text shaping\nVersion: 6.0.0\nRequires: freetype2\nLibs: -L%s/lib -lharfbuzz\nCflags: -I%s/include/harfbuzz\n' \
        "$prefix" "$prefix" >"$prefix/lib/pkgconfig/harfbuzz.pc"
    done_with harfbuzz
fi

if ! built polyclipping; then
    mkdir -p "$prefix/include/polyclipping"
    $host-g++-posix -O2 -std=c++17 -c "$work/libpolyclipping/cpp/clipper.cpp" -o "$work/clipper.o"
    $host-ar rcs "$prefix/lib/libpolyclipping.a" "$work/clipper.o"
    cp "$work/libpolyclipping/cpp/clipper.hpp" "$prefix/include/polyclipping/"
    printf 'Name: polyclipping\nDescription: Polygon clipping\nVersion: 6.4.2\nLibs: -L%s/lib -lpolyclipping\nCflags: -I%s/include/polyclipping\n' \
        "$prefix" "$prefix" >"$prefix/lib/pkgconfig/polyclipping.pc"
    done_with polyclipping
fi

if ! built googletest; then
    cmake_library "$work/googletest" -Dgtest_disable_pthreads=OFF
    done_with googletest
fi

if ! built libwebp; then
    # The encoder and its animation writer (libwebpmux); none of its tools.
    cmake_library "$work/libwebp" -DWEBP_BUILD_ANIM_UTILS=OFF -DWEBP_BUILD_CWEBP=OFF \
        -DWEBP_BUILD_DWEBP=OFF -DWEBP_BUILD_GIF2WEBP=OFF -DWEBP_BUILD_IMG2WEBP=OFF \
        -DWEBP_BUILD_VWEBP=OFF -DWEBP_BUILD_WEBPINFO=OFF -DWEBP_BUILD_WEBPMUX=OFF \
        -DWEBP_BUILD_EXTRAS=OFF
    done_with libwebp
fi

if ! built libzip; then
    cmake_library "$work/libzip" -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF \
        -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF -DENABLE_OPENSSL=OFF -DENABLE_WINDOWS_CRYPTO=ON \
        -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF -DZLIB_ROOT="$prefix"
    done_with libzip
fi

if ! built lib3mf; then
    quietly lib3mf sh "$here/build-lib3mf.sh" "$work/lib3mf" "$work/build-lib3mf" "$prefix"
    done_with lib3mf
fi

if ! built tinygltf; then
    # The glTF reader and writer over the JSON library, with stb's image codecs as Debian builds it.
    cp "$work/tinygltf/tiny_gltf.h" "$prefix/include/"
    cp -r "$work/nlohmann-json3/single_include/nlohmann" "$prefix/include/"
    printf '#define TINYGLTF_IMPLEMENTATION\n#define STB_IMAGE_IMPLEMENTATION\n#define STB_IMAGE_WRITE_IMPLEMENTATION\n#include <tiny_gltf.h>\n' \
        >"$work/tinygltf.cpp"
    $host-g++-posix -O2 -std=c++17 -I"$prefix/include" -I"$work/libstb" -c "$work/tinygltf.cpp" \
        -o "$work/tinygltf.o"
    $host-ar rcs "$prefix/lib/libtinygltf.a" "$work/tinygltf.o"
    done_with tinygltf
fi

if ! built header-libraries; then
    # Header-only: stb's image decoders (Radiance pictures) and GLM's vectors and matrices.
    mkdir -p "$prefix/include/stb"
    cp "$work/libstb/stb_image.h" "$prefix/include/stb/"
    cp -r "$work/glm/glm" "$prefix/include/"
    done_with header-libraries
fi

if ! built wxwidgets; then
    rm -rf "$work/build-wx"
    mkdir -p "$work/build-wx"
    # Native controls, OpenGL and the HTML help; the libraries the program does not use are left out.
    cd "$work/build-wx"
    quietly wxwidgets "$work/wxwidgets3.2/configure" --host=$host --build=x86_64-linux-gnu \
        --prefix="$prefix" --disable-shared --enable-unicode --with-msw --with-opengl \
        --with-libpng=sys --with-libjpeg=sys --with-zlib=sys --without-libtiff --without-expat \
        --disable-xrc --disable-aui --disable-ribbon --disable-propgrid \
        --disable-richtext --disable-stc --disable-webview --disable-mediactrl --disable-debug_info \
        CC=$host-gcc-posix CXX=$host-g++-posix \
        CPPFLAGS="-I$prefix/include" LDFLAGS="-L$prefix/lib"
    quietly wxwidgets make -j "$jobs"
    quietly wxwidgets make install
    done_with wxwidgets
fi
