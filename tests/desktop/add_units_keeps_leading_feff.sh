#!/usr/bin/env bash
# A user group name that begins with U+FEFF passes through Add Units unchanged: opening the dialog
# and pressing Save with no edit writes the user units file back byte for byte.
source "$(dirname "$0")/desktop_support.sh"
desk_begin add_units_keeps_leading_feff 30

# Group 0's name, U+FEFF and "bom", is stored as the file's UTF-8 mark (EF BB BF) and its UTF-8
# bytes; every other text is empty.
desk_user_file "$DESK_DIR/feff.dat" '\xEF\xBB\xBF\xEF\xBB\xBFbom'
desk_folder --dat "$DESK_DIR/feff.dat"
desk_start
main=$(desk_find_window '^ Halden Unit Converter - Length$')
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
desk_pass
