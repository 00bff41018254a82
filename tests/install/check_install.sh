#!/bin/sh
# Installs the build into a scratch root, as a package would, and checks what a
# desktop gets from it: program, audio module, pictures, help, menu entry, icons,
# metadata, manual page.
# Usage: check_install.sh CMAKE BUILD_DIR SCRATCH_ROOT
set -eu
cmake=$1
build=$2
root=$3
top=$root/usr
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

rm -rf "$root"
DESTDIR=$root "$cmake" --install "$build" --prefix /usr >/dev/null

program=$top/bin/cardenza
desktop=$top/share/applications/org.cardenza.Cardenza.desktop
metainfo=$top/share/metainfo/org.cardenza.Cardenza.metainfo.xml
manual=$top/share/man/man6/cardenza.6

[ -x "$program" ] || fail "no program at $program"
[ -s "$top/share/cardenza/Cardenza.hlp" ] || fail "no help file in share/cardenza"

# The pictures drawn at build time, at both densities, where the program reads them.
for picture in FSCARD100.png SFSCARD157.png STARTUP.png STARTUP@2x.png FSCARD151@2x.png; do
    png=$top/share/cardenza/pictures/$picture
    [ -s "$png" ] || fail "no picture $picture in share/cardenza/pictures"
done

# The sound libraries come with the audio module, loaded with the first sound, and
# not with the program: they cost its start nothing.
module=$(find "$top/lib" -path '*/cardenza/cardenza-audio.so' | head -n 1)
if [ -z "$module" ]; then
    fail "no audio module in lib/.../cardenza"
else
    readelf -d "$module" | grep -q 'libQt6Multimedia' || fail "the audio module does not bring the sound libraries"
fi
if readelf -d "$program" | grep -q 'libQt6Multimedia'; then
    fail "the program itself loads the sound libraries at start"
fi

# Likewise the database libraries come with the statistics module, loaded when the
# first game ends.
stats=$(find "$top/lib" -path '*/cardenza/cardenza-stats.so' | head -n 1)
if [ -z "$stats" ]; then
    fail "no statistics module in lib/.../cardenza"
else
    readelf -d "$stats" | grep -q 'libQt6Sql' || fail "the statistics module does not bring Qt SQL"
fi
if readelf -d "$program" | grep -q 'libQt6Sql'; then
    fail "the program itself loads Qt SQL at start"
fi

desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $desktop"
grep -qx 'Exec=cardenza' "$desktop" || fail "the menu entry does not start cardenza"
grep -qx 'Icon=cardenza' "$desktop" || fail "the menu entry does not show the cardenza icon"
grep -qx 'Categories=Game;CardGame;' "$desktop" || fail "the menu entry is not filed under card games"

if ! report=$(appstreamcli validate --no-net "$metainfo" 2>&1); then
    echo "$report" >&2
    fail "appstreamcli rejects $metainfo"
fi
grep -q '<launchable type="desktop-id">org.cardenza.Cardenza.desktop</launchable>' "$metainfo" ||
    fail "the metadata does not launch the installed menu entry"
version=$("$program" --version | sed 's/.* //')
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metadata lists no release $version"

# Width and height from the PNG header.
png_size() {
    set -- $(od -An -tu1 -j16 -N8 "$1")
    echo "$(($1 << 24 | $2 << 16 | $3 << 8 | $4))x$(($5 << 24 | $6 << 16 | $7 << 8 | $8))"
}
for size in 16 32 48 64 128 256; do
    icon=$top/share/icons/hicolor/${size}x${size}/apps/cardenza.png
    if [ ! -s "$icon" ]; then
        fail "no ${size} pixel icon"
    elif [ "$(png_size "$icon")" != "${size}x${size}" ]; then
        fail "the ${size} pixel icon measures $(png_size "$icon")"
    fi
done

if [ ! -s "$manual" ]; then
    fail "no manual page at $manual"
else
    # Every option of --help, written as the manual writes it (\- for each hyphen).
    for option in $("$program" --help | grep -o -- ' -[a-z]\b\| --[a-z][a-z-]*'); do
        written=$(printf '%s' "$option" | sed 's/-/\\-/g')
        grep -qF -- "$written" "$manual" || fail "the manual page does not list $option"
    done
    if command -v man >/dev/null; then
        warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$manual" 2>&1 >/dev/null)
        [ -z "$warnings" ] || fail "the manual page renders with warnings: $warnings"
    fi
fi

[ "$failures" = 0 ] || exit 1
echo "installed and checked in $root"
