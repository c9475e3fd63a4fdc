#!/usr/bin/env bash
# Add Units takes a pasted unit name of 10,000 characters whole, and Save writes all of it into
# the user units file. A second program writes the file first: Save asks before replacing it;
# Enter keeps the other version, writes nothing and leaves the dialog open with the pasted name, and
# Replace It keeps the other version beside the file as HUC_USER.DAT.replaced.
source "$(dirname "$0")/desktop_support.sh"
desk_begin add_units_takes_long_pasted_name 30

# "n00000001,n00000002,...": 1000 pieces of ten characters.
name=$(printf 'n%08d,' $(seq 1 1000))
[ "${#name}" = 10000 ] || desk_fail "the name is ${#name} characters long"

desk_folder
desk_start
main=$(desk_find_window '^ Halden Unit Converter - Length$')
desk_open_companion "$main" addunits
dialog=$(desk_find_window '^ Add Units$')
desk_expect 5 "Add Units did not open active" desk_is_active "$dialog"

# The name box of the first unit row.
desk_clipboard_offer "$name"
desk_click "$dialog" 120 86
desk_key ctrl+v

desk_user_file "$DESK_FOLDER/HUC_USER.DAT" 'Theirs'
cp "$DESK_FOLDER/HUC_USER.DAT" "$DESK_DIR/theirs.dat"
desk_key alt+s
box=$(desk_message_window) || desk_fail "Save asked nothing over the other program's file"
desk_activate "$box"
desk_expect 5 "the question did not become active" desk_is_active "$box"
desk_key Return
desk_expect 5 "the question stayed after Enter" desk_not_viewable "$box"
cmp -s "$DESK_DIR/theirs.dat" "$DESK_FOLDER/HUC_USER.DAT" || desk_fail "the other program's file was replaced"
desk_expect 5 "Add Units closed although nothing was saved" desk_is_viewable "$dialog"

desk_activate "$dialog"
desk_expect 5 "Add Units did not come back active" desk_is_active "$dialog"
desk_key alt+s
box=$(desk_message_window) || desk_fail "the second Save asked nothing"
desk_activate "$box"
desk_expect 5 "the question did not become active" desk_is_active "$box"
desk_key alt+r
desk_expect 5 "Add Units stayed open after its Save" desk_not_viewable "$dialog"
cmp -s "$DESK_DIR/theirs.dat" "$DESK_FOLDER/HUC_USER.DAT.replaced" ||
    desk_fail "the other program's file was not kept as HUC_USER.DAT.replaced"

# The file: group 0's record (three empty texts), the first unit's record (the name, 10,000 =
# 0x2710 bytes, and two empty texts), then 218 records of three empty texts.
{
    head -c 6 /dev/zero
    printf '\x10\x27%s\0\0\0\0' "$name"
    head -c $((218 * 6)) /dev/zero
} >"$DESK_DIR/expected.dat"
desk_expect 5 "the user units file is $(stat -c %s "$DESK_FOLDER/HUC_USER.DAT") bytes, not $(stat -c %s "$DESK_DIR/expected.dat")" \
    cmp -s "$DESK_DIR/expected.dat" "$DESK_FOLDER/HUC_USER.DAT"
desk_pass
