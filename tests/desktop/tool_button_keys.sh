#!/usr/bin/env bash
# Each tool button has a key that works with the keyboard in the input box: Ctrl+Shift+V pastes,
# Ctrl+Shift+C copies the result and adds a history entry, Ctrl+Shift+L opens the calculator with
# the result, Ctrl+Shift+R reduces the window to the icon and, in the icon window, brings it back.
source "$(dirname "$0")/desktop_support.sh"
desk_begin tool_button_keys 30

desk_folder
desk_start
main=$(desk_find_window '^ Halden Unit Converter - Length$')
# From "mile" (row 3), Into "meter (m)" (row 0); the focus moves on into the input box.
desk_click_list_row "$main" from 3
desk_click_list_row "$main" into 0

desk_clipboard_offer 37
desk_key ctrl+shift+v
desk_expect_eq "result after Ctrl+Shift+V" "59545.7" "$(desk_copy_result "$main")"

desk_retype_input "$main" 2
desk_expect_eq "clipboard after Ctrl+Shift+C" "3218.69" "$(desk_clipboard_after desk_key ctrl+shift+c)"
desk_expect_eq "history entry of Ctrl+Shift+C" "2 mile = 3218.69 meter (m)" "$(desk_history_newest "$main")"

# The history's menu closed, the focus is back in the input box.
desk_expect 5 "the main window did not get the keyboard back" desk_is_active "$main"
desk_key ctrl+shift+l
cal=$(desk_find_window 'Calculator$' 5)
desk_expect 5 "the calculator did not open active" desk_is_active "$cal"
desk_key ctrl+a ctrl+c
desk_expect 5 "the calculator's input is not the result (clipboard: '$(desk_clipboard_get)')" \
    eval '[ "$(desk_clipboard_get)" = "3218.69" ]'

desk_activate "$main"
desk_expect 5 "the main window did not become active" desk_is_active "$main"
desk_key ctrl+shift+r
icon=$(desk_find_window '^Halden Unit Converter$' 5)
desk_expect 5 "the main window stayed on the screen after Ctrl+Shift+R" desk_is_unmapped "$main"

# The icon window has the keyboard; Ctrl+Shift+R in it brings the main window back with it (the
# screen reader scenario goes on from there to a conversion by keys alone).
desk_expect 5 "the icon window did not take the keyboard" desk_is_active "$icon"
desk_key ctrl+shift+r
desk_expect 5 "Ctrl+Shift+R in the icon window did not bring the main window back" desk_is_active "$main"

# Ctrl+E in the input box opens the equivalence window (the box does not take it as a key of its
# own); Escape closes it.
desk_activate "$main"
desk_expect 5 "the main window did not become active" desk_is_active "$main"
desk_key ctrl+e
equiv=$(desk_find_window '^ Equivalence$' 5)
desk_expect 5 "the equivalence window did not open active" desk_is_active "$equiv"
desk_key Escape
desk_expect 5 "Escape did not close the equivalence window" desk_not_viewable "$equiv"
desk_pass
