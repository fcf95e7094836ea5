#!/usr/bin/env bash
# Installs the build into a temporary folder (DESTDIR), checks what is installed, builds the
# Debian package and runs the programs extracted from it. Nothing is installed on the system;
# in the build folder only the usual install_manifest.txt is written.
#   test_package.sh BUILD_FOLDER VERSION
set -euo pipefail
build=$1
version=$2

work=$(mktemp -d "${TMPDIR:-/tmp}/vemo-package.XXXXXX")
gui_pids=()
cleanup() {
    for pid in "${gui_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAILED: $*" >&2
    exit 1
}
step() {
    echo "-- $* (${SECONDS} s)"
}

# Waits up to $1 seconds for the command that follows to succeed.
wait_for() {
    local limit=$1
    shift
    local end=$((SECONDS + limit))
    until "$@"; do
        ((SECONDS < end)) || return 1
        sleep 0.2
    done
}

expected_files() {
    printf '%s\n' \
        usr/bin/vemo \
        usr/bin/vemo-cli \
        "usr/share/vemo/Blason générique.gif" \
        "usr/share/vemo/Blason générique_24.ico" \
        usr/share/vemo/Vemo.html \
        usr/share/applications/vemo.desktop \
        usr/share/metainfo/example.vemo.Vemo.metainfo.xml \
        usr/share/icons/hicolor/scalable/apps/vemo.svg \
        usr/share/man/man1/vemo.1 \
        usr/share/man/man1/vemo-cli.1 \
        usr/share/doc/vemo/copyright
    for size in 16 24 32 48 64 128 256; do
        echo "usr/share/icons/hicolor/${size}x${size}/apps/vemo.png"
    done
}

step "install into a temporary folder"
dest=$work/dest
DESTDIR=$dest cmake --install "$build" --prefix /usr >/dev/null
diff <(expected_files | sort) <(cd "$dest" && find . -type f -printf '%P\n' | sort) ||
    fail "the installed files are not the expected ones"

step "icons, desktop file, metainfo, manual pages"
for size in 16 24 32 48 64 128 256; do
    file -b "$dest/usr/share/icons/hicolor/${size}x${size}/apps/vemo.png" |
        grep -q "^PNG image data, $size x $size," || fail "the ${size}x${size} icon is not a PNG of that size"
done
file -b "$dest/usr/share/icons/hicolor/scalable/apps/vemo.svg" | grep -q SVG ||
    fail "the scalable icon is not an SVG"
desktop=$dest/usr/share/applications/vemo.desktop
out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $out"
[[ -z $out ]] || fail "desktop-file-validate: $out"
grep -qx 'Exec=vemo %f' "$desktop" || fail "the desktop file does not start vemo with the file"
grep -qx 'Icon=vemo' "$desktop" || fail "the desktop file does not name the icon"
metainfo=$dest/usr/share/metainfo/example.vemo.Vemo.metainfo.xml
out=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli: $out"
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$metainfo" ||
    fail "the metainfo does not give the licence"
grep -q '^License: GPL-3.0+' "$dest/usr/share/doc/vemo/copyright" ||
    fail "no licence in the package's copyright file"
grep -q '<launchable type="desktop-id">vemo.desktop</launchable>' "$metainfo" ||
    fail "the metainfo does not launch vemo.desktop"
grep -q "<release version=\"$version\" date=\"[0-9-]*\"" "$metainfo" ||
    fail "the metainfo has no dated release $version"
for page in vemo vemo-cli; do
    out=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$dest/usr/share/man/man1/$page.1" 2>&1 >"$work/$page.txt")
    [[ -z $out ]] || fail "manual page $page: $out"
    grep -q "^NOM" "$work/$page.txt" || fail "manual page $page has no NOM section"
done

step "build the package"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/pkg" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack"; }
deb=$work/pkg/vemo_${version}_$(dpkg --print-architecture).deb
[[ -f $deb ]] || fail "no $(basename "$deb")"

step "the package's control fields and contents"
info=$(dpkg-deb -I "$deb")
field() { sed -n "s/^ $1: //p" <<<"$info"; }
[[ $(field Package) == vemo ]] || fail "Package: $(field Package)"
[[ $(field Version) == "$version" ]] || fail "Version: $(field Version)"
[[ -n $(field Maintainer) ]] || fail "no Maintainer"
[[ -n $(field Section) ]] || fail "no Section"
depends=$(field Depends)
for package in libsqlcipher0 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 \
    libqt6charts6 libcsv3 qt6-qpa-plugins qt6-translations-l10n; do
    grep -qE "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends lacks $package: $depends"
