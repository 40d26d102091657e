#!/bin/sh
# Fails when a layer includes what lies above it: scene/, text/, formats/, document/ and export/
# neither GL nor wx, render/ no wx, dialogs/ and app/ no GL of their own (they draw through
# render/), dialogs/ nothing of app/, and each project folder only the folders below. The build
# is the first net (each layer's include root holds only what it may see); this one also names
# relative paths.
cd "$(dirname "$0")/../src" || exit 2
status=0
# layer: project folders it may include, then the system headers it may not
check() {
    layer=$1 allowed=$2 forbidden=$3
    for file in "$layer"/*; do
        [ -f "$file" ] || continue
        # Any spacing around the hash counts, as the preprocessor reads it.
        grep -HnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' "$file" | while IFS= read -r line; do
            header=$(printf '%s' "$line" | sed -E 's/^[^#]*#[[:space:]]*include[[:space:]]*[<"]([^>"]*)[>"].*/\1/')
            case "$header" in
            .* | */./* | */../*)
                echo "$line: a relative path reaches past the layer's include root"
                continue
                ;;
            esac
            folder=${header%%/*}
            case " scene text formats document export render dialogs app resources " in
            *" $folder "*)
                case " $allowed resources " in
                *" $folder "*) ;;
                *) echo "$line: $layer/ may not include $folder/" ;;
                esac
                ;;
            esac
            case " $forbidden " in
            *" $folder "*) echo "$line: $layer/ may not include <$folder/...>" ;;
            esac
        done
    done
}
report=$(
    check scene "scene" "GL EGL wx ft2build freetype fontconfig"
    check text "scene text" "GL EGL wx"
    check formats "scene formats" "GL EGL wx"
    check document "scene text formats document" "GL EGL wx"
    check export "scene text formats export" "GL EGL wx"
    check render "scene text formats render" "wx"
    check render/studio "scene text formats render" "wx"
    check dialogs "scene text formats document render dialogs" "GL EGL"
    check app "scene text formats document export render dialogs app" "GL EGL"
)
if [ -n "$report" ]; then
    printf '%s\n' "$report"
    status=1
fi
exit $status
