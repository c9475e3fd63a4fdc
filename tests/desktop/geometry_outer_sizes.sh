#!/usr/bin/env bash
# Every window's outer size, frame included, is what its rule computes, under a window manager
# that draws a frame: the main window 392 px wide at 15 twips per pixel, the calculator never
# narrower than it (and never wider than the screen), Add Units centred by its outer size, the
# constants window as wide at its first opening as later, the equivalence window as its rule says.
source "$(dirname "$0")/desktop_support.sh"
desk_begin geometry_outer_sizes 60

# outer_geometry WID : prints "X Y WIDTH HEIGHT" of the window with its frame.
outer_geometry() {
    local extents
    extents=$(timeout 3 xprop -id "$1" -notype _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/^_NET_FRAME_EXTENTS = //p')
    [ -n "$extents" ] || extents="0, 0, 0, 0"
    echo "$(desk_geometry "$1") ${extents//,/}" |
        awk '{print $1 - $5, $2 - $7, $3 + $5 + $6, $4 + $7 + $8}'
}
outer_width() { outer_geometry "$1" | awk '{print $3}'; }
# picture NAME : leaves a picture of the screen, as the user sees it now, beside the failure shots.
picture() { desk_screenshot "${HALDEN_SCREENSHOT_DIR:-/tmp}/geometry_$1.png"; }
# logged_width CLASS : the outer width the program's rule gave the window (last one logged).
logged_width() { sed -n "s/^halden-geometry halden::$1 outer-width \([0-9]*\) .*/\1/p" "$DESK_CHILD_LOG" | tail -n1; }
has_frame() { timeout 3 xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | grep -q '= '; }

desk_folder --cfg Form_Convert_Left=1500,Form_Convert_Top=1500,Form_Cal_Left=1500,Form_Cal_Top=6000
desk_start HALDEN_GEOMETRY_LOG=1 LD_PRELOAD="$HALDEN_WINDOW_OBSERVER"
main=$(desk_find_window '^ Halden Unit Converter - Length$')
desk_expect 5 "the window manager gave the main window no frame" has_frame "$main"

# The main window's width rule needs no font: frames 2172/15 + 14 px, buttons from the gap.
rule_width=$(awk 'function nearest(x) { r = int(x + 0.5); if (r - x == 0.5 && r % 2) r--; return r }
    BEGIN { fra = 2172 / 15 + 14; into = nearest(10 + fra) + 32 + 14
            button = nearest((fra + into - 10 - 1) / 4); print 2 * 10 + 4 * button + 8 }')
desk_expect_eq "rule width" 392 "$rule_width"
desk_expect 5 "main window outer width $(outer_width "$main"), not $rule_width" \
    eval '[ "$(outer_width "$main")" = "$rule_width" ]'
desk_expect_eq "main window place" "100 100" "$(outer_geometry "$main" | awk '{print $1, $2}')"

# The tool buttons on the screen: edge to edge from 1 px right of the From frame (10 px), four of
# 91 px; their teal faces lie inside their one-pixel edges.
desk_screenshot "$DESK_DIR/main.png"
read -r mx my mw mh <<<"$(desk_geometry "$main")"
teal=$(convert "$DESK_DIR/main.png" -crop "${mw}x60+${mx}+${my}" +repage txt:- 2>/dev/null |
    awk -F'[,: ]+' '/#008080/ { if (!($2 in seen)) { seen[$2] = 1; rows[++n] = $2 } if (min[$2] == "" || $1 < min[$2]) min[$2] = $1; if ($1 > max[$2]) max[$2] = $1 }
        END { if (n) print min[rows[1]], max[rows[1]] }')
desk_expect_eq "teal span of the tool button row (client x)" "12 373" "$teal"

# The calculator: as wide as the main window when its texts are short, at every opening.
desk_click_tool_button "$main" "$DESK_CALCULATOR"
calc=$(desk_find_window 'Calculator$')
desk_expect 5 "calculator outer width $(outer_width "$calc"), not the main window's $rule_width" \
    eval '[ "$(outer_width "$calc")" = "$rule_width" ]'
desk_type "1+2"
desk_key Return
desk_settle
desk_expect_eq "calculator width after a keystroke" "$rule_width" "$(outer_width "$calc")"
desk_minimize "$main"
desk_settle
desk_activate "$main"
desk_expect 5 "the main window did not come back" desk_is_normal "$main"
desk_click_tool_button "$main" "$DESK_CALCULATOR"
desk_settle
desk_expect_eq "calculator width after minimise and the Calculator button" "$rule_width" "$(outer_width "$calc")"

# A long expression pasted in: the window stops at the screen's width, "<" still on the screen.
desk_clipboard_set "$(printf '1+%.0s' $(seq 1 3000))1"
desk_activate "$main"
desk_expect 5 "the main window did not become active" desk_is_active "$main"
desk_key alt+e p c
desk_settle
desk_expect 5 "the calculator grew past the screen: $(outer_geometry "$calc")" \
    eval 'read -r cx cy cw ch <<<"$(outer_geometry "$calc")"; [ "$cw" -gt 1000 ] && [ $((cx + cw)) -le 1280 ]'

# Add Units: centred by its outer size (title bar included), in whole twips.
desk_open_companion "$main" addunits
user=$(desk_find_window '^ Add Units$')
desk_expect 5 "Add Units has no frame" has_frame "$user"
read -r ux uy uw uh <<<"$(outer_geometry "$user")"
expected=$(awk -v w="$uw" -v h="$uh" 'BEGIN {
    lt = int((1280 * 15 - w * 15) / 2); tt = int((1024 * 15 - h * 15) / 2)
    printf "%d %d", int(lt / 15 + 0.5), int(tt / 15 + 0.5) }')
desk_expect_eq "Add Units outer place (centred)" "$expected" "$ux $uy"
picture add_units
desk_close "$user"

# Constants: the same outer width at the first and at a later opening, the one its rule gave.
desk_open_companion "$main" constants
constants=$(desk_find_window '^ Constants$')
desk_expect 5 "constants window has no frame" has_frame "$constants"
desk_settle
first=$(outer_width "$constants")
desk_expect_eq "constants outer width at the first opening" "$(logged_width frmConstants)" "$first"
desk_close "$constants"
desk_expect 5 "the constants window did not close" desk_not_viewable "$constants"
desk_open_companion "$main" constants
constants=$(desk_find_window '^ Constants$')
desk_settle
desk_expect_eq "constants outer width at a later opening" "$first" "$(outer_width "$constants")"
picture constants
desk_close "$constants"

# Equivalence: its outer width is its rule's.
desk_open_companion "$main" equivalence
equiv=$(desk_find_window '^ Equivalence$')
desk_expect 5 "equivalence window has no frame" has_frame "$equiv"
desk_settle
desk_expect_eq "equivalence outer width" "$(logged_width frmEquiv)" "$(outer_width "$equiv")"

picture main_calculator_equivalence
desk_close "$equiv"

# The about window (modal): a picture of it, then Enter closes it.
desk_open_companion "$main" about
about=$(desk_find_window '^ About Halden Unit Converter$')
desk_expect 5 "the about window has no frame" has_frame "$about"
picture about
desk_activate "$about"
desk_key Return
desk_expect 5 "Enter did not close the about window" desk_not_viewable "$about"

# The reduced shape: the icon window has no title bar; its outer size is its base (32 + 4 by
# 32 + 5) with 10 and 11 px of margin and frame.
desk_activate "$main"
desk_expect 5 "the main window did not become active" desk_is_active "$main"
desk_click_tool_button "$main" "$DESK_REDUCE"
icon=$(desk_find_window '^Halden Unit Converter$')
desk_expect 5 "icon window outer size $(outer_geometry "$icon"), not 46 x 48" \
    eval '[ "$(outer_geometry "$icon" | awk '"'"'{print $3, $4}'"'"')" = "46 48" ]'
picture reduced_shape
desk_pass
