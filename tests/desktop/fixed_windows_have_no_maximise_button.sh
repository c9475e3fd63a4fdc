#!/usr/bin/env bash
# The fixed-size windows (main, calculator, constants, equivalence, Add Units, about) ask the
# window manager for no maximise button, and the window manager offers no maximise action.
source "$(dirname "$0")/desktop_support.sh"
desk_begin fixed_windows_have_no_maximise_button 40

# Motif hints: flags, functions, decorations; the maximise function and decoration bits.
MWM_FUNC_MAXIMIZE=$((0x10))
MWM_DECOR_MAXIMIZE=$((0x40))

check_window() {
    local name="$1" id="$2" hints flags functions decorations
    hints=$(timeout 3 xprop -id "$id" _MOTIF_WM_HINTS | grep -o '0x[0-9a-f]*' | tr '\n' ' ')
    read -r flags functions decorations _ <<<"$hints"
    [ -n "$flags" ] || desk_fail "$name: the window sets no Motif hints, so every button is offered"
    if (( (flags & 1) && (functions & MWM_FUNC_MAXIMIZE) )); then
        desk_fail "$name: the window asks for the maximise function (Motif hints $hints)"
    fi
    if (( (flags & 2) && (decorations & MWM_DECOR_MAXIMIZE) )); then
        desk_fail "$name: the window asks for a maximise button (Motif hints $hints)"
    fi
    case "$(desk_allowed_actions "$id")" in
        *MAXIMIZE*) desk_fail "$name: the window manager offers to maximise it" ;;
    esac
    desk_log "$name: no maximise button ($hints)"
}

desk_folder
desk_start
main=$(desk_find_window '^ Halden Unit Converter - ')
check_window main "$main"
for companion in calculator constants equivalence addunits about; do
    desk_open_companion "$main" "$companion"
    check_window "$companion" "$(desk_find_window "$(desk_companion_title "$companion")")"
done
desk_pass
