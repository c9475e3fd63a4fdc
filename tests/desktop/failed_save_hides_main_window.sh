#!/usr/bin/env bash
# When the configuration cannot be saved at exit, the main window is hidden (not moved to the
# screen's edge) while the failure message shows, and the file is left as it was.
# Runs as an unprivileged user: root could write the read-only folder anyway.
source "$(dirname "$0")/desktop_support.sh"
desk_begin failed_save_hides_main_window 40

desk_folder --cfg Form_Convert_Left=1500,Form_Convert_Top=1500
cp "$DESK_FOLDER/HALDUCNV.CFG" "$DESK_DIR/before.cfg"
desk_start --as-nobody
main=$(desk_find_window '^ Halden Unit Converter - ')
chmod 555 "$DESK_FOLDER"

desk_close "$main"
box=$(desk_find_window '^ Halden Unit Converter$')
desk_expect 5 "the main window stays mapped at $(desk_geometry "$main") while the message shows" \
    desk_not_viewable "$main"
desk_activate "$box"
desk_key Return
desk_wait_exit 10 >/dev/null
cmp -s "$DESK_DIR/before.cfg" "$DESK_FOLDER/HALDUCNV.CFG" || desk_fail "the configuration file changed"
desk_pass
