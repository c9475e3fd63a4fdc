#!/usr/bin/env bash
# SIGTERM, SIGHUP and SIGINT end the program as its close box does: the configuration is saved,
# with what changed during the run (an option, the reduced shape, the main window's place), also
# while the start-up's messages wait for the user. A signal never waits on anyone: a failed save
# is one line on standard error, and a signal while the user's close waits on its save-failure
# message ends the program. The display going away (the X server killed) saves the same way,
# and keeps Add Units' unsaved edits for the next start.
source "$(dirname "$0")/desktop_support.sh"
desk_begin signals_save_configuration 60

# edit_add_units MAIN_WID : opens Add Units and types "furlong" into the first unit's name box.
edit_add_units() {
    desk_open_companion "$1" addunits
    desk_click "$(desk_find_window '^ Add Units$')" 120 86
    desk_type "furlong"
}

# signal  change during the run
rows=(
    "TERM     digits"
    "HUP      reduce"
    "INT      digits"
    "TERM     move"
)
for row in "${rows[@]}"; do
    read -r signal change <<<"$row"
    desk_log "row: SIG$signal after '$change'"
    rm -rf "$DESK_DIR/portable"
    desk_folder --cfg Form_Convert_Left=1500,Form_Convert_Top=1500
    desk_start
    main=$(desk_find_window '^ Halden Unit Converter - Length$')
    case "$change" in
        digits)
            # Options > Significant Digits > 8.
            desk_activate "$main"
            desk_expect 5 "the main window did not become active" desk_is_active "$main"
            desk_key alt+o s 8
            ;;
        reduce)
            desk_click_tool_button "$main" "$DESK_REDUCE"
            desk_find_window '^Halden Unit Converter$' 5 >/dev/null
            ;;
        move)
            # The frame to 400,300 px; the client area lies inside it.
            timeout 5 xdotool windowmove "$main" 400 300 || desk_fail "cannot move the main window"
            desk_expect 5 "the main window did not move" eval '[ "$(desk_geometry "$main" | cut -d" " -f1)" -ge 400 ]'
            ;;
    esac
    desk_settle
    desk_signal "$signal"
    desk_wait_exit 10 >/dev/null
    case "$change" in
        digits) desk_expect_eq "SIG$signal: saved digits" 8 "$(desk_config_value Figure)" ;;
        reduce) desk_expect_eq "SIG$signal: saved shape" 0 "$(desk_config_value Shape)" ;;
        move)
            # 400 px is 6000 twips, give or take the frame's border (1 px is 15 twips).
            left=$(desk_config_value Form_Convert_Left)
            [ "${left:-0}" -ge 5850 ] && [ "$left" -le 6300 ] ||
                desk_fail "SIG$signal: saved main window left is '$left', not about 6000"
            ;;
    esac
done

desk_log "row: SIGTERM while the start-up's messages show (no configuration, a user units file cut short)"
rm -rf "$DESK_DIR/portable"
printf '\005' >"$DESK_DIR/short.dat"
desk_folder --cfg-none --dat "$DESK_DIR/short.dat"
desk_start
desk_message_window 10 >/dev/null || desk_fail "the first start showed no message"
desk_signal TERM
desk_wait_exit 10 >/dev/null
[ -f "$DESK_FOLDER/HALDUCNV.CFG" ] || desk_fail "SIGTERM during the start-up messages saved no configuration"
desk_expect_eq "saved shape after SIGTERM during the start-up messages" 0 "$(desk_config_value Shape)"

desk_log "row: SIGTERM while nothing can be saved, Add Units holding unsaved edits"
rm -rf "$DESK_DIR/portable"
desk_folder
: >"$DESK_CHILD_LOG"
# The state folder inside the folder made read-only below, so that it cannot take the edits either.
desk_start --as-nobody XDG_STATE_HOME="$DESK_FOLDER/state"
edit_add_units "$(desk_find_window '^ Halden Unit Converter - Length$')"
chmod 555 "$DESK_FOLDER"
desk_signal TERM
desk_expect_exit 0 5
grep -qx "halducnv: Failed to save file as 'HALDUCNV.CFG'." "$DESK_CHILD_LOG" ||
    desk_fail "the failed save of the configuration was not told on standard error"
grep -q "^halducnv: Your unsaved changes to these units could not be kept: .*furlong.*HUC_USER.DAT.unsaved" \
    "$DESK_CHILD_LOG" || desk_fail "the units that could not be kept were not named on standard error"
chmod 755 "$DESK_FOLDER"

desk_log "row: SIGTERM while the user's close waits on its save-failure message"
desk_start --as-nobody
main=$(desk_find_window '^ Halden Unit Converter - Length$')
chmod 555 "$DESK_FOLDER"
desk_close "$main"
desk_message_window 10 >/dev/null || desk_fail "the close showed no save-failure message"
desk_signal TERM
desk_expect_exit 0 5

desk_log "row: the X server killed while Add Units holds unsaved edits"
rm -rf "$DESK_DIR/portable"
desk_folder
# The runtime directory back from nobody (the rows above) to the user who runs this one.
chown "$(id -u)" "$DESK_DIR/run"
desk_start
main=$(desk_find_window '^ Halden Unit Converter - Length$')
desk_activate "$main"
desk_expect 5 "the main window did not become active" desk_is_active "$main"
desk_key alt+o s 8
edit_add_units "$main"
desk_settle
kill -KILL "$DESK_XVFB_PID"
desk_expect_exit 1 10
desk_expect_eq "saved digits" 8 "$(desk_config_value Figure)"
grep -q furlong "$DESK_FOLDER/HUC_USER.DAT.unsaved" 2>/dev/null || desk_fail "the unsaved edits were not kept"
desk_pass
