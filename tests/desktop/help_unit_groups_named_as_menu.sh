#!/usr/bin/env bash
# The help's unit groups page names the built-in groups as the Convert menu does ("Work Rate,
# Power"), not by the unit tables' long names with trailing dots.
source "$(dirname "$0")/desktop_support.sh"
desk_begin help_unit_groups_named_as_menu 30

desk_folder
desk_start
main=$(desk_find_window '^ Halden Unit Converter - Length$')
desk_activate "$main"
desk_expect 5 "the main window did not become active" desk_is_active "$main"
desk_key alt+h c
help=$(desk_find_window "$(desk_companion_title help)")
desk_expect 5 "the help window did not become active" desk_is_active "$help"

# The contents' ninth link, by the keyboard (a right click gives the page the keyboard without
# following a link).
desk_click "$help" 20 100 3
desk_settle
desk_key Escape Tab Tab Tab Tab Tab Tab Tab Tab Tab Return
desk_expect_eq "page of the ninth link of the contents" "The unit groups" "$(desk_help_page "$help")"

page=$(desk_help_text "$help")
for name in "Length" "Work Rate, Power" "Energy, Moment" "Metric Prefixes" "Hex, Oct, Bin"; do
    grep -q -x -F -e "$name" <<<"$page" || desk_fail "the unit groups page has no group named '$name'"
done
dotted=$(grep -e '\.\.\.\.$' <<<"$page")
[ -z "$dotted" ] || desk_fail "the unit groups page names groups with trailing dots: $dotted"
desk_pass
