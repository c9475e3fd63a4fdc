#!/usr/bin/env bash
# Started in the reduced shape: the main window is not mapped at all. The icon window's Minimize
# puts the program in the task bar; restoring it from there brings back the reduced shape (icon
# shown, main window hidden). Exit from the icon leaves the saved main window place as it was.
source "$(dirname "$0")/desktop_support.sh"
desk_begin icon_minimize_restores_reduced_shape 40

desk_folder --cfg Shape=0,Form_Convert_Left=1500,Form_Convert_Top=1500,Form_Normal_Left=3000,Form_Normal_Top=3000
desk_start
icon=$(desk_find_window '^Halden Unit Converter$')
icon_place=$(desk_geometry "$icon")
desk_main_hidden || desk_fail "the parked main window is mapped at $(desk_geometry "$(desk_main_window)")"

# Right click: Minimize, a separator, Exit.
desk_click "$icon" 20 20 3
desk_settle
desk_key Down Return
desk_expect 5 "the main window was not put in the task bar" desk_main_window
main=$(desk_main_window)
desk_expect 5 "the main window is not minimised in the task bar (state $(desk_wm_state "$main"))" \
    eval '[ "$(desk_wm_state "$main")" = Iconic ]'
desk_expect 5 "the icon window stayed on the screen while minimised" desk_not_viewable "$icon"

# The task bar's restore: the reduced shape again, and it stays that way.
desk_activate "$main"
icon=$(desk_find_window '^Halden Unit Converter$' 5)
desk_expect 5 "the main window stayed mapped after the restore" desk_is_unmapped "$main"
desk_holds 1 "the icon window went away again" desk_is_viewable "$icon"
desk_is_unmapped "$main" || desk_fail "the main window came back in the reduced shape"
desk_expect_eq "icon window place after the restore" "$icon_place" "$(desk_geometry "$icon")"

desk_click "$icon" 20 20 3
desk_settle
desk_key Up Return
desk_wait_exit 10 >/dev/null
desk_expect_eq "saved main window left" 1500 "$(desk_config_value Form_Convert_Left)"
desk_expect_eq "saved main window top" 1500 "$(desk_config_value Form_Convert_Top)"
desk_expect_eq "saved icon window left" 3000 "$(desk_config_value Form_Normal_Left)"
desk_expect_eq "saved shape" 0 "$(desk_config_value Shape)"
desk_pass
