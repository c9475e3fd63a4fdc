#!/usr/bin/env bash
# Popups stay inside the screen's free area: the unit finder of a main window low at the right
# edge shows its last rows, and the Warp menu chosen with a key opens beside the From list, not at
# a mouse pointer far away.
source "$(dirname "$0")/desktop_support.sh"
desk_begin popups_stay_on_screen 40

# _desk_popup : prints the id of the program's visible window that is none of the given ones.
_desk_popup() {
    local id
    for id in $(desk_windows_of_pid); do
        [[ " $* " == *" $id "* ]] || { echo "$id"; return 0; }
    done
    return 1
}

# The main window's bottom-right corner near the screen's (1280 x 1024).
desk_folder --cfg Form_Convert_Left=13500,Form_Convert_Top=12600,Sel_Unit_Group=9
desk_start
main=$(desk_find_window '^ Halden Unit Converter - Velocity$')
desk_activate "$main"
desk_expect 5 "the main window did not become active" desk_is_active "$main"
desk_key ctrl+f
desk_expect 5 "the unit finder did not open" eval 'finder=$(_desk_popup "$main")'
finder=$(_desk_popup "$main")
desk_expect 5 "the unit finder runs off the screen: $(desk_geometry "$finder")" desk_fits_screen "$finder"
desk_key Escape
desk_expect 5 "the unit finder stayed open" eval '! _desk_popup "$main" >/dev/null'

# The pointer far from the window; Warp (the last unit) chosen with End in the From list.
timeout 5 xdotool mousemove 5 5 || desk_fail "cannot move the mouse"
desk_click_list_row "$main" from 0
timeout 5 xdotool mousemove 5 5 || desk_fail "cannot move the mouse"
desk_key End
desk_expect 5 "the Warp menu did not open" eval '_desk_popup "$main" >/dev/null'
read -r menu_x menu_y _ <<<"$(desk_geometry "$(_desk_popup "$main")")"
read -r main_x main_y main_w main_h <<<"$(desk_frame_geometry "$main")"
[ "$menu_x" -ge $((main_x - 200)) ] && [ "$menu_y" -ge $((main_y - 200)) ] ||
    desk_fail "the Warp menu opened at $menu_x,$menu_y, away from the main window at $main_x,$main_y"
desk_pass
