#!/usr/bin/env bash
# A second start with the same configuration brings the running program to the front and ends at
# once with status 0, whether the program was minimised, reduced to its icon (also minimised from
# there) or behind another application; one program keeps running. A second start with a question
# has the first show its conversion. A stopped program does not answer: a second start says so and
# ends with status 1. A program killed outright leaves a lock that the next start takes over. A
# minimised start-up message comes back at a second start.
source "$(dirname "$0")/desktop_support.sh"
desk_begin second_start_raises_first 80

# second_start : starts the program again and waits for it to end; its exit status goes to
# SECOND_STATUS, and the first stays DESK_PID.
second_start() {
    local first=$DESK_PID
    desk_start
    _second_ended() { ! desk_running; }
    desk_wait_for 10 _second_ended || desk_fail "the second start did not end within 10 s"
    wait "$DESK_PID"
    SECOND_STATUS=$?
    DESK_PID=$first
}

desk_folder
desk_start
main=$(desk_find_window '^ Halden Unit Converter - Length$')

# the first program's state when the second starts (how it gets there: the case below)
rows=(
    "minimised"
    "reduced"
    "reduced-minimised"
    "behind"
)
for state in "${rows[@]}"; do
    desk_log "row: second start while the program is $state"
    case "$state" in
        minimised)
            desk_minimize "$main"
            desk_expect 5 "the main window was not minimised" desk_is_iconic "$main"
            ;;
        reduced)
            desk_click_tool_button "$main" "$DESK_REDUCE"
            icon=$(desk_find_window '^Halden Unit Converter$' 5)
            desk_expect 5 "the main window stayed on the screen when reduced" desk_not_viewable "$main"
            ;;
        reduced-minimised)
            desk_click_tool_button "$main" "$DESK_REDUCE"
            icon=$(desk_find_window '^Halden Unit Converter$' 5)
            # The icon's right-click menu: Minimize.
            desk_click "$icon" 20 20 3
            desk_settle
            desk_key Down Return
            desk_expect 5 "the main window was not minimised from the icon" desk_is_iconic "$main"
            ;;
        behind) desk_other_application >/dev/null ;;
    esac
    second_start
    desk_expect_eq "exit status of the second start ($state)" 0 "$SECOND_STATUS"
    desk_running || desk_fail "the first program ended at the second start ($state)"
    desk_expect 5 "the main window did not come back in the normal state ($state)" desk_is_normal "$main"
    desk_expect 5 "the main window did not take the keyboard ($state)" desk_is_active "$main"
    if [ "$state" = reduced ] || [ "$state" = reduced-minimised ]; then
        desk_expect 5 "the icon window stayed on the screen" desk_not_viewable "$icon"
    fi
done
desk_log "row: a second start with a question while the program is reduced shows the conversion"
# desk_start gives the program no arguments: a script in another folder adds them.
asking="$DESK_DIR/asking"
mkdir -p "$asking"
printf '#!/bin/sh\nexec "%s/halducnv" --show-question "3 ft in cm"\n' "$DESK_FOLDER" >"$asking/halducnv"
chmod +x "$asking/halducnv"
desk_click_tool_button "$main" "$DESK_REDUCE"
desk_expect 5 "the main window stayed on the screen when reduced" desk_not_viewable "$main"
DESK_FOLDER=$asking second_start
desk_expect_eq "exit status of the second start with a question" 0 "$SECOND_STATUS"
desk_expect 5 "the main window did not come back for the question" desk_is_normal "$main"
desk_expect_eq "the result of 3 ft in cm" "91.4400" "$(desk_copy_result "$main")"
desk_expect_eq "programs running with the folder" 1 "$(pgrep -c -f "^$DESK_FOLDER/halducnv$")"

desk_log "row: a second start while the program is stopped ends with status 1 and says why"
kill -STOP "$DESK_PID"
: >"$DESK_CHILD_LOG"
second_start
kill -CONT "$DESK_PID"
desk_expect_eq "exit status of the second start while the program is stopped" 1 "$SECOND_STATUS"
grep -q "^halducnv: another copy of the program (process $DESK_PID) uses the files in .* and does not answer$" \
    "$DESK_CHILD_LOG" || desk_fail "the second start did not say that the running program does not answer"

desk_log "row: a start after the program was killed outright runs"
kill -KILL "$DESK_PID"
desk_wait_exit 5 >/dev/null
desk_start
desk_find_window '^ Halden Unit Converter - Length$' >/dev/null
desk_running || desk_fail "the start after a killed program ended"

# (IceWM does not minimise a message box.)
if [ "$DESK_WM" = openbox ]; then
    desk_log "row: a second start brings back a minimised start-up message"
    kill -KILL "$DESK_PID"
    desk_wait_exit 5 >/dev/null
    rm "$DESK_FOLDER/HALDUCNV.CFG"
    desk_start
    box=$(desk_find_window '^ Halden Unit Converter$')
    desk_minimize "$box"
    desk_expect 5 "the start-up message was not minimised" desk_is_iconic "$box"
    second_start
    desk_expect_eq "exit status of the second start while the start-up message is minimised" 0 "$SECOND_STATUS"
    desk_expect 5 "the start-up message did not come back" desk_is_normal "$box"
    desk_expect 5 "the start-up message did not take the keyboard" desk_is_active "$box"
fi
desk_pass
