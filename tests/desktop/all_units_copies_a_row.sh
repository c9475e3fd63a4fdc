#!/usr/bin/env bash
# Ctrl+Shift+A opens All Units beside the converter; typing in the converter fills the table; Enter
# on a row puts "result unit" on the clipboard and into the history; Escape closes the window.
source "$(dirname "$0")/desktop_support.sh"
desk_begin all_units_copies_a_row 40

desk_folder
desk_start
main=$(desk_find_window '^ Halden Unit Converter - Length$')
# From "mile" (row 3), Into "meter (m)" (row 0); the focus moves on into the input box.
desk_click_list_row "$main" from 3
desk_click_list_row "$main" into 0
desk_key ctrl+shift+a
all=$(desk_find_window '^ All Units$' 5)
desk_expect 5 "the All Units window did not open active" desk_is_active "$all"

desk_activate "$main"
desk_expect 5 "the main window did not become active" desk_is_active "$main"
desk_type 3
desk_expect_eq "the converter's own result" "4828.03" "$(desk_copy_result "$main")"

# The table's second row is centimeter: 3 mile = 482803 cm.
desk_activate "$all"
desk_expect 5 "the All Units window did not become active" desk_is_active "$all"
desk_key Home Down
desk_expect_eq "row copied with Enter" "482803 centimeter (cm)" "$(desk_clipboard_after desk_key Return)"
desk_expect_eq "history entry of the row" "3 mile = 482803 centimeter (cm)" "$(desk_history_newest "$main")"

desk_activate "$all"
desk_expect 5 "the All Units window did not become active again" desk_is_active "$all"
desk_key Escape
desk_expect 5 "Escape did not close the All Units window" desk_not_viewable "$all"
desk_pass
