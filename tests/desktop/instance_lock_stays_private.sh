#!/usr/bin/env bash
# Without a runtime directory (XDG_RUNTIME_DIR unset) the lock and the socket of the one-copy rule
# live in a folder of the user's alone in the temporary directory, and the rule still holds there.
# What another user puts at the names anyone can compute is neither in the way nor used: a
# socket that answers "done" and a file at the names in the temporary directory itself, dangling
# links there, or his own folder or a dangling link at the private folder's place. In the last two
# cases the program starts without the rule and says so once. Another user's socket is never
# spoken to. Runs as root, which acts as the other user, nobody.
source "$(dirname "$0")/desktop_support.sh"
desk_begin instance_lock_stays_private 60
desk_require /usr/bin/python3 sha1sum realpath
[ "$(id -u)" -eq 0 ] || desk_fail "run as root: the scenario acts as another user"

tmp="$DESK_DIR/tmp"
mkdir -p "$tmp" && chmod 1777 "$tmp"
# A place of nobody's for his squatters' logs.
theirs="$DESK_DIR/theirs"
mkdir -p "$theirs" && chown nobody:nogroup "$theirs"
desk_folder
key="halducnv-0-$(printf '%s' "$(realpath "$DESK_FOLDER")" | sha1sum | cut -c1-24)"
private="$tmp/halducnv-0"
UNGUARDED='^halducnv: this copy runs without the check for another copy using the files in '

as_nobody() { setpriv --reuid nobody --regid nogroup --clear-groups "$@"; }

# squat_socket PATH : nobody listens at PATH, answers every connection "done" and logs what it
# was told in $theirs/log.
squat_socket() {
    # (setpriv itself in the background, not in a subshell: its pid is then the listener's.)
    setpriv --reuid nobody --regid nogroup --clear-groups /usr/bin/python3 -c '
import socket, sys
server = socket.socket(socket.AF_UNIX)
server.bind(sys.argv[1])
server.listen(8)
while True:
    peer, _ = server.accept()
    peer.settimeout(1)
    try:
        told = peer.recv(4096)
    except OSError:
        told = b""
    with open(sys.argv[2], "ab") as log:
        log.write(b"connection: " + told + b"\n")
    peer.sendall(b"done\n")
    peer.close()
' "$1" "$theirs/log" >/dev/null 2>&1 &
    DESK_PIDS+=("$!")
    desk_expect 5 "nobody's socket did not come up" test -S "$1"
}

start_without_runtime_directory() {
    : >"$DESK_CHILD_LOG"
    desk_start XDG_RUNTIME_DIR= TMPDIR="$tmp"
    main=$(desk_find_window '^ Halden Unit Converter - Length$')
}

# row           what nobody put there                                                      rule holds
rows=(
    "old-names      a socket at the old socket name, a file at the old lock name                 yes"
    "old-links      dangling links at the old socket and lock names                              yes"
    "folder-link    a dangling link at the private folder's place                                no"
    "folder-his     his own folder at the private folder's place, with a socket at the name      no"
)
for row in "${rows[@]}"; do
    read -r name _ <<<"$row"
    holds=${row##* }
    desk_log "row: $name"
    rm -rf "${tmp:?}"/* "$theirs/log"
    case "$name" in
        old-names)
            squat_socket "$tmp/$key"
            as_nobody touch "$tmp/$key.lock"
            ;;
        old-links)
            as_nobody ln -s "$theirs/socket-target" "$tmp/$key"
            as_nobody ln -s "$theirs/lock-target" "$tmp/$key.lock"
            ;;
        folder-link) as_nobody ln -s "$theirs/folder-target" "$private" ;;
        folder-his)
            as_nobody mkdir -m 700 "$private"
            squat_socket "$private/$key"
            ;;
    esac
    start_without_runtime_directory
    unguarded=$(grep -c "$UNGUARDED" "$DESK_CHILD_LOG")
    if [ "$holds" = yes ]; then
        desk_expect_eq "$name: lines saying the program runs without the rule" 0 "$unguarded"
        desk_expect_eq "$name: owner and mode of the private folder" "root 700" "$(stat -c '%U %a' "$private")"
        first=$DESK_PID
        desk_start XDG_RUNTIME_DIR= TMPDIR="$tmp"
        desk_expect_exit 0 10
        DESK_PID=$first
        desk_running || desk_fail "$name: the first program ended at the second start"
    else
        desk_expect_eq "$name: lines saying the program runs without the rule" 1 "$unguarded"
    fi
    [ -e "$theirs/log" ] && desk_fail "$name: the program spoke to nobody's socket: $(cat "$theirs/log")"
    [ -e "$theirs/socket-target" ] || [ -e "$theirs/lock-target" ] || [ -e "$theirs/folder-target" ] &&
        desk_fail "$name: the program made a file where nobody's link points"
    kill -KILL "$DESK_PID"
    wait "$DESK_PID" 2>/dev/null
done
desk_pass