done
# SQLCipher carries SQLite's own symbols: the plain library must never come along.
! grep -q libsqlite3 <<<"$depends" || fail "Depends names libsqlite3: $depends"
diff <(expected_files | sort) \
    <(dpkg-deb -c "$deb" | grep -v '/$' | sed 's|^.* \./||' | sort) ||
    fail "the package does not hold the installed files"

step "extract the package"
root=$work/root
dpkg-deb -x "$deb" "$root"
for program in vemo vemo-cli; do
    file -b "$root/usr/bin/$program" | grep -q ', stripped' || fail "$program is not stripped"
done
before=$(cd "$root" && find . -printf '%P %s %T@\n' | sort)

# The extracted programs run as installed ones would, in a home of their own.
mkdir -p "$work/home" "$work/runtime" "$work/tmp" "$work/league"
chmod 700 "$work/runtime"
run=(env -u LD_LIBRARY_PATH -u DISPLAY -u WAYLAND_DISPLAY
    HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_CACHE_HOME="$work/home/cache"
    XDG_DATA_HOME="$work/home/data" XDG_RUNTIME_DIR="$work/runtime" TMPDIR="$work/tmp"
    LANG=C.UTF-8)

step "the extracted vemo-cli creates a competition and prints its standings"
cli=$root/usr/bin/vemo-cli
league=$work/league/Ligue.dat
printf 'Lens\nLille\nMetz\nNancy\n' >"$work/league/equipes.txt"
printf '%s\n' 'Journée,Domicile,ScoreDomicile,Visiteur,ScoreVisiteur' \
    '1,Lens,2,Lille,0' '1,Metz,1,Nancy,1' '2,Lille,3,Metz,1' '2,Nancy,0,Lens,1' \
    >"$work/league/resultats.csv"
"${run[@]}" "$cli" new "$league" --name Ligue --season 2025-2026 --teams "$work/league/equipes.txt" >/dev/null
"${run[@]}" "$cli" import "$league" "$work/league/resultats.csv" >/dev/null
diff <(printf '%s\n' 'Pl,Equipe,Pts,J,G,N,P,B+,B-,Diff' '1,Lens,6,2,2,0,0,3,0,3' \
    '2,Lille,3,2,1,0,1,3,3,0' '3,Nancy,1,2,0,1,1,1,2,-1' '4,Metz,1,2,0,1,1,2,4,-2') \
    <("${run[@]}" "$cli" standings "$league" --format csv) || fail "the standings of the extracted vemo-cli"
"${run[@]}" "$cli" standings "$league" | grep -q '^ 1  Lens' || fail "the text standings"
# Every command of the tool's help has its entry in the manual page.
commands=$("${run[@]}" "$cli" --help | sed -n 's/^  \([a-z]*\) FICHIER\.dat.*/\1/p')
[[ $(wc -w <<<"$commands") -ge 8 ]] || fail "vemo-cli --help lists no commands: $commands"
for command in $commands; do
    grep -qE "^       $command +FICHIER\.dat" "$work/vemo-cli.txt" || fail "vemo-cli.1 lacks $command"
done

step "the extracted vemo answers --help and --version without a display"
vemo=$root/usr/bin/vemo
out=$("${run[@]}" QT_QPA_PLATFORM=xcb "$vemo" --help) || fail "vemo --help"
grep -q '^Usage : vemo \[FICHIER.dat\]' <<<"$out" || fail "vemo --help: $out"
[[ $("${run[@]}" QT_QPA_PLATFORM=xcb "$vemo" --version) == "Vemo $version" ]] || fail "vemo --version"

step "the extracted vemo opens the file, its crest cache in the user's cache folder"
config="$work/home/config/Zelto App Vemo.conf"
cache=$work/home/cache/Vemo/imaTmp
# env replaces itself with vemo: $! is the program's own process.
"${run[@]}" QT_QPA_PLATFORM=offscreen "$vemo" "$league" >"$work/vemo.log" 2>&1 &
gui_pids+=($!)
# Cache files are named after a hash of the team's name.
lens=$(printf %s Lens | sha256sum | cut -c1-32)
wait_for 30 test -f "$cache/${lens}_bla.tmp" || fail "no crest cache in $cache"
wait_for 10 grep -qs "$league" "$config" || fail "the file is not among the recent files"
# A second start hands its file over and ends at once.
"${run[@]}" QT_QPA_PLATFORM=offscreen timeout 20 "$vemo" "$league" || fail "the second vemo"

step "nothing was written under the extracted package"
after=$(cd "$root" && find . -printf '%P %s %T@\n' | sort)
[[ $before == "$after" ]] || fail "the programs wrote under their own folder: $(diff <(echo "$before") <(echo "$after"))"

echo "passed in ${SECONDS} s"
