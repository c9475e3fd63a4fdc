#!/usr/bin/env bash
# A configuration file that the user may not write (mode 444 or 000) is left as it was, byte for
# byte and mode for mode, and the save at the program's end fails with its message (critical
# icon); the program then ends. It runs as an unprivileged user: root may write any file.
source "$(dirname "$0")/desktop_support.sh"
desk_begin unwritable_configuration_left_alone 30

for mode in 444 000; do
    desk_log "row: mode $mode"
    rm -rf "$DESK_DIR/portable"
    # The program would write the file differently: the unit count of group 0 is 25, not 0.
    desk_folder
    cp "$DESK_FOLDER/HALDUCNV.CFG" "$DESK_DIR/before"
    chmod "$mode" "$DESK_FOLDER/HALDUCNV.CFG"
    desk_start --as-nobody

    if [ "$mode" = 000 ]; then
        # Unreadable: the defaults, which start in the reduced shape; the icon's right-click menu:
        # Minimize, a separator, Exit.
        desk_expect_message 10 information "the fallback to the default configuration"
        desk_click "$(desk_find_window '^Halden Unit Converter$')" 20 20 3
        desk_settle
        desk_key Up Return
    else
        main=$(desk_find_window '^ Halden Unit Converter - Length$')
        desk_settle
        desk_close "$main"
    fi
    desk_expect_message 10 critical "the save failure of HALDUCNV.CFG"
    cmp -s "$DESK_DIR/before" "$DESK_FOLDER/HALDUCNV.CFG" || desk_fail "HALDUCNV.CFG (mode $mode) was changed"
    desk_expect_eq "mode of HALDUCNV.CFG" "$mode" "$(desk_file_mode "$DESK_FOLDER/HALDUCNV.CFG")"
    desk_expect_exit 0
done
desk_pass
