#!/usr/bin/env bash
# The Calculator tool button brings an open calculator that lies behind the main window to the
# front and gives its input the keyboard, even when the result box had it before.
source "$(dirname "$0")/desktop_support.sh"
desk_begin calculator_button_raises_calculator 40

# The calculator (80, 110 px) opens across the main window (56, 90 px).
desk_folder --cfg Form_Cal_Left=1200,Form_Cal_Top=1650
desk_start
main=$(desk_find_window '^ Halden Unit Converter - ')
desk_click_tool_button "$main" "$DESK_CALCULATOR"
cal=$(desk_find_window 'Calculator$')
desk_expect 5 "the calculator did not open active" desk_is_active "$cal"
# The keyboard left in the result box (before the input in the Tab order).
desk_key shift+Tab

for round in 1 2; do
    desk_raise "$main"
    desk_expect 5 "round $round: the main window did not come to the front" desk_is_above "$main" "$cal"
    desk_expect 5 "round $round: the main window did not become active" desk_is_active "$main"
    desk_click_tool_button "$main" "$DESK_CALCULATOR"
    desk_expect 5 "round $round: the calculator stayed behind the main window" desk_is_above "$cal" "$main"
    desk_expect 5 "round $round: the calculator did not get the keyboard" desk_is_active "$cal"
done

# The keyboard goes to the calculator's input: what is typed there is calculated, and the result
# box (reached with Shift+Tab) holds the result.
desk_key ctrl+a
desk_type "6*7"
desk_key Return shift+Tab
result=$(desk_clipboard_after desk_key ctrl+a ctrl+c)
desk_expect_eq "the result of the expression typed after the Calculator button" "42.0000" "$result"
desk_pass
