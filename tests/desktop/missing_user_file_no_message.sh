#!/usr/bin/env bash
# With no user units file (a fresh install) the program starts without a message. A user units
# file that is there but cannot be read still shows its read failure message (the one message of
# the start with the warning icon).
source "$(dirname "$0")/desktop_support.sh"
desk_begin missing_user_file_no_message 30

# No file: the main window comes up, and no message shows before or after it.
desk_folder --dat-none
desk_start
desk_message_window 3 >/dev/null && desk_fail "a message shows at the start"
desk_find_window '^ Halden Unit Converter - Length$' 5 >/dev/null
desk_message_window 1 >/dev/null && desk_fail "a message shows after the start"
kill -KILL "$DESK_PID"
wait "$DESK_PID" 2>/dev/null

# A file nobody may read, and a folder in the file's place.
for row in unreadable folder; do
    desk_log "row: $row"
    rm -rf "$DESK_DIR/portable"
    if [ "$row" = unreadable ]; then
        desk_folder
        chmod 000 "$DESK_FOLDER/HUC_USER.DAT"
        desk_start --as-nobody
    else
        desk_folder --dat-none
        mkdir "$DESK_FOLDER/HUC_USER.DAT"
        desk_start
    fi
    desk_expect_message 10 warning "the read failure of the user units file"
    desk_find_window '^ Halden Unit Converter - Length$' 5 >/dev/null
    kill -KILL "$DESK_PID"
    wait "$DESK_PID" 2>/dev/null
done
desk_pass
