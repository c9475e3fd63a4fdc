#!/usr/bin/env bash
# Window places left of or above the primary screen (negative twips of five digits) read back as
# written: a run that does not move those windows saves them unchanged instead of cutting a digit.
source "$(dirname "$0")/desktop_support.sh"
desk_begin negative_positions_read_back 30

# key                  stored value (the calculator, the constants and the icon windows stay closed)
rows=(
    "Form_Cal_Left       -12345"
    "Form_Cal_Top        -32768"
    "Form_Constants_Left -10000"
    "Form_Constants_Top  -9999"
    "Form_Normal_Left    -20000"
    "Form_Normal_Top     -15000"
)
values=""
for row in "${rows[@]}"; do
    read -r key value <<<"$row"
    values+="${values:+,}$key=$value"
done
desk_folder --cfg "$values"
desk_start
main=$(desk_find_window '^ Halden Unit Converter - Length$')
# (The window manager has finished placing the new window before the close.)
desk_settle
desk_close "$main"
desk_wait_exit 10 >/dev/null

for row in "${rows[@]}"; do
    read -r key value <<<"$row"
    desk_expect_eq "saved $key" "$value" "$(desk_config_value "$key")"
done
desk_pass
