#!/usr/bin/env bash
# The help window fits the screen at a scale factor of 2 on a 1280 x 1024 screen; with Always on
# Top, help opened from Add Units shows above the dialog, beside the main window. The about box and
# Add Units stay above the main window when the user clicks it.
source "$(dirname "$0")/desktop_support.sh"
desk_begin help_window_fits_and_stays_above 60 1280x1024x24

desk_folder
desk_start
main=$(desk_find_window '^ Halden Unit Converter - ')
for dialog in about addunits; do
    desk_open_companion "$main" "$dialog"
    other=$(desk_find_window "$(desk_companion_title "$dialog")")
    owner=$(timeout 3 xprop -id "$other" WM_TRANSIENT_FOR | grep -o '0x[0-9a-fA-F]*')
    desk_expect_eq "the window the $dialog window is transient for" "$main" "$((${owner:-0}))"
    desk_raise "$main"
    desk_settle
    desk_holds 1 "a click on the main window put it above the $dialog window" desk_is_above "$other" "$main"
    [ "$dialog" = addunits ] || { desk_activate "$other"; desk_key Return; }
done
kill -KILL "$DESK_PID"
wait "$DESK_PID" 2>/dev/null

desk_folder
desk_start QT_SCALE_FACTOR=2
main=$(desk_find_window '^ Halden Unit Converter - ')
desk_open_companion "$main" help
help=$(desk_find_window "$(desk_companion_title help)")
desk_expect 5 "at scale 2 the help window runs off the screen: $(desk_frame_geometry "$help")" desk_fits_screen "$help"
kill -KILL "$DESK_PID"
wait "$DESK_PID" 2>/dev/null

desk_folder --cfg Show_On_Top=1
desk_start
main=$(desk_find_window '^ Halden Unit Converter - ')
desk_open_companion "$main" addunits
dialog=$(desk_find_window "$(desk_companion_title addunits)")
desk_activate "$dialog"
desk_expect 5 "the Add Units dialog did not become active" desk_is_active "$dialog"
desk_key alt+h
help=$(desk_find_window "$(desk_companion_title help)")
desk_expect 5 "the help window opened below the Add Units dialog" desk_is_above "$help" "$dialog"
desk_expect 5 "the help window opened below the main window" desk_is_above "$help" "$main"
read -r help_x _ help_w _ <<<"$(desk_frame_geometry "$help")"
read -r main_x _ main_w _ <<<"$(desk_frame_geometry "$main")"
[ "$help_x" -ge $((main_x + main_w)) ] || [ $((help_x + help_w)) -le "$main_x" ] ||
    desk_fail "the help window ($help_x, $help_w wide) did not open beside the main window ($main_x, $main_w wide)"
desk_pass
