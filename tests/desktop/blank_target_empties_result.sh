#!/usr/bin/env bash
# Choosing in the From list the unit that is chosen in the Into list blanks that Into entry; the
# result beside it is emptied too, so Copy records no false equation.
source "$(dirname "$0")/desktop_support.sh"
desk_begin blank_target_empties_result 30

desk_folder
desk_start
main=$(desk_find_window '^ Halden Unit Converter - Length$')

# From "mile" (row 3), Into "meter (m)" (row 0), 3 → 4828.03.
desk_click_list_row "$main" from 3
desk_click_list_row "$main" into 0
desk_type 3
desk_expect_eq "result of 3 mile in meter" "4828.03" "$(desk_copy_result "$main")"
desk_expect_eq "history entry of the copy" "3 mile = 4828.03 meter (m)" "$(desk_history_newest "$main")"

# From "meter (m)": the chosen Into entry turns blank, and so does the result.
desk_click_list_row "$main" from 0
desk_expect_eq "result beside the blank Into entry" "" "$(desk_copy_result "$main")"
desk_expect_eq "history entry beside the blank Into entry" "3 meter (m) =  " "$(desk_history_newest "$main")"
desk_pass
