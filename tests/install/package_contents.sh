#!/usr/bin/env bash
# The Debian package built from the install rules: its name and version, its dependencies (the
# libraries the program and its modules link plus the two font packages), its files under /usr (the
# desktop search's among them, its bus service starting /usr/bin/halducnv), no maintainer
# scripts, hardened binaries, and lintian's approval where lintian is installed. Building it leaves
# the notes of a real install in the build directory untouched.
#
#   package_contents.sh <source dir> <build dir> <version>
set -euo pipefail

src=$1
build=$2
version=$3
id=org.halden.UnitConverter
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
notes_before=$(cd "$build" && cat install_manifest.txt install_dirs.txt install_root.txt 2>/dev/null || true)

if ! (cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1); then
    cat "$out/cpack.log" >&2
    echo "FAIL: cpack failed" >&2
    exit 1
fi
deb=$out/halducnv_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { echo "FAIL: no $deb; made: $(ls "$out")" >&2; exit 1; }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = halducnv ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)'"
depends=$(field Depends)
for needed in fonts-ipafont-mincho fonts-liberation libqt6widgets6 libqt6gui6 libqt6dbus6 libqt6core6 libc6 libstdc++6; do
    [[ ", $depends," == *", $needed "* || ", $depends," == *", $needed,"* ]] || fail "Depends lacks $needed: $depends"
done
[ -n "$(field Section)" ] || fail "no Section"
[ -n "$(field Priority)" ] || fail "no Priority"
[[ "$(field Maintainer)" == *"<"*"@"*">" ]] || fail "Maintainer is '$(field Maintainer)'"
[ "$(field Recommends)" = qt6-wayland ] || fail "Recommends is '$(field Recommends)'"
# No maintainer scripts: removing the package must leave nothing behind, not even its scripts.
dpkg-deb -e "$deb" "$out/control"
[ "$(ls "$out/control")" = "$(printf 'control\nmd5sums')" ] || fail "control files: $(ls "$out/control")"

listing=$(dpkg-deb -c "$deb" | awk '{print $1, $6}')
expect_file() {
    grep -qx -- "$1 ./usr/$2" <<<"$listing" || fail "package lacks $1 /usr/$2"
}
expect_file -rwxr-xr-x bin/halducnv
expect_file -rw-r--r-- lib/halducnv/halducnv-window.so
expect_file -rw-r--r-- lib/halducnv/halducnv-search.so
expect_file -rw-r--r-- "share/applications/$id.desktop"
expect_file -rw-r--r-- "share/metainfo/$id.metainfo.xml"
expect_file -rw-r--r-- "share/icons/hicolor/scalable/apps/$id.svg"
for size in 16 24 32 48 64 128 256; do
    expect_file -rw-r--r-- "share/icons/hicolor/${size}x${size}/apps/$id.png"
done
expect_file -rw-r--r-- share/doc/halducnv/copyright
expect_file -rw-r--r-- "share/gnome-shell/search-providers/$id.search-provider.ini"
expect_file -rw-r--r-- "share/dbus-1/services/$id.SearchProvider.service"
expect_file -rw-r--r-- "share/krunner/dbusplugins/$id.desktop"
expect_file -rw-r--r-- share/doc/halducnv/changelog.gz
if [ -f "$src/resources/halducnv.1.in" ]; then
    expect_file -rw-r--r-- share/man/man1/halducnv.1.gz
fi
outside=$(grep -v ' \./usr/' <<<"$listing" | grep -v ' \./$' || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"

mkdir "$out/x"
dpkg-deb -x "$deb" "$out/x"
grep -qx 'Exec=/usr/bin/halducnv' "$out/x/usr/share/applications/$id.desktop" ||
    fail "the packaged desktop entry does not start /usr/bin/halducnv"
grep -qx 'Exec=/usr/bin/halducnv --search-provider' "$out/x/usr/share/dbus-1/services/$id.SearchProvider.service" ||
    fail "the packaged bus service does not start /usr/bin/halducnv --search-provider"
for elf in bin/halducnv lib/halducnv/halducnv-window.so lib/halducnv/halducnv-search.so; do
    file -b "$out/x/usr/$elf" | grep -q ', stripped' || fail "the packaged $elf is not stripped"
    readelf -lW "$out/x/usr/$elf" | grep GNU_RELRO >/dev/null || fail "the packaged $elf has no read-only relocations"
    readelf -dW "$out/x/usr/$elf" | grep 'FLAGS.*NOW' >/dev/null || fail "the packaged $elf is not bound at load"
done
readelf --dyn-syms -W "$out/x/usr/lib/halducnv/halducnv-window.so" | grep '__[a-z]*_chk@' >/dev/null ||
    fail "the window module calls none of the checked C library functions"
zcat "$out/x/usr/share/doc/halducnv/changelog.gz" >"$out/changelog"
[ "$(dpkg-parsechangelog -l "$out/changelog" -S Version)" = "$version" ] || fail "the change log's newest entry is not $version"

# Installed into a scratch dpkg database and removed again (as apt-get remove does), the package is
# gone: no file left behind, and not kept as removed with its configuration.
root=$out/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
scratch_dpkg=(dpkg --root="$root" --force-not-root --log=/dev/null)
if ! "${scratch_dpkg[@]}" --force-depends -i "$deb" >"$out/dpkg.log" 2>&1 || [ ! -x "$root/usr/bin/halducnv" ]; then
    fail "dpkg could not install the package: $(cat "$out/dpkg.log")"
fi
"${scratch_dpkg[@]}" -r halducnv >"$out/dpkg.log" 2>&1 || fail "dpkg could not remove the package: $(cat "$out/dpkg.log")"
state=$(dpkg-query --admindir="$root/var/lib/dpkg" -W -f='${db:Status-Abbrev}' halducnv 2>/dev/null || true)
[ -z "$state" ] || fail "after removal dpkg still lists the package as '$state'"
left=$(find "$root" -path "$root/var" -prune -o ! -path "$root" -print)
[ -z "$left" ] || fail "removing the package left $left"

# lintian, where it is installed, finds no error and no warning.
if command -v lintian >/dev/null; then
    tags=$(lintian --no-cfg "$deb" 2>&1 | grep -E '^[EW]: ' || true)
    [ -z "$tags" ] || fail "lintian: $tags"
fi

notes_after=$(cd "$build" && cat install_manifest.txt install_dirs.txt install_root.txt 2>/dev/null || true)
[ "$notes_before" = "$notes_after" ] || fail "building the package changed the notes of the last install"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "package contents: all checks passed"
