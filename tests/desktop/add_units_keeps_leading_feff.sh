#!/usr/bin/env bash
# A user group name that begins with U+FEFF passes through Add Units unchanged: opening the dialog
# and pressing Save with no edit writes the user units file back byte for byte. That group is the
# one the main window shows: units added in Add Units reach its lists at Save.
source "$(dirname "$0")/desktop_support.sh"
desk_begin add_units_keeps_leading_feff 40

# Group 0's name, U+FEFF and "bom", is stored as the file's UTF-8 mark (EF BB BF) and its UTF-8
# bytes; every other text is empty.
desk_user_file "$DESK_DIR/feff.dat" '\xEF\xBB\xBF\xEF\xBB\xBFbom'
desk_folder --cfg Sel_Unit_Group=28 --dat "$DESK_DIR/feff.dat"
desk_start
main=$(desk_find_window '^ Halden Unit Converter - .*bom$')
before=$(stat -c %i "$DESK_FOLDER/HUC_USER.DAT")

desk_open_companion "$main" addunits
dialog=$(desk_find_window '^ Add Units$')
desk_expect 5 "Add Units did not open active" desk_is_active "$dialog"
desk_key alt+s
desk_expect 5 "Add Units stayed open after its Save" desk_not_viewable "$dialog"
# The save replaces the file (a new one is renamed into its place).
file_replaced() { [ "$(stat -c %i "$DESK_FOLDER/HUC_USER.DAT")" != "$before" ]; }
desk_expect 5 "Save did not write the user units file" file_replaced
cmp "$DESK_DIR/feff.dat" "$DESK_FOLDER/HUC_USER.DAT" >&2 || desk_fail "the unedited save changed the user units file"

# Two units for the group shown, which had none: its lists show them at Save. 1 pc = 3.26160 ly.
desk_open_companion "$main" addunits
dialog=$(desk_find_window '^ Add Units$')
desk_expect 5 "Add Units did not open active" desk_is_active "$dialog"
desk_click "$dialog" 120 86
desk_type pc && desk_key Tab && desk_type 3.0857E16 && desk_key Tab && desk_type ly && desk_key Tab && desk_type 9.4607E15
desk_key alt+s
desk_expect 5 "Add Units stayed open after its Save" desk_not_viewable "$dialog"
desk_click_list_row "$main" from 0
desk_click_list_row "$main" into 1
desk_type 1
desk_expect_eq "result of 1 pc in ly" "3.26160" "$(desk_copy_result "$main")"
desk_expect_eq "history entry of 1 pc in ly" "1 pc = 3.26160 ly" "$(desk_history_newest "$main")"
desk_pass
