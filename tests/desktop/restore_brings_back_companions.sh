#!/usr/bin/env bash
# Minimising the main window (or a companion window the window manager minimises with it) and
# restoring the main window from the task bar brings the main window back, with each companion
# window that was open, and they stay on the screen. Task bars show no button of a companion's.
source "$(dirname "$0")/desktop_support.sh"
desk_begin restore_brings_back_companions 80

# companion            window minimised by the user
rows=(
    "constants           main"
    "equivalence         main"
    "addunits            main"
    "addunits            companion"
    "calculator          main"
    "calculator          companion"
    "help                main"
    "help                companion"
    "about               main"
)

for row in "${rows[@]}"; do
    read -r companion minimised <<<"$row"
    # IceWM offers no way to minimise a dialog (and ignores the request).
    [ "$minimised" = companion ] && [ "$companion" = addunits ] && [ "$DESK_WM" = icewm ] && continue
    desk_log "row: $companion, minimising the $minimised window"
    desk_folder
    desk_start
    main=$(desk_find_window '^ Halden Unit Converter - ')
    desk_open_companion "$main" "$companion"
    other=$(desk_find_window "$(desk_companion_title "$companion")")
    # Task bars show the program's one button.
    desk_expect 5 "$companion: the window has a task bar button of its own" \
        eval 'timeout 3 xprop -id "$other" _NET_WM_STATE | grep -q SKIP_TASKBAR'

    if [ "$minimised" = main ]; then desk_minimize "$main"; else desk_minimize "$other"; fi
    desk_expect 5 "$companion: the main window was not minimised" desk_is_iconic "$main"

    desk_activate "$main"
    # A loaded machine can let the window manager drop the task bar's request; it is made again,
    # as a user clicks the button again.
    desk_expect 10 "$companion: the main window did not come back from the task bar" \
        eval 'desk_is_normal "$main" || { desk_activate "$main"; false; }'
    desk_expect 5 "$companion: the $companion window did not come back" desk_is_normal "$other"
    # Nothing minimises them again a moment later.
    desk_holds 1 "$companion: the main window did not stay in its normal state" desk_is_normal "$main"
    desk_is_normal "$other" || desk_fail "$companion: the $companion window went back to $(desk_wm_state "$other")"

    kill -KILL "$DESK_PID"
    wait "$DESK_PID" 2>/dev/null
done
desk_pass
