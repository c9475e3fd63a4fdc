#!/usr/bin/env bash
# SIGTERM, SIGHUP and SIGINT end the program as its close box does: the configuration is saved,
# with what changed during the run (an option, the reduced shape, the main window's place), also
# while the start-up's messages wait for the user. A second signal while the shutdown waits (here
# on its save-failure message) ends it at once.
source "$(dirname "$0")/desktop_support.sh"
desk_begin signals_save_configuration 40

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

desk_log "row: SIGTERM while the shutdown's save-failure message shows"
rm -rf "$DESK_DIR/portable"
desk_folder
chmod 444 "$DESK_FOLDER/HALDUCNV.CFG"
desk_start --as-nobody
desk_find_window '^ Halden Unit Converter - Length$' >/dev/null
desk_signal TERM
desk_message_window 10 >/dev/null || desk_fail "SIGTERM did not run the shutdown's save of the configuration"
desk_signal TERM
desk_wait_exit 5 >/dev/null
desk_pass
