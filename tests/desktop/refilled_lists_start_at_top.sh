#!/usr/bin/env bash
# A unit list refilled for another group shows its first entry at the top, however far the old
# group's list was scrolled down.
source "$(dirname "$0")/desktop_support.sh"
desk_begin refilled_lists_start_at_top 30

desk_folder
desk_start
main=$(desk_find_window '^ Halden Unit Converter - Length$')
desk_activate "$main"
desk_expect 5 "the main window did not become active" desk_is_active "$main"

# Convert > Mass, Weight; both lists scrolled down with the wheel, nothing chosen.
desk_key alt+c m
desk_expect 5 "Mass, Weight was not chosen" eval '[ "$(desk_window_name "$main")" = " Halden Unit Converter - Mass, Weight" ]'
desk_wheel_list "$main" from 4
desk_wheel_list "$main" into 4
desk_settle

# Convert > Area: the top rows are the group's first entries. From the top row into the second:
# 1 square meter (m^2) = 0.01 are (a).
desk_key alt+c a
desk_expect 5 "Area was not chosen" eval '[ "$(desk_window_name "$main")" = " Halden Unit Converter - Area" ]'
desk_click_list_row "$main" from 0
desk_click_list_row "$main" into 1
desk_type 1
result=$(desk_copy_result "$main")
desk_expect_eq "units of the top rows" "1 square meter (m^2) = 0.0100000 are (a)" "$(desk_history_newest "$main")"
desk_expect_eq "result" "0.0100000" "$result"
desk_pass
