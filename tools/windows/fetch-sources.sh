#!/bin/sh
# Unpacks Debian's source package of each library the Windows build needs into $1.
# The newest version whose files can all be fetched wins; where only the upstream tarball can be
# fetched, it is unpacked without Debian's changes (they concern Debian's own packaging).
set -eu

dest=$1
shift
mkdir -p "$dest/download"
cd "$dest/download"

for package in "$@"; do
    if [ -d "../$package" ]; then
        continue
    fi
    unpacked=""
    for version in $(apt-cache showsrc "$package" | sed -n 's/^Version: //p' | sort -rV | uniq); do
        if apt-get source --download-only "$package=$version" >/dev/null 2>&1; then
            upstream=$(echo "$version" | sed 's/^[0-9]*://')
            dpkg-source --no-check -x "${package}_${upstream}.dsc" "../$package" >/dev/null
            unpacked=1
            break
        fi
    done
    if [ -z "$unpacked" ]; then
        orig=$(ls "${package}"_*.orig.tar.* 2>/dev/null | grep -v '\.asc$' | grep -v -- '-[a-z0-9]*\.tar' | head -n 1 || true)
        if [ -z "$orig" ]; then
            echo "No source of $package could be fetched (are source packages enabled?)" >&2
            exit 1
        fi
        mkdir "../$package"
        tar -xf "$orig" -C "../$package" --strip-components=1
    fi
    echo "source: $package"
done
