#!/usr/bin/env bash
# A screen reader user's first start, by the keyboard alone, over the accessibility bus: the
# start-up message, the icon window, the Convert menu, the main window's controls each by a name
# of its own, units chosen by arrow keys, each new result spoken as a notification, the result
# copied and the copy spoken; the unit finder found on the bus and its hint spoken; a factor that
# Add Units refuses spoken with what the row keeps.
source "$(dirname "$0")/desktop_support.sh"
desk_begin screen_reader_first_conversion 60
probe=(/usr/bin/python3 "$(dirname "$0")/screen_reader_probe.py")

desk_folder --cfg-none
desk_accessibility_bus
"${probe[@]}" notices 50 >"$DESK_DIR/notices" 2>"$DESK_DIR/probe.log" &
DESK_PIDS+=("$!")
desk_start "${DESK_ACCESSIBILITY[@]}"

box=$(desk_find_window '^ Halden Unit Converter$')
desk_expect 5 "the start-up message is not active" desk_is_active "$box"
desk_key Return
icon=$(desk_find_window '^Halden Unit Converter$')
desk_expect 5 "the icon window did not take the keyboard" desk_is_active "$icon"
# Enter opens the Convert menu below the icon with its first group chosen; Enter takes it.
shown=$(desk_windows_of_pid | wc -l)
desk_key Return
desk_expect 5 "Enter did not open the Convert menu" eval '[ "$(desk_windows_of_pid | wc -l)" -gt "$shown" ]'
desk_key Return
main=$(desk_find_window '^ Halden Unit Converter - Length$')
desk_expect 5 "the main window did not take the keyboard" desk_is_active "$main"

controls=$("${probe[@]}" controls '^ Halden Unit Converter - Length$') ||
    desk_fail "the main window is not on the accessibility bus: $(cat "$DESK_DIR/probe.log")"
for want in $'text\tValue to convert' $'list\tConvert from unit' $'text\tResult' $'list\tConvert into unit' \
    $'push button\tCopy result' $'push button\tReduce'; do
    grep -qxF "$want" <<<"$controls" || desk_fail "no control '${want//$'\t'/ }' in: $controls"
done
unnamed=$(grep -c $'\t$' <<<"$controls")
desk_expect_eq "controls without a name" 0 "$unnamed"

# From "mile" (row 3) and into "meter (m)" (row 0) by arrow keys; Enter in the Into list hands the
# focus back to the input box.
desk_type 2
desk_key Tab Down Down Down Down Tab Tab Down Return ctrl+a
desk_type 3
desk_expect 5 "the new result was not spoken (heard: $(tr '\n' '|' <"$DESK_DIR/notices"))" \
    grep -qxF "Result: 4828.03, meter (m)" "$DESK_DIR/notices"
desk_expect_eq "the copied result" "4828.03" "$(desk_clipboard_after desk_key ctrl+shift+c)"
desk_expect 5 "the copy was not spoken" grep -qxF "Copied: 4828.03" "$DESK_DIR/notices"

# The finder is a dialog of the program while it is open; a name it does not know is heard.
desk_key ctrl+f
desk_expect 5 "the finder is not on the accessibility bus" \
    eval '"${probe[@]}" controls "^Find Unit$" | grep -qxF "$(printf "text\tFind unit")"'
desk_type qqq
desk_expect 5 "the finder's hint was not spoken (heard: $(tr '\n' '|' <"$DESK_DIR/notices"))" \
    grep -qxF "No unit is named “qqq”." "$DESK_DIR/notices"
desk_key Escape

# Add Units from the Options menu; Tab Tab reaches the first row's factor. A factor that is not a
# number is heard with the factor the row keeps.
desk_key alt+o a
addunits=$(desk_wait_window '^ Add Units$' 5) || desk_fail "Add Units did not open"
desk_expect 5 "Add Units did not take the keyboard" desk_is_active "$addunits"
desk_key Tab Tab
desk_type 1x
desk_expect 5 "the refused factor was not spoken (heard: $(tr '\n' '|' <"$DESK_DIR/notices"))" \
    grep -qxF "Factor, row 1: not a number; the factor stays 1" "$DESK_DIR/notices"
desk_pass
