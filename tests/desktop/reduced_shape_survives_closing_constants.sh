#!/usr/bin/env bash
# In the reduced shape the constants window can be opened from the icon's menu; closing it leaves
# the program running in the reduced shape (the hidden main window keeps it alive).
source "$(dirname "$0")/desktop_support.sh"
desk_begin reduced_shape_survives_closing_constants 40

desk_folder --cfg Shape=0
desk_start
icon=$(desk_find_window '^Halden Unit Converter$')
desk_click "$icon" 20 20
desk_settle
desk_key c
constants=$(desk_find_window "$(desk_companion_title constants)")
desk_close "$constants"
desk_expect 5 "the constants window did not close" desk_not_viewable "$constants"
desk_holds 1 "closing the constants window ended the program" desk_running
desk_is_viewable "$icon" || desk_fail "the icon window went away"
desk_main_hidden || desk_fail "the main window came back"

# Ending from the icon still saves.
desk_click "$icon" 20 20 3
desk_settle
desk_key Up Return
desk_wait_exit 10 >/dev/null
desk_expect_eq "saved shape" 0 "$(desk_config_value Shape)"
desk_expect_eq "saved unit count of Length (the file held 0)" 25 "$(desk_config_value Sel_Unit_Item)"
desk_pass
