#!/usr/bin/env bash
# Without a runtime directory the one-copy rule's lock and socket live in a folder of the user's
# alone in the temporary directory, and the rule holds there. What another user (nobody) puts at
# names anyone can compute is neither in the way nor spoken to: at the old names in the temporary
# directory (a socket that answers "done", a file, dangling links), or at the private folder's
# place (a dangling link, his own folder with such a socket), where the program then starts
# without the rule and says so once.
source "$(dirname "$0")/desktop_support.sh"
desk_begin instance_lock_stays_private 60
desk_require /usr/bin/python3 sha1sum realpath
[ "$(id -u)" -eq 0 ] || desk_fail "run as root: the scenario acts as another user"

tmp="$DESK_DIR/tmp" theirs="$DESK_DIR/theirs"
mkdir -p "$tmp" "$theirs" && chmod 1777 "$tmp" && chown nobody "$theirs"
desk_folder
key="halducnv-0-$(printf '%s' "$(realpath "$DESK_FOLDER")" | sha1sum | cut -c1-24)"
private="$tmp/halducnv-0"

# nobody ARGS... : runs ARGS as nobody.
nobody() { setpriv --reuid nobody --regid nogroup --clear-groups "$@"; }

# squat_socket PATH : nobody listens at PATH, notes each connection and answers "done".
squat_socket() {
    setpriv --reuid nobody --regid nogroup --clear-groups /usr/bin/python3 -c 'import socket, sys
s = socket.socket(socket.AF_UNIX); s.bind(sys.argv[1]); s.listen(8)
while True:
    c = s.accept()[0]; open(sys.argv[2], "a").write("spoken to\n"); c.sendall(b"done\n"); c.close()' \
        "$1" "$theirs/log" >/dev/null 2>&1 &
    DESK_PIDS+=("$!")
    desk_expect 5 "nobody's socket did not come up" test -S "$1"
}

# row          rule holds
rows=(
    "old-names     yes"
    "old-links     yes"
    "folder-link   no"
    "folder-his    no"
)
for row in "${rows[@]}"; do
    read -r name holds <<<"$row"
    desk_log "row: $name"
    rm -rf "${tmp:?}"/* "$theirs"/*
    case "$name" in
        old-names) squat_socket "$tmp/$key" && nobody touch "$tmp/$key.lock" ;;
        old-links) nobody ln -s "$theirs/target" "$tmp/$key" && nobody ln -s "$theirs/target" "$tmp/$key.lock" ;;
        folder-link) nobody ln -s "$theirs/target" "$private" ;;
        folder-his) nobody mkdir -m 700 "$private" && squat_socket "$private/$key" ;;
    esac
    : >"$DESK_CHILD_LOG"
    desk_start XDG_RUNTIME_DIR= TMPDIR="$tmp"
    desk_find_window '^ Halden Unit Converter - Length$' >/dev/null
    first=$DESK_PID
    if [ "$holds" = yes ]; then
        desk_expect_eq "$name: owner and mode of the private folder" "root 700" "$(stat -c '%U %a' "$private")"
        desk_start XDG_RUNTIME_DIR= TMPDIR="$tmp"
        desk_expect_exit 0 10
        unguarded=0
    else
        unguarded=1
    fi
    desk_expect_eq "$name: lines saying that the program runs without the rule" "$unguarded" \
        "$(grep -c '^halducnv: this copy runs without the check for another copy' "$DESK_CHILD_LOG")"
    [ -e "$theirs/log" ] && desk_fail "$name: the program spoke to nobody's socket"
    [ -e "$theirs/target" ] && desk_fail "$name: the program made a file where nobody's link points"
    kill -KILL "$first"
    wait "$first" 2>/dev/null
done
desk_pass
