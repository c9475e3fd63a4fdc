#!/usr/bin/env bash
# `make install` then `make uninstall` leaves the install location exactly as it was, for a prefix
# inside an existing tree (with a blank in its path), a prefix that does not exist yet, a staged
# install under DESTDIR, and a second install over the first; an uninstall with the wrong PREFIX
# removes nothing. In between, the installed tree holds the program and its window module (and
# the program starts from them), a valid desktop entry that starts it by its full path, the
# AppStream metainfo, every icon at its size, the manual page and the desktop search's files (the
# bus starts the installed program from them and it answers).
#
#   install_roundtrip.sh <source dir> <build dir>
set -euo pipefail

src=$1
build=$2
id=org.halden.UnitConverter
sizes=(16 24 32 48 64 128 256)
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# The test installs from the real build directory: keep the notes of a real install there.
work=$(mktemp -d)
kept=$work/kept
logs=$work/logs
play=$work/play
mkdir -p "$kept" "$logs" "$play"
for f in install_manifest.txt install_dirs.txt install_root.txt; do
    [ ! -e "$build/$f" ] || cp -p "$build/$f" "$kept/$f"
done
restore() {
    for f in install_manifest.txt install_dirs.txt install_root.txt; do
        rm -f "$build/$f"
        [ ! -e "$kept/$f" ] || cp -p "$kept/$f" "$build/$f"
    done
    rm -rf "$work"
}
trap restore EXIT

# The build is configured and its packages installed already: skip those steps (-o configure).
run_make() {
    make --no-print-directory -C "$src" -o configure BUILD="$build" JOBS=1 "$@" >"$logs/make.log" 2>&1
}

# Everything below a directory: type, mode, size of files and path, one line each.
snapshot() {
    if [ -e "$1" ]; then
        (cd "$1" && find . \( -type f -printf '%y %m %s %p\n' \) -o \( ! -type f -printf '%y %m %p\n' \) | LC_ALL=C sort)
    else
        echo "(absent)"
    fi
}

# check_installed <root> <prefix>: the files under <root><prefix> after an install to <prefix>.
check_installed() {
    local root=$1 prefix=$2
    local base=$root$prefix report
    [ -x "$base/bin/halducnv" ] || fail "$base/bin/halducnv is not an installed program"
    [ -f "$base/lib/halducnv/halducnv-window.so" ] || fail "no window module in $base/lib/halducnv"
    # The installed program opens its window from the installed module (the build's is not on its
    # run path) and reads its version without it. The window observer reports the window shown.
    local shown
    shown=$(XDG_CONFIG_HOME="$logs/config" QT_QPA_PLATFORM=offscreen HALDEN_EXIT_WHEN_SHOWN=1 \
        LD_PRELOAD="$(realpath "$build/lib/halden-window-observer.so")" timeout 60 "$base/bin/halducnv" 2>&1) || true
    grep -q '^shown ' <<<"$shown" || fail "the installed program shows no window: $shown"
    "$base/bin/halducnv" --version >/dev/null 2>&1 || fail "the installed program fails --version"
    local entry=$base/share/applications/$id.desktop
    if [ -f "$entry" ]; then
        local exec_line expected=$prefix/bin/halducnv
        exec_line=$(grep '^Exec=' "$entry")
        case $expected in
            *[!-A-Za-z0-9_./+,:=%]*) expected="\"$expected\"" ;;
        esac
        [ "$exec_line" = "Exec=$expected" ] || fail "desktop entry has '$exec_line', expected 'Exec=$expected'"
        grep -qx "Icon=$id" "$entry" || fail "desktop entry does not name the icon $id"
        report=$(desktop-file-validate "$entry" 2>&1) || true
        [ -z "$report" ] || fail "installed desktop entry: $report"
    else
        fail "no desktop entry at $entry"
    fi
    # The desktop search: GNOME Shell finds the program by its desktop entry's file name, KRunner
    # asks the same bus service, and on a private bus that knows only this install's data folder
    # the bus starts the installed program by its full path, whose search module answers as the
    # provider file says. (A staged install's bus service names a program not there yet.)
    local provider=$base/share/gnome-shell/search-providers/$id.search-provider.ini answer bus
    bus=$(sed -n 's/^BusName=//p' "$provider") || true
    grep -qx "DesktopId=$id.desktop" "$provider" || fail "$provider does not name $id.desktop"
    grep -qx "X-Plasma-DBusRunner-Service=$bus" "$base/share/krunner/dbusplugins/$id.desktop" ||
        fail "the KRunner plugin does not ask the bus service '$bus'"
    if [ -z "$root" ]; then
        answer=$(env -u DISPLAY -u WAYLAND_DISPLAY XDG_DATA_DIRS="$base/share" XDG_DATA_HOME="$logs/data" \
            XDG_CONFIG_HOME="$logs/config" timeout 60 dbus-run-session -- sh -c '
                gdbus call --session --dest "$1" --object-path "$2" \
                    --method org.gnome.Shell.SearchProvider2.GetInitialResultSet "[\"3\",\"ft\",\"in\",\"cm\"]"
                pid=$(gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
                    --method org.freedesktop.DBus.GetConnectionUnixProcessID "$1" | sed -n "s/.*uint32 \([0-9]*\).*/\1/p")
                [ -z "$pid" ] || kill "$pid"' sh "$bus" "$(sed -n 's/^ObjectPath=//p' "$provider")" \
            2>"$logs/bus.log") || true
        [[ $answer == "(['"* ]] ||
            fail "the installed search service answers '3 ft in cm' with: $answer $(cat "$logs/bus.log")"
    fi
    report=$(appstreamcli validate-tree --strict --no-net "$base" 2>&1) ||
        fail "appstreamcli validate-tree: $report"
    for size in "${sizes[@]}"; do
        local png=$base/share/icons/hicolor/${size}x${size}/apps/$id.png
        local kind
        kind=$(file -b "$png" 2>&1)
        case $kind in
            "PNG image data, $size x $size,"*) ;;
            *) fail "$png: $kind" ;;
        esac
    done
    [ -f "$base/share/icons/hicolor/scalable/apps/$id.svg" ] || fail "no scalable icon"
    [ -f "$base/share/doc/halducnv/copyright" ] || fail "no copyright file"
    if [ -f "$src/resources/halducnv.1.in" ]; then
        gzip -t "$base/share/man/man1/halducnv.1.gz" 2>/dev/null || fail "no compressed manual page"
    fi
    for script in bash-completion/completions/halducnv zsh/vendor-completions/_halducnv fish/vendor_completions.d/halducnv.fish; do
        grep -q halducnv "$base/share/$script" 2>/dev/null || fail "no completion script share/$script"
    done
}

