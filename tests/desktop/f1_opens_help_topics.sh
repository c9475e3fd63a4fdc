#!/usr/bin/env bash
# F1 opens the help at the window's own topic: the main window at the contents, the constants
# window, Add Units, the calculator, the equivalence window and the about window at their pages.
# Help minimised from its own title bar (the main window goes down with it) comes back at F1.
source "$(dirname "$0")/desktop_support.sh"
desk_begin f1_opens_help_topics 45

desk_folder
desk_start
main=$(desk_find_window '^ Halden Unit Converter - Length$')
help_title=$(desk_companion_title help)

# window       page heading
rows=(
    "main        Halden Unit Converter"
    "constants   The physical constants window"
    "addunits    Adding units of your own"
    "calculator  The calculator"
    "equivalence The equivalence window"
    "about       The about window"
)
for row in "${rows[@]}"; do
    read -r window heading <<<"$row"
    desk_log "row: F1 in the $window window"
    if [ "$window" = main ]; then
        target=$main
    else
        desk_open_companion "$main" "$window"
        target=$(desk_find_window "$(desk_companion_title "$window")")
    fi
    desk_activate "$target"
    desk_expect 5 "the $window window did not become active" desk_is_active "$target"
    desk_key F1
    help=$(desk_find_window "$help_title" 5)
    desk_expect 5 "F1 in the $window window did not bring the help to the front" desk_is_active "$help"
    desk_expect_eq "page of F1 in the $window window" "$heading" "$(desk_help_page "$help")"
done
desk_activate "$target"
desk_key Return

# The calculator stays on the screen while the main window is minimised: F1 there.
cal=$(desk_find_window "$(desk_companion_title calculator)")
desk_minimize "$help"
desk_expect 5 "the help window was not minimised" desk_is_iconic "$help"
desk_activate "$cal"
desk_expect 5 "the calculator did not become active" desk_is_active "$cal"
desk_key F1
desk_expect 5 "F1 left the minimised help window minimised" desk_is_normal "$help"
desk_expect 5 "F1 did not bring the help window back to the front" desk_is_active "$help"
desk_pass
