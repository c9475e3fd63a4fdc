#!/usr/bin/env bash
# Each start-up message (no configuration file; a user units file cut short) comes up active
# under the window manager, and Enter closes it, also when the program is started from another
# application that holds the focus (a terminal, a launcher).
source "$(dirname "$0")/desktop_support.sh"
desk_begin startup_messages_take_the_keyboard 60

printf '\005' >"$DESK_DIR/short.dat"
other=$(desk_other_application)

# case             folder options                         messages  window after the messages
rows=(
    "no-configuration  --cfg-none                              1  ^Halden Unit Converter$"
    "short-user-units  --dat:$DESK_DIR/short.dat               1  ^ Halden Unit Converter - "
    "both              --cfg-none:--dat:$DESK_DIR/short.dat    2  ^Halden Unit Converter$"
    "both-again        --cfg-none:--dat:$DESK_DIR/short.dat    2  ^Halden Unit Converter$"
)

for row in "${rows[@]}"; do
    read -r name option count after <<<"$row"
    desk_log "row: $name"
    rm -rf "$DESK_FOLDER"
    # shellcheck disable=SC2086
    desk_folder ${option//:/ }
    desk_click "$other" 150 20
    desk_start
    for ((i = 1; i <= count; i++)); do
        box=$(desk_find_window '^ Halden Unit Converter$')
        desk_expect 5 "$name: message $i is not active" desk_is_active "$box"
        desk_key Return
        desk_expect 5 "$name: Enter did not close message $i" desk_not_viewable "$box"
    done
    desk_find_window "$after" >/dev/null
    kill -KILL "$DESK_PID"
    wait "$DESK_PID" 2>/dev/null
done
desk_pass
