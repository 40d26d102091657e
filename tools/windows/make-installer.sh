#!/bin/sh
# Packs BUILD/dist into the installer BUILD/vellumark-setup-x64.exe with NSIS (build folder, then
# source tree). The lists of what goes in and what the uninstaller removes are made from the folder
# itself, so the two always agree.
set -eu

build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
dist="$build/dist"
files="$build/installer-files.nsh"
removals="$build/installer-removals.nsh"
: >"$files"
: >"$removals"
windows_path() { printf '%s' "${1#.}" | tr / '\\'; }
# printf, not echo: the shell's echo would read the backslashes as escapes.
line() { printf '%s\n' "$2" >>"$1"; }

for folder in $(cd "$dist" && find . -type d | sort); do
    inside=$(windows_path "$folder")
    line "$files" "SetOutPath \"\$INSTDIR$inside\""
    for file in $(cd "$dist/$folder" && find . -maxdepth 1 -type f | sort); do
        line "$files" "File \"$dist/${folder#./}/${file#./}\""
        line "$removals" "Delete \"\$INSTDIR$inside\\${file#./}\""
    done
done
# Deepest folders first; a folder that holds anything else stays.
for folder in $(cd "$dist" && find . -mindepth 1 -type d | sort -r); do
    line "$removals" "RMDir \"\$INSTDIR$(windows_path "$folder")\""
done

makensis -V2 -DFILES="$files" -DREMOVALS="$removals" -DSIZE_KB="$(du -sk "$dist" | cut -f1)" \
    -DICON="$source/resources/windows/vellumark.ico" -DOUTFILE="$build/vellumark-setup-x64.exe" \
    "$source/tools/windows/vellumark.nsi"
echo "$build/vellumark-setup-x64.exe: $(du -h "$build/vellumark-setup-x64.exe" | cut -f1)"
