#!/usr/bin/env bash
# The desktop search provider on a private session bus, started by the bus from its service file as
# GNOME Shell or KRunner would start it: both interfaces answer "3 ft in cm", nothing else that is
# typed into a search box, and no bad call stops them; KRunner's Copy puts the number on the
# clipboard; a second start while one runs ends at once; and the service leaves when idle.
source "$(dirname "$0")/desktop_support.sh"
desk_begin search_provider_answers 60
desk_require dbus-daemon gdbus

desk_folder
# The session bus finds services in the data folders it is given, as it finds installed ones.
services="$DESK_DIR/data/dbus-1/services"
mkdir -p "$services"
printf '[D-BUS Service]\nName=org.halden.UnitConverter.SearchProvider\nExec=%s --search-provider\n' \
    "$DESK_FOLDER/halducnv" >"$services/org.halden.UnitConverter.SearchProvider.service"
XDG_DATA_DIRS="$DESK_DIR/data" dbus-daemon --session --fork --print-address=1 --print-pid=1 >"$DESK_DIR/bus" \
    2>"$DESK_DIR/bus.log" || desk_fail "dbus-daemon did not start"
export DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p "$DESK_DIR/bus")
DESK_PIDS+=("$(sed -n 2p "$DESK_DIR/bus")")

name=org.halden.UnitConverter.SearchProvider
shell_call() {
    timeout 5 gdbus call --session --dest $name --object-path /org/halden/UnitConverter/SearchProvider \
        --method "org.gnome.Shell.SearchProvider2.$1" "${@:2}" 2>&1
}
runner_call() { timeout 5 gdbus call --session --dest $name --object-path /runner --method "org.kde.krunner1.$1" "${@:2}" 2>&1; }
# A call with the arguments as dbus-send writes them, types and all: PATH METHOD ARGUMENTS.
send_call() { timeout 5 dbus-send --session --print-reply --dest=$name $1 "${@:2}" 2>&1; }
owned() { timeout 3 gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
    --method org.freedesktop.DBus.NameHasOwner $name 2>/dev/null | grep -q true; }

# Each row: which interface, the method, its arguments (a third field for a second one), and a text
# its reply must hold ("-" for a reply that must be an error).
rows=(
    'shell|GetInitialResultSet|["3","ft","in","cm"]||'"'answer:3 ft in cm', 'open:3 ft in cm'"
    'shell|GetResultMetas|["answer:3 ft in cm"]||'"'name': <'91.4400 cm'>"
    'shell|GetResultMetas|["answer:3 ft in cm"]||'"'clipboardText': <'91.4400'>"
    'shell|GetResultMetas|["answer:3 ft in cm"]||'"'description': <'3 foot, feet (ft) = 91.4400 centimeter (cm)'>"
    'shell|GetInitialResultSet|["firefox"]||(@as [],)'
    'shell|GetInitialResultSet|["42"]||(@as [],)'
    'shell|GetSubsearchResultSet|["answer:3 ft in cm"]|["3","ft","to"]|(@as [],)'
    'shell|GetInitialResultSet|"3 ft in cm"||-'
    'shell|GetResultMetas|["nothing of ours"]||(@aa{sv} [],)'
    'runner|Match|3 ft in cm||'"('answer:3 ft in cm', '91.4400 cm'"
    'runner|Match|firefox||(@a(sssida{sv}) [],)'
    'runner|Match|42||(@a(sssida{sv}) [],)'
    'send|/runner org.kde.krunner1.Match|int32:3||-'
    'send|/org/halden/UnitConverter/SearchProvider org.gnome.Shell.SearchProvider2.GetResultMetas|string:x||-'
    'runner|Actions|||'"('copy', 'Copy'"
)
for row in "${rows[@]}"; do
    IFS='|' read -r interface method first second want <<<"$row"
    desk_log "row: $interface $method $first $second"
    args=()
    [ -n "$first" ] && args+=("$first")
    [ -n "$second" ] && args+=("$second")
    reply=$("${interface}_call" "$method" "${args[@]}")
    if [ "$want" = "-" ]; then
        case "$reply" in *Error*) ;; *) desk_fail "$method was answered, not refused: $reply" ;; esac
    else
        case "$reply" in *"$want"*) ;; *) desk_fail "$method $first: expected $want in: $reply" ;; esac
    fi
done

desk_log "row: a term as long as a command line takes (120 kB) is no question, and the service answers on"
big=$(head -c 120000 /dev/zero | tr '\0' '7')
reply=$(shell_call GetInitialResultSet "[\"$big\", \"m\"]")
desk_expect_eq "reply to a long term" "(@as [],)" "$reply"

desk_log "row: a burst of calls at once: each is answered, and the service answers on"
burst=()
for ((i = 0; i < 300; i++)); do
    timeout 20 dbus-send --session --print-reply --dest=$name /runner org.kde.krunner1.Match "string:$i ft in cm" \
        >>"$DESK_DIR/burst" 2>&1 &
    burst+=($!)
done
wait "${burst[@]}"
desk_expect_eq "answers to the burst" 300 "$(grep -c "ft in cm" "$DESK_DIR/burst")"

desk_log "row: KRunner's Copy puts the number on the clipboard"
runner_call Run "answer:3 ft in cm" copy >/dev/null
clipboard() { [ "$(timeout 3 xclip -o -selection clipboard 2>/dev/null)" = "91.4400" ]; }
desk_expect 5 "the clipboard did not get 91.4400" clipboard

desk_log "row: choosing \"open\" brings the converter with the question's group"
shell_call ActivateResult "open:350F to C" '["350F","to","C"]' 1234 >/dev/null
_window_started() { DESK_PID=$(pgrep -n -f -- "--show-question 350F to C"); }
desk_expect 10 "choosing open started no converter window" _window_started
DESK_PIDS+=("$DESK_PID")
desk_find_window '^ Halden Unit Converter - Temperature$' >/dev/null

desk_log "row: a second start while one answers ends at once"
timeout 10 "$DESK_FOLDER/halducnv" --search-provider
desk_expect_eq "exit status of a second start" 0 "$?"

desk_log "row: the service leaves after 10 s without a call"
desk_expect 3 "the service does not hold its name" owned
desk_holds 8 "the service left before 10 s without a call" owned
_gone() { ! owned; }
desk_expect 6 "the service did not leave when idle" _gone
desk_pass