# roundtrip <name> <watched dir> <root> <prefix>: install, check, uninstall, compare.
roundtrip() {
    local name=$1 watched=$2 root=$3 prefix=$4
    local before after
    before=$(snapshot "$watched")
    if ! run_make install DESTDIR="$root" PREFIX="$prefix"; then
        fail "$name: make install failed"
        cat "$logs/make.log" >&2
        return
    fi
    check_installed "$root" "$prefix"
    if ! run_make uninstall DESTDIR="$root" PREFIX="$prefix"; then
        fail "$name: make uninstall failed"
        cat "$logs/make.log" >&2
        return
    fi
    after=$(snapshot "$watched")
    [ "$before" = "$after" ] || fail "$name: the tree differs after uninstall:
$(diff <(echo "$before") <(echo "$after"))"
}

# A prefix like /usr/local: some of its directories exist (one empty, one with a foreign file).
existing=$play/tree
mkdir -p "$existing/with blank/bin" "$existing/with blank/share/applications" "$existing/with blank/share/man"
echo "[Desktop Entry]" >"$existing/with blank/share/applications/other.desktop"
roundtrip "existing prefix" "$existing" "" "$existing/with blank"

# A prefix two levels below a directory that does not exist yet.
roundtrip "new prefix" "$play" "" "$play/new/deeper"
[ ! -e "$play/new" ] || fail "new prefix: $play/new is left behind"

# A staged install for packaging. Uninstalling it without DESTDIR would hit the real /usr: that
# refuses and removes nothing.
before=$(snapshot "$play")
if run_make install DESTDIR="$play/stage" PREFIX=/usr; then
    check_installed "$play/stage" /usr
    staged=$(snapshot "$play")
    if run_make uninstall PREFIX=/usr; then
        fail "DESTDIR: an uninstall without DESTDIR succeeded"
    fi
    grep -q "nothing was removed" "$logs/make.log" || fail "DESTDIR: no clear answer: $(cat "$logs/make.log")"
    [ "$(snapshot "$play")" = "$staged" ] || fail "DESTDIR: the refused uninstall changed the stage"
    run_make uninstall DESTDIR="$play/stage" PREFIX=/usr || fail "DESTDIR: make uninstall failed"
    [ "$(snapshot "$play")" = "$before" ] || fail "DESTDIR: the tree differs after uninstall"
    [ ! -e "$play/stage" ] || fail "DESTDIR: $play/stage is left behind"
else
    fail "DESTDIR: make install failed: $(cat "$logs/make.log")"
fi

# Installing twice into the same place still uninstalls cleanly.
before=$(snapshot "$existing")
run_make install PREFIX="$existing/with blank" || fail "second install: first make install failed"
run_make install PREFIX="$existing/with blank" || fail "second install: second make install failed"
# An uninstall naming another prefix refuses and removes nothing.
installed=$(snapshot "$existing")
if run_make uninstall PREFIX="$play/elsewhere"; then
    fail "uninstall with the wrong PREFIX succeeded"
fi
grep -q "nothing was removed" "$logs/make.log" || fail "wrong PREFIX: no clear answer: $(cat "$logs/make.log")"
[ "$(snapshot "$existing")" = "$installed" ] || fail "uninstall with the wrong PREFIX changed the install"
run_make uninstall PREFIX="$existing/with blank" || fail "second install: make uninstall failed"
[ "$(snapshot "$existing")" = "$before" ] || fail "second install: the tree differs after uninstall"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "install round trip: all checks passed"
