#!/usr/bin/env bash
# A number copied with a line break after it (a spreadsheet cell, a terminal line) pastes as the
# number, from the Paste tool button as from Edit > Paste > As Conversion Input, and converts.
source "$(dirname "$0")/desktop_support.sh"
desk_begin paste_drops_trailing_line_break 30

desk_folder
desk_start
main=$(desk_find_window '^ Halden Unit Converter - Length$')
# From "mile" (row 3), Into "meter (m)" (row 0): 37 mile = 59545.7 m.
desk_click_list_row "$main" from 3
desk_click_list_row "$main" into 0

paste_with_button() { desk_click_tool_button "$main" "$DESK_PASTE"; }
paste_from_menu() {
    desk_activate "$main"
    desk_expect 5 "the main window did not become active" desk_is_active "$main"
    desk_key alt+e
    desk_settle
    desk_key p
    desk_settle
    desk_key v
}

# clipboard      paste with
rows=(
    '37\n          paste_with_button'
    '37\r\n        paste_with_button'
    '37\n          paste_from_menu'
    '37\r\n        paste_from_menu'
)
for row in "${rows[@]}"; do
    read -r text how <<<"$row"
    desk_log "row: $text by $how"
    desk_retype_input "$main" 1
    printf -v clip "$text"
    desk_clipboard_offer "$clip"
    $how
    desk_expect_eq "$text by $how: result" "59545.7" "$(desk_copy_result "$main")"
done
# The input holds the number alone.
desk_expect_eq "history entry" "37 mile = 59545.7 meter (m)" "$(desk_history_newest "$main")"
desk_pass
