#!/usr/bin/env bash
# A window's place survives a run unchanged, whatever frame the window manager draws, with and
# without Always on Top and across its toggles; a stored place that leaves too little of a window
# on the screen (another monitor's, or one that fits only at a smaller scale) brings each window
# just onto the screen, each where it was nearest, none piled on another.
source "$(dirname "$0")/desktop_support.sh"
desk_begin window_places_hold 80

# on top  toggles  scale  held  (the main window at 100, 90 px; closed at once but for the toggles;
#                              held: seconds the window manager takes to frame the window, as on a
#                              busy machine)
rows=(
    "0        0        1      0"
    "1        0        1      0"
    "1        2        1      0"
    "0        0        2      0"
    "1        0        2      4"
)
for row in "${rows[@]}"; do
    read -r on_top toggles scale held <<<"$row"
    desk_log "row: on top $on_top, $toggles toggles, scale $scale, held $held s"
    desk_folder --cfg Show_On_Top=$on_top,Form_Convert_Left=1500,Form_Convert_Top=1350
    [ "$held" = 0 ] || kill -STOP "$DESK_WM_PID"
    desk_start QT_SCALE_FACTOR="$scale"
    if [ "$held" != 0 ]; then
        sleep "$held"
        kill -CONT "$DESK_WM_PID"
    fi
    main=$(desk_find_window '^ Halden Unit Converter - ')
    desk_settle
    for ((i = 0; i < toggles; i++)); do
        desk_activate "$main"
        desk_expect 5 "the main window did not become active" desk_is_active "$main"
        desk_key alt+o
        desk_settle
        desk_key t
        above=$(((on_top + i + 1) % 2))
        desk_expect 5 "Always on Top is not $above after toggle $((i + 1))" \
            eval '[ "$(desk_net_wm_state "$main" | grep -c _NET_WM_STATE_ABOVE)" = "$above" ]'
    done
    desk_close "$main"
    desk_wait_exit 10 >/dev/null
    place="$(desk_config_value Form_Convert_Left),$(desk_config_value Form_Convert_Top)"
    desk_expect_eq "saved place (on top $on_top, $toggles toggles, scale $scale, held $held s)" "1500,1350" "$place"
done

# Far right and low on a 1280 x 1024 screen: each window comes just onto the screen, apart.
desk_folder --cfg Form_Convert_Left=25000,Form_Convert_Top=14000,Form_Cal_Left=30000,Form_Cal_Top=3000,Form_Constants_Left=32000,Form_Constants_Top=9000
desk_start
main=$(desk_find_window '^ Halden Unit Converter - ')
desk_open_companion "$main" calculator
cal=$(desk_find_window "$(desk_companion_title calculator)")
desk_open_companion "$main" constants
constants=$(desk_find_window "$(desk_companion_title constants)")
for window in main cal constants; do
    desk_expect 5 "the $window window is not wholly on the screen: $(desk_frame_geometry "${!window}")" \
        desk_fits_screen "${!window}"
done
read -r _ cal_top _ <<<"$(desk_frame_geometry "$cal")"
read -r constants_left _ <<<"$(desk_frame_geometry "$constants")"
[ "$cal_top" -ge 150 ] && [ "$constants_left" -ge 400 ] ||
    desk_fail "windows were not moved just onto the screen: calculator top $cal_top, constants left $constants_left"
kill -KILL "$DESK_PID"
wait "$DESK_PID" 2>/dev/null

# A place that fits at scale 1 shows some 80 px of the window at scale 2.
desk_folder --cfg Form_Convert_Left=8400
desk_start QT_SCALE_FACTOR=2
main=$(desk_find_window '^ Halden Unit Converter - ')
desk_expect 5 "at scale 2 the main window is not wholly on the screen: $(desk_frame_geometry "$main")" \
    desk_fits_screen "$main"
desk_pass
