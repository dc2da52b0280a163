#!/usr/bin/env bash
# Installs a build into a scratch DESTDIR, as a package does, and checks the
# tree: every file where it belongs and nothing else, the programs run from
# there, and the desktop's own validators accept the entries, the metadata
# and the level file type.
#
#   install_test.sh BUILD_DIR VERSION DATA_DIR_FROM_PROGRAM
set -euo pipefail
build=$1
version=$2
data_from_program=$3
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

prefix=/opt/ferlan
DESTDIR="$stage" cmake --install "$build" --prefix "$prefix" >/dev/null
root=$stage$prefix

expected=(
    games/ferlan
    games/ferlan-editor
    games/ferlan-tool
    share/applications/ferlan-editor.desktop
    share/applications/ferlan.desktop
    share/doc/ferlan/changelog.gz
    share/doc/ferlan/copyright
    share/games/ferlan/vmos2.dll
    share/man/man6/ferlan-editor.6.gz
    share/man/man6/ferlan-tool.6.gz
    share/man/man6/ferlan.6.gz
    share/metainfo/de.ferlan.ferlan.editor.metainfo.xml
    share/metainfo/de.ferlan.ferlan.metainfo.xml
    share/mime/packages/ferlan.xml
)
for size in 16 24 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x$size/apps/ferlan.png"
               "share/icons/hicolor/${size}x$size/apps/ferlan-editor.png"
               "share/icons/hicolor/${size}x$size/mimetypes/application-x-ferlan-level.png")
done
# Everything lands below the prefix, and only what is listed.
if ! diff <(printf '%s\n' "${expected[@]/#/.$prefix/}" | sort) <(cd "$stage" && find . ! -type d | sort); then
    fail "the installed files differ from the list (< expected, > installed)"
fi

# A new player's progress in the data folder, where the game looks for it
# from its own folder; none beside the programs.
[[ "$(cat "$root/share/games/ferlan/vmos2.dll")" == $'0\r' ]] || fail "the new player's progress is not 0"
[[ "$root/games/$data_from_program" -ef "$root/share/games/ferlan" ]] ||
    fail "the game looks for its data in games/$data_from_program"

for program in ferlan ferlan-editor ferlan-tool; do
    out=$(QT_QPA_PLATFORM=offscreen "$root/games/$program" --version) || fail "$program --version failed"
    [[ "$out" == "$program $version" ]] || fail "$program --version printed \"$out\""
    gzip -t "$root/share/man/man6/$program.6.gz" || fail "the manual page of $program is broken"
    zcat "$root/share/man/man6/$program.6.gz" | grep -q "^\.TH \"\?${program^^}" ||
        fail "the manual page of $program is not its own"
done
for icon in "$root"/share/icons/hicolor/*/*/*.png; do
    size=$(basename "$(dirname "$(dirname "$icon")")")
    file "$icon" | grep -q "PNG image data, ${size/x/ x }," || fail "$icon is not a ${size} PNG"
done

out=$(desktop-file-validate "$root"/share/applications/*.desktop 2>&1) || fail "desktop-file-validate failed"
[[ -z "$out" ]] || fail "desktop-file-validate: $out"
grep -q '^Exec=ferlan-editor %f$' "$root/share/applications/ferlan-editor.desktop" ||
    fail "the editor's entry does not open a file"
for entry in "$root"/share/applications/*.desktop; do
    grep -q '^MimeType=application/x-ferlan-level;$' "$entry" || fail "$entry does not offer level files"
done

out=$(appstreamcli validate --no-net "$root"/share/metainfo/*.xml 2>&1) || fail "appstreamcli: $out"
! grep -E '^ *[EW]:' <<<"$out" || fail "appstreamcli reports errors or warnings"
grep -q "<release version=\"$version\"" "$root/share/metainfo/de.ferlan.ferlan.metainfo.xml" ||
    fail "the metadata does not name release $version"

mime=$root/share/mime/packages/ferlan.xml
xmllint --noout "$mime" || fail "the level file type is not well-formed XML"
glob=$(xmllint --xpath 'string(//*[local-name()="mime-type"][@type="application/x-ferlan-level"]/*[local-name()="glob"]/@pattern)' "$mime")
[[ "$glob" == "*.lev" ]] || fail "the level file type's glob is \"$glob\""

if ((failures > 0)); then
    echo "$failures failed" >&2
    exit 1
fi
echo "the installation is complete"
