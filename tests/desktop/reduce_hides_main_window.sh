#!/usr/bin/env bash
# Reduce hides the main window completely (no strip at the screen's edge); choosing a group from the
# icon's menu brings it back exactly where it was, and the configuration records that place.
source "$(dirname "$0")/desktop_support.sh"
desk_begin reduce_hides_main_window 40

# 1500 twips is 100 px at 96 dpi.
desk_folder --cfg Form_Convert_Left=1500,Form_Convert_Top=1500
desk_start
main=$(desk_find_window '^ Halden Unit Converter - Length$')
before=$(desk_geometry "$main")

desk_click_tool_button "$main" "$DESK_REDUCE"
icon=$(desk_find_window '^Halden Unit Converter$')
desk_expect 5 "the reduced main window is still mapped at $(desk_geometry "$main")" desk_is_unmapped "$main"

# A left click on the icon pops up the Convert menu; closing it unchosen keeps the reduced shape.
desk_click "$icon" 20 20
desk_settle
desk_key Escape
desk_settle
desk_expect 5 "the main window showed after the icon's menu was closed" desk_is_unmapped "$main"
desk_is_viewable "$icon" || desk_fail "the icon window went away"

# Choosing Length there brings the main window back where it was.
desk_click "$icon" 20 20
desk_settle
desk_key l
desk_expect 5 "the main window did not come back" desk_is_viewable "$main"
desk_expect 5 "the main window came back at $(desk_geometry "$main"), not at $before" \
    eval '[ "$(desk_geometry "$main")" = "$before" ]'

desk_close "$main"
desk_wait_exit 10 >/dev/null
desk_expect_eq "saved main window left" 1500 "$(desk_config_value Form_Convert_Left)"
desk_expect_eq "saved main window top" 1500 "$(desk_config_value Form_Convert_Top)"
desk_expect_eq "saved shape" 1 "$(desk_config_value Shape)"
# The icon window was never moved: it records the place it was shown at.
desk_expect_eq "saved icon window left" 840 "$(desk_config_value Form_Normal_Left)"
desk_expect_eq "saved icon window top" 1350 "$(desk_config_value Form_Normal_Top)"
desk_pass
