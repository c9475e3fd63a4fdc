#!/usr/bin/env bash
# A click in a unit list's empty area below its last entry leaves the choice as it was, highlight
# included: the highlighted units are still the ones the next number converts between, and Copy
# still names them.
source "$(dirname "$0")/desktop_support.sh"
desk_begin click_below_entries_keeps_choice 30

desk_folder --cfg Sel_Unit_Group=6
desk_start
main=$(desk_find_window '^ Halden Unit Converter - Temperature$')

# From "deg Celsius" (row 1), Into "deg Fahrenheit" (row 2), 100 → 212.000.
desk_click_list_row "$main" from 1
desk_click_list_row "$main" into 2
desk_type 100
desk_expect_eq "100 deg Celsius in deg Fahrenheit" "212.000" "$(desk_copy_result "$main")"
chosen=$(desk_list_row_colour "$main" into 2)
plain=$(desk_list_row_colour "$main" into 3)
[ -n "$chosen" ] && [ "$chosen" != "$plain" ] ||
    desk_fail "the chosen Into entry is not highlighted ('$chosen', plain rows '$plain')"

# The four entries fill rows 0 to 3; row 6 is the empty area below them. Back in the input box
# (each list is then drawn as it was after the choice above), 50 → 122.000.
desk_click_list_row "$main" into 6
desk_click_list_row "$main" from 6
desk_retype_input "$main" 50
desk_expect_eq "50 deg Celsius in deg Fahrenheit after the clicks below the entries" "122.000" \
    "$(desk_copy_result "$main")"
desk_expect_eq "history entry" "50 deg Celsius (ﾟC) = 122.000 deg Fahrenheit (ﾟF)" "$(desk_history_newest "$main")"
desk_expect 5 "the Into highlight went with the click below the entries" \
    eval '[ "$(desk_list_row_colour "$main" into 2)" = "$chosen" ]'
desk_expect 5 "the From highlight went with the click below the entries" \
    eval '[ "$(desk_list_row_colour "$main" from 1)" = "$chosen" ]'
desk_pass
