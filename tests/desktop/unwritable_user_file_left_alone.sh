#!/usr/bin/env bash
# A user units file that the user may not write (mode 444 or 000) is left as it was, byte for
# byte and mode for mode, and Add Units' Save fails with its message (critical icon); the dialog
# stays open with the edits, and the program's end keeps them in HUC_USER.DAT.unsaved. In a folder
# the user may not write, the end says that the configuration could not be saved (critical icon),
# and the edits are kept in the user's state folder. The program runs as an unprivileged user:
# root may write any file.
source "$(dirname "$0")/desktop_support.sh"
desk_begin unwritable_user_file_left_alone 45

for mode in 444 000 folder; do
    desk_log "row: mode $mode"
    rm -rf "$DESK_DIR/portable"
    desk_folder
    cp "$DESK_FOLDER/HUC_USER.DAT" "$DESK_DIR/before"
    if [ "$mode" = folder ]; then chmod 555 "$DESK_FOLDER"; else chmod "$mode" "$DESK_FOLDER/HUC_USER.DAT"; fi
    desk_start --as-nobody

    [ "$mode" = 000 ] && desk_expect_message 10 warning "the read failure of the user units file"
    main=$(desk_find_window '^ Halden Unit Converter - Length$')
    desk_open_companion "$main" addunits
    dialog=$(desk_find_window '^ Add Units$')
    desk_expect 5 "Add Units did not open active" desk_is_active "$dialog"
    # A group name, so that the file would change.
    desk_type "Mine"
    desk_key alt+s
    desk_expect_message 10 critical "the save failure of HUC_USER.DAT"
    cmp -s "$DESK_DIR/before" "$DESK_FOLDER/HUC_USER.DAT" || desk_fail "HUC_USER.DAT ($mode) was changed"
    [ "$mode" = folder ] || desk_expect_eq "mode of HUC_USER.DAT" "$mode" "$(desk_file_mode "$DESK_FOLDER/HUC_USER.DAT")"
    desk_expect 5 "Add Units closed after a Save that failed" desk_is_viewable "$dialog"

    desk_close "$main"
    if [ "$mode" = folder ]; then
        desk_expect_message 10 critical "the save failure of HALDUCNV.CFG"
    fi
    desk_expect_exit 0
    if [ "$mode" = folder ]; then
        [ ! -e "$DESK_FOLDER/HUC_USER.DAT.unsaved" ] || desk_fail "a recovery file appeared in a read-only folder"
        grep -q Mine "$DESK_DIR"/home/.local/state/halducnv/HUC_USER.DAT.unsaved.* ||
            desk_fail "the unsaved edits were not kept in the state folder"
    else
        [ -s "$DESK_FOLDER/HUC_USER.DAT.unsaved" ] || desk_fail "the unsaved edits were not kept"
        grep -q Mine "$DESK_FOLDER/HUC_USER.DAT.unsaved" || desk_fail "the recovery file lacks the edited name"
    fi
done
desk_pass
