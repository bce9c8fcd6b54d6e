#!/bin/sh
# Builds the Debian package from a build folder and checks what it ships: the exact file list,
# the control fields, the desktop entry, the AppStream metadata (with the desktop entry it
# launches) and the manual pages through their validators, and the command-line tool run from
# the unpacked package; and lintian, the archive's checker, which must find no error and no
# warning.
# usage: check-package.sh BUILD_DIR VERSION APP_ID EXAMPLE_GUN.txt
set -eu
build=$1
version=$2
appId=$3
exampleGun=$4

for tool in cpack:cmake dpkg-shlibdeps:dpkg-dev desktop-file-validate:desktop-file-utils \
    appstreamcli:appstream man:man-db lintian:lintian; do
    if ! command -v "${tool%%:*}" >/dev/null; then
        echo "skipped: ${tool%%:*} not found (Debian package ${tool#*:})"
        exit 77
    fi
done

work=$build/package-check
rm -rf "$work"
mkdir -p "$work"
if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    exit 1
fi
deb=$work/velloran_${version}_$(dpkg --print-architecture).deb
failed=0
fail() {
    echo "FAILED: $*"
    failed=1
}

echo "== files of $(basename "$deb")"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | sort >"$work/files"
cat "$work/files"
{
    echo usr/bin/velloran
    echo usr/bin/velloran-cli
    echo usr/lib/velloran/plugins/velloran-cli-pictures.so
    echo "usr/share/applications/$appId.desktop"
    echo usr/share/bash-completion/completions/velloran-cli
    echo usr/share/doc/velloran/changelog.gz
    echo usr/share/doc/velloran/copyright
    for size in 16 22 24 32 48 64 128 256; do
        echo "usr/share/icons/hicolor/${size}x$size/apps/velloran.png"
    done
    echo usr/share/icons/hicolor/scalable/apps/velloran.svg
    echo usr/share/man/man1/velloran-cli.1.gz
    echo usr/share/man/man1/velloran.1.gz
    echo "usr/share/metainfo/$appId.metainfo.xml"
} | sort >"$work/expected-files"
diff -u "$work/expected-files" "$work/files" >"$work/files.diff" ||
    fail "the package's files differ from those expected: $(cat "$work/files.diff")"

echo "== control"
dpkg-deb -f "$deb" Package Version Section Maintainer Depends | tee "$work/control"
grep -qx "Section: science" "$work/control" || fail "section is not science"
grep -q "^Maintainer: ..*<..*@..*>" "$work/control" || fail "no maintainer"
# The libraries' packages come from dpkg-shlibdeps: without them it did not run.
for package in libqt6widgets6 libqt6gui6 libqt6core6 libjpeg62-turbo libhwy1 libstdc++6; do
    grep -q "^Depends:.* $package " "$work/control" || fail "Depends lacks $package"
done

root=$work/root
dpkg-deb -x "$deb" "$root"

echo "== desktop-file-validate"
desktop-file-validate "$root/usr/share/applications/$appId.desktop" >"$work/desktop.log" 2>&1 ||
    true
cat "$work/desktop.log"
[ ! -s "$work/desktop.log" ] || fail "desktop-file-validate has remarks"

# A taskbar groups the windows under the launcher by their class.
grep -qx "StartupWMClass=velloran" "$root/usr/share/applications/$appId.desktop" ||
    fail "the desktop entry names no StartupWMClass=velloran"

echo "== appstreamcli validate-tree --no-net --strict"
appstreamcli validate-tree --no-net --strict "$root" || fail "AppStream metadata refused"

for page in "$root"/usr/share/man/man1/*.1.gz; do
    echo "== man --warnings $(basename "$page")"
    MANWIDTH=80 man --warnings -E UTF-8 -l "$page" >"$work/page.txt" 2>"$work/page.log" ||
        fail "man failed on $page"
    cat "$work/page.log"
    [ ! -s "$work/page.log" ] || fail "warnings in $page"
    [ -s "$work/page.txt" ] || fail "$page shows nothing"
done

echo "== lintian"
# Informational tags (I:) may stay; packaging/CMakeLists.txt says which and why.
lintian --no-cfg --display-info "$deb" >"$work/lintian.log" 2>&1 || true
cat "$work/lintian.log"
! grep -q "^[EW]: " "$work/lintian.log" || fail "lintian reports errors or warnings"

echo "== velloran-cli --version from the package"
"$root/usr/bin/velloran-cli" --version | tee "$work/version"
[ "$(cat "$work/version")" = "velloran-cli $version" ] || fail "wrong version"

echo "== velloran-cli plot from the package, through its picture module"
QT_QPA_PLATFORM=offscreen "$root/usr/bin/velloran-cli" plot "$exampleGun" --y pressure \
    -o "$work/pressure.png" || fail "plot failed"
[ "$(head -c 4 "$work/pressure.png" | tail -c 3)" = PNG ] || fail "plot wrote no PNG"

[ "$failed" = 0 ] && echo "The package and its metadata are sound."
exit "$failed"
