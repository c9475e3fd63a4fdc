#!/usr/bin/env bash
# Temporary files that a killed save left beside a file (".NAME." and six letters or digits) are
# removed at the start and by the next save of that file, both files' at the start; files of any
# other name are kept, and so is a temporary that a live save (here a holder of its lock) writes.
source "$(dirname "$0")/desktop_support.sh"
desk_begin leftover_temporaries_removed 30

# name                      after a configuration save   after a user units save
rows=(
    ".HALDUCNV.CFG.a1B2c3     removed                      removed"
    ".HALDUCNV.CFG.XXXXXX     removed                      removed"
    ".HALDUCNV.CFG.000000     removed                      removed"
    ".HUC_USER.DAT.Zz9Yy8     removed                      removed"
    ".HUC_USER.DAT.Held01     kept                         kept"
    ".HALDUCNV.CFG.Held02     kept                         kept"
    ".HALDUCNV.CFG.a1B2c      kept                         kept"
    ".HALDUCNV.CFG.a1B2c3d    kept                         kept"
    ".HALDUCNV.CFG.a1-2c3     kept                         kept"
    "HALDUCNV.CFG.a1B2c3      kept                         kept"
    ".halducnv.cfg.a1B2c3     kept                         kept"
    ".HALDUCNV.CFG-a1B2c3     kept                         kept"
    ".HUC_USER.DAT.Zz9Yy      kept                         kept"
)
desk_folder
for row in "${rows[@]}"; do
    read -r name _ <<<"$row"
    echo "leftover" >"$DESK_FOLDER/$name"
done
# The scenario itself holds these two locked to the end, as a save of another copy would.
exec {held_dat}<"$DESK_FOLDER/.HUC_USER.DAT.Held01" {held_cfg}<"$DESK_FOLDER/.HALDUCNV.CFG.Held02"
for held in "$held_dat" "$held_cfg"; do
    flock -x "$held" || desk_fail "cannot lock the held temporaries"
done

check_leftovers() {
    local column="$1" when="$2" name after_cfg after_dat expected present
    for row in "${rows[@]}"; do
        read -r name after_cfg after_dat <<<"$row"
        expected=$after_cfg
        [ "$column" = dat ] && expected=$after_dat
        present=kept
        [ -e "$DESK_FOLDER/$name" ] || present=removed
        desk_expect_eq "$name $when" "$expected" "$present"
    done
}

# The configuration is saved at the end of the program.
desk_start
main=$(desk_find_window '^ Halden Unit Converter - Length$')
# (The window manager has finished placing the new window before the close.)
desk_settle
desk_close "$main"
desk_wait_exit 10 >/dev/null
check_leftovers cfg "after the configuration's save"

# The user units file is saved by Add Units' Save.
desk_start
main=$(desk_find_window '^ Halden Unit Converter - Length$')
desk_open_companion "$main" addunits
dialog=$(desk_find_window '^ Add Units$')
desk_expect 5 "Add Units did not open active" desk_is_active "$dialog"
desk_key alt+s
desk_expect 5 "Add Units stayed open after its Save" desk_not_viewable "$dialog"
check_leftovers dat "after the user units save"
desk_pass
