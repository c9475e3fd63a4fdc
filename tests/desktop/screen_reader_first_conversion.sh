#!/usr/bin/env bash
# A screen reader user's first start, by the keyboard alone, over the accessibility bus: the
# start-up message, the icon window, the Convert menu, the main window's controls each by a name
# of its own, units chosen by arrow keys, each new result spoken as a notification, the result
# copied and the copy spoken.
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
desk_pass
