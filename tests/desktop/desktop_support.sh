# Support for the desktop scenarios: each scenario sources this file, calls desk_begin, and then
# reads as the user's steps. A scenario runs the built program on its own Xvfb display under a
# window manager, in its own portable folder, and ends with desk_pass (or fails through desk_fail).
#
# Environment (set by CTest): HALDEN_PROGRAM, the built program; HALDEN_SCREENSHOT_DIR, where a
# failing scenario leaves its screenshot; HALDEN_DESKTOP_WM, the window manager (openbox, the
# default, or icewm: the scenarios whose outcome the window manager decides run under both).
# Every wait polls with a deadline; nothing sleeps long.
# shellcheck shell=bash

set -uo pipefail

DESK_NAME=""          # the scenario's name (screenshot file name)
DESK_DIR=""           # the scenario's private temporary directory
DESK_FOLDER=""        # the portable folder holding the program copy and its two files
DESK_PID=""           # pid of the running program (the last one started)
DESK_XVFB_PID=""
DESK_WM_PID=""
DESK_PIDS=()          # every process started here, killed by pid at exit
DESK_FAILED=0
DESK_WM="${HALDEN_DESKTOP_WM:-openbox}"   # the window manager the scenario runs under
DESK_CHILD_LOG=""     # stdout/stderr of the program
DESK_ACCESSIBILITY=() # environment of a program seen over the accessibility bus

# desk_log TEXT... : prints a progress line to the test output.
desk_log() { printf '[%s] %s\n' "${DESK_NAME:-desktop}" "$*" >&2; }

# desk_fail TEXT... : reports the failure, takes a screenshot and ends the scenario with status 1
# (also from inside a command substitution: the scenario's shell is told to end).
desk_fail() {
    DESK_FAILED=1
    printf '[%s] FAIL: %s\n' "${DESK_NAME:-desktop}" "$*" >&2
    if [ "$BASHPID" != "$$" ]; then
        kill -USR2 $$ 2>/dev/null
    fi
    exit 1
}

# desk_pass : ends the scenario successfully.
desk_pass() {
    desk_log "PASS"
    exit 0
}

# desk_require TOOL... : a missing tool fails the scenario with a clear message (never a skip).
desk_require() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 ||
            desk_fail "required tool '$tool' is not installed (run scripts/bootstrap)"
    done
}

# desk_screenshot FILE : saves the whole screen as a PNG (best effort).
desk_screenshot() {
    [ -n "${DISPLAY:-}" ] || return 0
    mkdir -p "$(dirname "$1")" 2>/dev/null
    timeout 10 import -display "$DISPLAY" -window root "$1" >/dev/null 2>&1 || true
}

_desk_cleanup() {
    local status=$?
    trap - EXIT INT TERM USR2
    if [ "$status" -ne 0 ] || [ "$DESK_FAILED" -ne 0 ]; then
        local shot="${HALDEN_SCREENSHOT_DIR:-/tmp}/${DESK_NAME:-desktop}.png"
        desk_screenshot "$shot"
        [ -f "$shot" ] && printf '[%s] screenshot: %s\n' "$DESK_NAME" "$shot" >&2
        if [ -n "$DESK_CHILD_LOG" ] && [ -s "$DESK_CHILD_LOG" ]; then
            printf '[%s] program output:\n' "$DESK_NAME" >&2
            tail -n 40 "$DESK_CHILD_LOG" >&2
        fi
    fi
    local pid
    # The program and the helpers first, then the window manager and the display, each by its pid.
    for pid in "${DESK_PIDS[@]}" "$DESK_WM_PID" "$DESK_XVFB_PID"; do
        [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
    done
    for pid in "${DESK_PIDS[@]}" "$DESK_WM_PID" "$DESK_XVFB_PID"; do
        [ -n "$pid" ] && wait "$pid" 2>/dev/null
    done
    [ -n "$DESK_DIR" ] && [ -d "$DESK_DIR" ] && rm -rf "$DESK_DIR"
    exit "$status"
}

# desk_begin NAME [SECONDS] [SCREEN] : time limit (default 40 s), private dir, Xvfb (default
# 1280x1024x24) and the window manager DESK_WM; returns once it is ready. The scenario runs again
# under `timeout`, which sends TERM at the limit; the cleanup then still runs.
desk_begin() {
    DESK_NAME="$1${HALDEN_DESKTOP_WM:+_$DESK_WM}"
    local limit="${2:-40}" screen="${3:-1280x1024x24}"
    if [ -z "${DESK_UNDER_LIMIT:-}" ]; then
        command -v timeout >/dev/null 2>&1 || desk_fail "required tool 'timeout' is not installed"
        DESK_UNDER_LIMIT=$limit exec timeout -k 10 "$limit" bash "${BASH_SOURCE[-1]}"
    fi
    trap _desk_cleanup EXIT
    trap 'desk_fail "ended by a signal (the time limit is '"$limit"' s)"' INT TERM
    trap 'desk_fail "see the failure above"' USR2
    desk_require Xvfb "$DESK_WM" xdotool xprop xwininfo xclip setpriv import timeout
    [ -n "${HALDEN_PROGRAM:-}" ] && [ -x "$HALDEN_PROGRAM" ] ||
        desk_fail "HALDEN_PROGRAM does not name the built program ('${HALDEN_PROGRAM:-}')"
    DESK_DIR=$(mktemp -d "${TMPDIR:-/tmp}/halden-desktop.XXXXXX") || desk_fail "cannot make a temporary directory"
    chmod 755 "$DESK_DIR"
    DESK_CHILD_LOG="$DESK_DIR/program.log"

    # Xvfb picks a free display itself and writes its number once it accepts connections.
    local numfile="$DESK_DIR/display"
    Xvfb -displayfd 5 -screen 0 "$screen" -dpi 96 -nolisten tcp -noreset 5>"$numfile" \
        >"$DESK_DIR/xvfb.log" 2>&1 &
    DESK_XVFB_PID=$!
    desk_wait_for 10 _desk_display_ready "$numfile" || desk_fail "Xvfb did not start: $(tail -3 "$DESK_DIR/xvfb.log")"
    export DISPLAY=":$(head -n1 "$numfile" | tr -d '[:space:]')"
    unset XAUTHORITY WAYLAND_DISPLAY

    mkdir -p "$DESK_DIR/home" "$DESK_DIR/xdg" "$DESK_DIR/run"
    chmod 777 "$DESK_DIR/home" "$DESK_DIR/xdg"
    chmod 700 "$DESK_DIR/run"
    local -a wm
    case "$DESK_WM" in
        openbox) wm=(openbox --sm-disable) ;;
        # IceWM with its task bar, as a user meets it (one button per window the task bar lists).
        icewm) wm=(icewm) ;;
        *) desk_fail "unknown window manager '$DESK_WM' (openbox or icewm)" ;;
    esac
    HOME="$DESK_DIR/home" XDG_CONFIG_HOME="$DESK_DIR/xdg" "${wm[@]}" >"$DESK_DIR/wm.log" 2>&1 &
    DESK_WM_PID=$!
    desk_wait_for 10 _desk_wm_ready || desk_fail "$DESK_WM did not start: $(tail -3 "$DESK_DIR/wm.log")"
    desk_log "display $DISPLAY ready with $DESK_WM"
}

_desk_display_ready() { [ -s "$1" ] && grep -q '^[0-9][0-9]*$' "$1"; }

_desk_wm_ready() {
    local check
    check=$(timeout 5 xprop -root -notype _NET_SUPPORTING_WM_CHECK 2>/dev/null) || return 1
    case "$check" in *"window id"*) return 0 ;; *) return 1 ;; esac
}

# desk_wait_for SECONDS COMMAND [ARGS...] : polls COMMAND every 0.1 s until it succeeds; status 1
# when the deadline (whole seconds) passes.
desk_wait_for() {
    local seconds="$1"
    shift
    local end
    end=$(($(date +%s%N) + seconds * 1000000000))
    while true; do
        "$@" && return 0
        [ "$(date +%s%N)" -ge "$end" ] && return 1
        sleep 0.1
    done
}

# desk_expect SECONDS DESCRIPTION COMMAND [ARGS...] : waits for COMMAND; fails the scenario with
# DESCRIPTION when it never succeeds.
desk_expect() {
    local seconds="$1" what="$2"
    shift 2
    desk_wait_for "$seconds" "$@" >/dev/null || desk_fail "$what"
}

# desk_holds SECONDS DESCRIPTION COMMAND [ARGS...] : COMMAND keeps succeeding, polled for SECONDS;
# fails the scenario with DESCRIPTION the first time it does not (for "nothing undoes it later").
desk_holds() {
    local seconds="$1" what="$2"
    shift 2
    local end
    end=$(($(date +%s%N) + seconds * 1000000000))
    while [ "$(date +%s%N)" -lt "$end" ]; do
        "$@" >/dev/null || desk_fail "$what"
        sleep 0.1
    done
}

# desk_expect_eq WHAT EXPECTED ACTUAL : fails unless the two texts are equal.
desk_expect_eq() {
    [ "$2" == "$3" ] || desk_fail "$1: expected '$2', got '$3'"
}

# desk_config_lines [KEY=VALUE...] : prints the configuration file (19 lines, CR LF) with the given
# values; the rest are the program's defaults, except Shape=1 (full window).
desk_config_lines() {
    declare -A v=(
        [Form_Normal_Top]=1350 [Form_Normal_Left]=840 [Form_Normal_Width]=0 [Form_Normal_Height]=0
        [Form_Cal_Top]=360 [Form_Cal_Left]=360 [Form_Convert_Top]=1350 [Form_Convert_Left]=840
        [Form_Constants_Top]=1650 [Form_Constants_Left]=2500 [Sel_Unit_Group]=0 [Sel_Unit_Item]=0
        [Show_On_Top]=0 [Figure]=6 [Form]=0 [Focus]=0 [Shape]=1
    )
    local pair
    for pair in "$@"; do
        [[ -v "v[${pair%%=*}]" ]] || desk_fail "desk_config_lines: unknown key '${pair%%=*}'"
        v[${pair%%=*}]="${pair#*=}"
    done
    local key
    printf '[Window]\r\n'
    for key in Form_Normal_Top Form_Normal_Left Form_Normal_Width Form_Normal_Height Form_Cal_Top Form_Cal_Left \
        Form_Convert_Top Form_Convert_Left Form_Constants_Top Form_Constants_Left Sel_Unit_Group Sel_Unit_Item; do
        printf '%s=%s\r\n' "$key" "${v[$key]}"
    done
    printf '[Option]\r\n'
    for key in Show_On_Top Figure Form Focus Shape; do
        printf '%s=%s\r\n' "$key" "${v[$key]}"
    done
}

# desk_config_write FILE [KEY=VALUE...] : writes such a configuration file.
desk_config_write() {
    local file="$1"
    shift
    desk_config_lines "$@" >"$file" || desk_fail "cannot write $file"
}

# desk_config_value KEY [FILE] : prints the value behind KEY in the configuration file (default:
# the portable folder's HALDUCNV.CFG).
desk_config_value() {
    local file="${2:-$DESK_FOLDER/HALDUCNV.CFG}"
    tr -d '\r' <"$file" | sed -n "s/^$1=//p" | head -n1
}

# desk_folder [--cfg KEY=VALUE,...|--cfg-none|--cfg-file FILE] [--dat FILE|--dat-none] : makes the
# portable folder: a copy of the program, by default a configuration in the full shape (see
# desk_config_lines) and an empty user units file (no user groups; read without a message).
desk_folder() {
    DESK_FOLDER="$DESK_DIR/portable"
    mkdir -p "$DESK_FOLDER"
    cp "$HALDEN_PROGRAM" "$DESK_FOLDER/halducnv" || desk_fail "cannot copy the program"
    local cfg_mode=default cfg_values="" cfg_file="" dat_file="" dat_mode=empty
    while [ $# -gt 0 ]; do
        case "$1" in
            --cfg) cfg_mode=values cfg_values="$2"; shift 2 ;;
            --cfg-none) cfg_mode=none; shift ;;
            --cfg-file) cfg_mode=file cfg_file="$2"; shift 2 ;;
            --dat) dat_mode=file dat_file="$2"; shift 2 ;;
            --dat-none) dat_mode=none; shift ;;
            *) desk_fail "desk_folder: unknown option '$1'" ;;
        esac
    done
    case "$cfg_mode" in
        default) desk_config_write "$DESK_FOLDER/HALDUCNV.CFG" ;;
        values)
            local -a pairs
            IFS=',' read -r -a pairs <<<"$cfg_values"
            desk_config_write "$DESK_FOLDER/HALDUCNV.CFG" "${pairs[@]}"
            ;;
        file) cp "$cfg_file" "$DESK_FOLDER/HALDUCNV.CFG" ;;
        none) ;;
    esac
    case "$dat_mode" in
        empty) : >"$DESK_FOLDER/HUC_USER.DAT" ;;
        file) cp "$dat_file" "$DESK_FOLDER/HUC_USER.DAT" ;;
        none) ;;
    esac
    return 0
}

# desk_start [--as-nobody] [NAME=VALUE...] : starts the program from the portable folder (as the
# unprivileged user 'nobody' with --as-nobody, the folder then owned by nobody) and keeps its pid in
# DESK_PID. Extra NAME=VALUE pairs go into the program's environment.
desk_start() {
    local -a prefix=()
    if [ "${1:-}" = "--as-nobody" ]; then
        shift
        # Only root ignores file modes; any other user already runs unprivileged.
        if [ "$(id -u)" -eq 0 ]; then
            chown -R nobody:nogroup "$DESK_FOLDER" || desk_fail "cannot give the folder to nobody"
            chown nobody:nogroup "$DESK_DIR/run"
            prefix=(setpriv --reuid nobody --regid nogroup --clear-groups)
        fi
    fi
    env -i PATH="$PATH" DISPLAY="$DISPLAY" HOME="$DESK_DIR/home" XDG_CONFIG_HOME="$DESK_DIR/xdg" \
        XDG_RUNTIME_DIR="$DESK_DIR/run" LANG=C.UTF-8 QT_QPA_PLATFORM=xcb "$@" \
        "${prefix[@]}" "$DESK_FOLDER/halducnv" >>"$DESK_CHILD_LOG" 2>&1 &
    DESK_PID=$!
    DESK_PIDS+=("$DESK_PID")
    desk_log "program started, pid $DESK_PID"
}

# desk_accessibility_bus : starts a private D-Bus session with the accessibility bus, as a desktop
# with a screen reader has; DESK_ACCESSIBILITY then holds the environment to pass to desk_start
# (the session bus, Qt's accessibility on).
desk_accessibility_bus() {
    desk_require dbus-daemon /usr/libexec/at-spi-bus-launcher /usr/bin/python3
    local out="$DESK_DIR/dbus" address
    dbus-daemon --session --fork --print-address=1 --print-pid=1 >"$out" || desk_fail "dbus-daemon did not start"
    address=$(sed -n 1p "$out")
    DESK_PIDS+=("$(sed -n 2p "$out")")
    export DBUS_SESSION_BUS_ADDRESS="$address"
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$DESK_DIR/at-spi.log" 2>&1 &
    DESK_PIDS+=("$!")
    desk_wait_for 10 _desk_accessibility_ready || desk_fail "the accessibility bus did not start"
    DESK_ACCESSIBILITY=("DBUS_SESSION_BUS_ADDRESS=$address" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1)
}

_desk_accessibility_ready() {
    timeout 3 dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
        >/dev/null 2>&1
}

# desk_running : succeeds while the program is running.
desk_running() { [ -n "$DESK_PID" ] && kill -0 "$DESK_PID" 2>/dev/null; }

# desk_wait_exit [SECONDS] : waits for the program to end (default 10 s); prints its exit status.
desk_wait_exit() {
    local seconds="${1:-10}"
    _desk_not_running() { ! desk_running; }
    desk_wait_for "$seconds" _desk_not_running || desk_fail "the program did not end within $seconds s"
    wait "$DESK_PID" 2>/dev/null
    echo $?
}

# desk_signal SIGNAL : sends SIGNAL (e.g. TERM) to the program.
desk_signal() { kill -s "$1" "$DESK_PID" 2>/dev/null || desk_fail "cannot send SIG$1 to $DESK_PID"; }

# desk_find_window NAME_REGEX [SECONDS] : prints the id of the program's mapped window whose title
# matches the extended regular expression (default wait 10 s); fails the scenario when none appears.
# The reduced icon window's title is "halducnv".
desk_find_window() {
    local id
    id=$(desk_wait_window "$@") || desk_fail "no visible window named /$1/ appeared"
    echo "$id"
}

# desk_wait_window NAME_REGEX [SECONDS] : as desk_find_window, but only returns status 1 on timeout.
desk_wait_window() {
    local name="$1" seconds="${2:-10}" id
    local end=$(($(date +%s) + seconds))
    while [ "$(date +%s)" -le "$end" ]; do
        id=$(_desk_windows_named "$name" --onlyvisible) && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

# (xdotool 3.2016 joins --pid and --name with "or" and its --name misses windows without WM_NAME:
# the program's windows are listed by pid and their titles matched here.)
_desk_windows_named() {
    local id title
    for id in $(timeout 3 xdotool search ${2:-} --pid "$DESK_PID" 2>/dev/null); do
        title=$(timeout 3 xdotool getwindowname "$id" 2>/dev/null) || continue
        [[ "$title" =~ $1 ]] && { echo "$id"; return 0; }
    done
    return 1
}

# desk_window_any NAME_REGEX : prints the id of the program's window with that title, mapped or
# not; status 1 if there is none.
desk_window_any() { _desk_windows_named "$1"; }

# desk_windows_of_pid : prints the ids of the program's visible windows.
desk_windows_of_pid() { timeout 3 xdotool search --onlyvisible --pid "$DESK_PID" 2>/dev/null; }

# desk_window_name WID : prints the window's title.
desk_window_name() { timeout 3 xdotool getwindowname "$1" 2>/dev/null; }

# desk_geometry WID : prints "X Y WIDTH HEIGHT" of the window's client area in root coordinates.
desk_geometry() {
    timeout 3 xwininfo -id "$1" 2>/dev/null | awk '
        /Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4}
        /^ *Width:/ {w=$2} /^ *Height:/ {h=$2} END {print x, y, w, h}'
}

# desk_map_state WID : prints IsViewable, IsUnMapped or IsUnviewable.
desk_map_state() { timeout 3 xwininfo -id "$1" 2>/dev/null | awk '/Map State:/ {print $3}'; }

# desk_is_viewable WID / desk_is_unmapped WID : map-state tests for desk_wait_for.
desk_is_viewable() { [ "$(desk_map_state "$1")" = "IsViewable" ]; }
desk_is_unmapped() { [ "$(desk_map_state "$1")" = "IsUnMapped" ]; }
# desk_not_viewable WID : succeeds when WID is not on the screen (unmapped, or no longer exists).
desk_not_viewable() { [ "$(desk_map_state "$1")" != "IsViewable" ]; }

# desk_wm_state WID : prints the ICCCM state (Normal, Iconic, Withdrawn) or "none".
desk_wm_state() {
    local out
    out=$(timeout 3 xprop -id "$1" WM_STATE 2>/dev/null | awk '/window state:/ {print $3}')
    echo "${out:-none}"
}

# desk_net_wm_state WID : prints the _NET_WM_STATE atoms, comma separated (empty when none).
desk_net_wm_state() {
    timeout 3 xprop -id "$1" -notype _NET_WM_STATE 2>/dev/null | sed -n 's/^_NET_WM_STATE = //p' | tr -d ' '
}

# desk_allowed_actions WID : prints the _NET_WM_ALLOWED_ACTIONS atoms, comma separated.
desk_allowed_actions() {
    timeout 3 xprop -id "$1" -notype _NET_WM_ALLOWED_ACTIONS 2>/dev/null |
        sed -n 's/^_NET_WM_ALLOWED_ACTIONS = //p' | tr -d ' '
}

# desk_stacking : prints the managed windows bottom to top, one decimal id a line.
desk_stacking() {
    local w
    for w in $(timeout 3 xprop -root _NET_CLIENT_LIST_STACKING 2>/dev/null | grep -o '0x[0-9a-fA-F]*'); do
        printf '%d\n' "$w"
    done
}

# _desk_frame_of WID : prints the child of the root window that holds WID (its window manager's
# frame, or WID itself), in decimal.
_desk_frame_of() {
    local w="$1" parent root
    root=$(timeout 3 xwininfo -root 2>/dev/null | awk '/Window id:/ {print $4}')
    while true; do
        parent=$(timeout 3 xwininfo -id "$w" -tree 2>/dev/null | awk '/Parent window id:/ {print $4}')
        [ -n "$parent" ] || return 1
        [ "$((parent))" = "$((root))" ] && { printf '%d\n' "$w"; return 0; }
        w=$parent
    done
}

# desk_is_above UPPER LOWER : succeeds when window UPPER is stacked above window LOWER on the
# screen (by the X server's own order of the frames: IceWM's _NET_CLIENT_LIST_STACKING can lag).
desk_is_above() {
    local upper lower w
    upper=$(_desk_frame_of "$1") && lower=$(_desk_frame_of "$2") || return 1
    # xwininfo lists the root's children top first.
    for w in $(timeout 3 xwininfo -root -children 2>/dev/null | grep -o '^ *0x[0-9a-fA-F]*'); do
        [ "$((w))" = "$upper" ] && return 0
        [ "$((w))" = "$lower" ] && return 1
    done
    return 1
}

# desk_active_window : prints the id of the window that has the keyboard focus (decimal).
desk_active_window() { timeout 3 xdotool getactivewindow 2>/dev/null; }

# desk_is_active WID : succeeds when WID is the active window.
desk_is_active() { [ "$(desk_active_window)" = "$1" ]; }

# desk_key KEY... : presses keys (xdotool names, e.g. Return, ctrl+c) in the focused window.
desk_key() { timeout 5 xdotool key --delay 40 "$@" || desk_fail "xdotool key $* failed"; }

# desk_type TEXT : types TEXT into the focused window.
desk_type() { timeout 10 xdotool type --delay 30 -- "$1" || desk_fail "xdotool type failed"; }

# desk_wait_still WID : waits (up to 3 s) until WID is on the screen and has not moved for 0.1 s.
# A window manager that animates a restore (openbox does) maps the window and marks it normal and
# active while its frame still glides in from the task bar; a click aimed at the window meanwhile
# lands on the desktop.
desk_wait_still() {
    local before now end=$(($(date +%s) + 3))
    before=$(desk_geometry "$1")
    while [ "$(date +%s)" -le "$end" ]; do
        sleep 0.1
        now=$(desk_geometry "$1")
        [ "$now" = "$before" ] && desk_is_viewable "$1" && return 0
        before=$now
    done
}

# desk_click WID X Y [BUTTON] : clicks at X,Y inside window WID's client area (button 1 default),
# once the window stands still.
desk_click() {
    desk_wait_still "$1"
    timeout 5 xdotool mousemove --window "$1" "$2" "$3" click "${4:-1}" ||
        desk_fail "click at $2,$3 in window $1 failed"
}

# desk_activate WID : asks the window manager to activate WID (as a task bar click does; it also
# restores a minimised window).
desk_activate() { timeout 5 xdotool windowactivate "$1" >/dev/null 2>&1 || true; }

# desk_raise WID : clicks WID's title bar, as the user brings a window to the front (IceWM raises
# no window on an activation request alone).
desk_raise() {
    desk_wait_still "$1"
    timeout 5 xdotool mousemove --window "$1" 150 -8 click 1 || desk_fail "cannot click the title bar of window $1"
}

# desk_minimize WID : asks the window manager to minimise WID (as its title bar button does).
desk_minimize() { timeout 5 xdotool windowminimize "$1" || desk_fail "cannot minimise window $1"; }

# desk_close WID : closes WID as the user does through the window manager: activates it and
# presses Alt+F4 (Close in openbox and IceWM). (xdotool's windowclose destroys the window instead.)
desk_close() {
    # Under load the window manager now and then takes the keys before it has given the window the
    # keyboard, and Alt+F4 goes nowhere; it is pressed again until the window leaves the screen
    # (the program's answer, a message box included, always does that) or the program ends.
    local attempt
    for attempt in 1 2 3; do
        desk_activate "$1"
        desk_expect 5 "window $1 did not become active to be closed" desk_is_active "$1"
        desk_key alt+F4
        desk_wait_for 3 _desk_closed "$1" && return 0
    done
    return 0
}

_desk_closed() { desk_not_viewable "$1" || ! desk_running; }

# desk_clipboard_get : prints the clipboard's text.
desk_clipboard_get() { timeout 3 xclip -selection clipboard -o 2>/dev/null; }

# desk_clipboard_set TEXT : puts TEXT on the clipboard; an xclip in the background (by pid) serves
# it until another program takes the clipboard. Use $'...' for control characters.
desk_clipboard_set() {
    printf '%s' "$1" | xclip -selection clipboard -i -quiet >/dev/null 2>&1 &
    DESK_PIDS+=("$!")
    _desk_clip_is() { [ "$(desk_clipboard_get)" = "$1" ]; }
    desk_expect 5 "the clipboard did not take the text" _desk_clip_is "$1"
}

# desk_settle : waits until the X server has handled everything sent so far (a round trip).
desk_settle() { timeout 3 xprop -root _NET_ACTIVE_WINDOW >/dev/null 2>&1; sleep 0.2; }

# The main window's tool buttons, left to right, for desk_click_tool_button.
DESK_PASTE=0
DESK_REDUCE=1
DESK_CALCULATOR=2
DESK_COPY=3

# desk_click_tool_button WID INDEX : clicks tool button INDEX (DESK_PASTE ... DESK_COPY) of the
# main window WID. The four buttons share the client width less 28 px, 1 px right of the From
# frame (10 px), and lie just below the menu bar (about 21 px high).
desk_click_tool_button() {
    local geometry width
    geometry=$(desk_geometry "$1")
    width=$(echo "$geometry" | awk '{print $3}')
    local button=$(((width - 28) / 4))
    desk_click "$1" $((11 + button * $2 + button / 2)) 29
}

# desk_main_window : prints the id of the program's main window (mapped or not); status 1 while it
# has never been shown (a window never shown has no X window).
desk_main_window() { desk_window_any '^ Halden Unit Converter - '; }

# desk_main_hidden : succeeds when the main window is not mapped (or was never shown).
desk_main_hidden() {
    local id
    id=$(desk_main_window) || return 0
    desk_is_unmapped "$id"
}

# desk_icon_window : prints the id of the reduced icon window (mapped or not).
desk_icon_window() { desk_window_any '^Halden Unit Converter$'; }

# desk_open_companion MAIN_WID NAME : opens a companion window of the main window as the user does;
# NAME is constants, equivalence, addunits, calculator, help or about.
desk_open_companion() {
    desk_activate "$1"
    desk_expect 5 "the main window did not become active" desk_is_active "$1"
    case "$2" in
        constants) desk_key alt+c c ;;
        # The hidden click target between the two frames, level with the text boxes.
        equivalence) desk_click "$1" 188 58 ;;
        addunits) desk_key alt+o a ;;
        calculator) desk_click_tool_button "$1" "$DESK_CALCULATOR" ;;
        help) desk_key alt+h c ;;
        about) desk_key alt+h a ;;
        *) desk_fail "desk_open_companion: unknown window '$2'" ;;
    esac
}

# desk_companion_title NAME : prints the title pattern of companion window NAME.
desk_companion_title() {
    case "$1" in
        constants) echo '^ Constants$' ;;
        equivalence) echo '^ Equivalence$' ;;
        addunits) echo '^ Add Units$' ;;
        calculator) echo 'Calculator$' ;;
        help) echo '^ Halden Unit Converter Help$' ;;
        about) echo '^ About Halden Unit Converter$' ;;
        *) desk_fail "desk_companion_title: unknown window '$1'" ;;
    esac
}

# desk_is_normal WID : succeeds when WID is mapped and in the normal (not minimised) state.
desk_is_normal() { desk_is_viewable "$1" && [ "$(desk_wm_state "$1")" = Normal ]; }

# desk_is_iconic WID : succeeds when WID is minimised.
desk_is_iconic() { [ "$(desk_wm_state "$1")" = Iconic ]; }

# desk_frame_geometry WID : prints "X Y WIDTH HEIGHT" of the window with its window-manager frame
# (the client area widened by _NET_FRAME_EXTENTS).
desk_frame_geometry() {
    local x y w h left right top bottom
    read -r x y w h <<<"$(desk_geometry "$1")"
    read -r left right top bottom <<<"$(timeout 3 xprop -id "$1" -notype _NET_FRAME_EXTENTS 2>/dev/null |
        sed -n 's/^_NET_FRAME_EXTENTS = //p' | tr -d ',')"
    echo $((x - ${left:-0})) $((y - ${top:-0})) $((w + ${left:-0} + ${right:-0})) $((h + ${top:-0} + ${bottom:-0}))
}

# desk_fits_screen WID : succeeds when the framed window lies wholly on the root window.
desk_fits_screen() {
    local x y w h sw sh
    read -r x y w h <<<"$(desk_frame_geometry "$1")"
    read -r sw sh <<<"$(timeout 3 xwininfo -root | awk '/^ *Width:/ {w=$2} /^ *Height:/ {h=$2} END {print w, h}')"
    [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le "$sw" ] && [ $((y + h)) -le "$sh" ]
}

# desk_other_application : starts another program's window (xmessage, standing for the terminal or
# launcher the user works in), clicks into it so that it holds the focus with a recent user
# action, and prints its window id.
desk_other_application() {
    xmessage -geometry 300x100+700+600 -name other "another application" >/dev/null 2>&1 &
    DESK_PIDS+=("$!")
    local id=""
    _desk_other_found() { id=$(timeout 3 xdotool search --onlyvisible --class xmessage 2>/dev/null | head -n1) && [ -n "$id" ]; }
    desk_wait_for 10 _desk_other_found || desk_fail "the other application's window did not appear"
    desk_click "$id" 150 20
    desk_expect 5 "the other application did not take the focus" desk_is_active "$id"
    echo "$id"
}

# ---------------------------------------------------------------------------------------------------
# Unit lists, the clipboard, the history, message boxes and the user units file.

# The main window's unit lists (client coordinates at 96 dpi): the x inside each list's entries,
# the centre of the top visible row and the row height.
DESK_LIST_FROM_X=60
DESK_LIST_INTO_X=270
DESK_LIST_TOP_ROW_Y=93
DESK_LIST_ROW_HEIGHT=15

_desk_list_x() {
    case "$1" in
        from) echo "$DESK_LIST_FROM_X" ;;
        into) echo "$DESK_LIST_INTO_X" ;;
        *) desk_fail "unknown unit list '$1' (from or into)" ;;
    esac
}

# desk_click_list_row WID from|into ROW : clicks the ROW-th visible row of a unit list of the main
# window WID (0 is the top row; a row below the last entry clicks the list's empty area).
desk_click_list_row() {
    desk_click "$1" "$(_desk_list_x "$2")" $((DESK_LIST_TOP_ROW_Y + DESK_LIST_ROW_HEIGHT * $3))
}

# desk_retype_input WID TEXT : clicks into the main window's input box, selects its text and types
# TEXT over it.
desk_retype_input() {
    desk_click "$1" 88 60
    desk_key ctrl+a
    desk_type "$2"
}

# desk_area_colour WID X Y WIDTH HEIGHT : prints the commonest colour (#RRGGBB) on the screen in
# that rectangle of window WID's client area (a background, whatever text lies on it).
desk_area_colour() {
    local x y w h
    read -r x y w h <<<"$(desk_geometry "$1")"
    timeout 10 import -display "$DISPLAY" -window root -crop "$4x$5+$((x + $2))+$((y + $3))" -depth 8 \
        -format %c histogram:info:- 2>/dev/null | sort -rn | grep -o '#[0-9A-Fa-f]\{6\}' | head -n1
}

# desk_list_row_colour WID from|into ROW : prints the background colour of a unit list's visible row.
desk_list_row_colour() {
    desk_area_colour "$1" $(($(_desk_list_x "$2") - 40)) $((DESK_LIST_TOP_ROW_Y + DESK_LIST_ROW_HEIGHT * $3 - 5)) 110 10
}

# desk_wheel_list WID from|into NOTCHES : turns the mouse wheel down over a unit list.
desk_wheel_list() {
    local i
    desk_wait_still "$1"
    timeout 5 xdotool mousemove --window "$1" "$(_desk_list_x "$2")" $((DESK_LIST_TOP_ROW_Y + DESK_LIST_ROW_HEIGHT * 3)) ||
        desk_fail "cannot move the mouse over the $2 list"
    for ((i = 0; i < $3; i++)); do
        timeout 5 xdotool click 5 || desk_fail "cannot turn the mouse wheel"
        sleep 0.05
    done
}

# desk_clipboard_offer TEXT : as desk_clipboard_set, also for a TEXT that ends in line feeds (a
# command substitution drops them from what the clipboard is read back as).
desk_clipboard_offer() {
    printf '%s' "$1" | xclip -selection clipboard -i -quiet >/dev/null 2>&1 &
    DESK_PIDS+=("$!")
    _DESK_OFFERED=$1
    # (Both sides lose their trailing line feeds in the comparison.)
    desk_expect 5 "the clipboard did not take the text" \
        eval '[ "$(desk_clipboard_get)" = "$(printf "%s" "$_DESK_OFFERED")" ]'
}

DESK_SENTINEL="(nothing was put on the clipboard)"

# desk_clipboard_after COMMAND [ARGS...] : puts a marker text on the clipboard, runs COMMAND (a
# user action that puts text on it) and prints what the clipboard holds then; fails when the
# action put nothing there. An empty text is a text.
desk_clipboard_after() {
    desk_clipboard_offer "$DESK_SENTINEL"
    "$@"
    desk_wait_for 5 eval '[ "$(desk_clipboard_get)" != "$DESK_SENTINEL" ]' ||
        desk_fail "'$*' put nothing on the clipboard"
    desk_clipboard_get
}

# desk_copy_result WID : clicks the Copy tool button of the main window WID and prints the text it
# put on the clipboard.
desk_copy_result() { desk_clipboard_after desk_click_tool_button "$1" "$DESK_COPY"; }

_desk_history_newest() {
    desk_activate "$1"
    desk_expect 5 "the main window did not become active for the Edit menu" desk_is_active "$1"
    desk_key alt+e
    desk_settle
    desk_key h
    desk_settle
    desk_key Return
}

# desk_history_newest WID : chooses Edit > History > the newest entry in the main window WID and
# prints the entry, which that puts on the clipboard.
desk_history_newest() { desk_clipboard_after _desk_history_newest "$1"; }

# desk_message_window [SECONDS] : prints the id of the program's message box (its title is exactly
# " Halden Unit Converter"); status 1 when none shows within SECONDS (default 10).
desk_message_window() { desk_wait_window '^ Halden Unit Converter$' "${1:-10}"; }

# desk_message_icon WID : prints the kind of the message box's icon by its colours: critical (red),
# warning (yellow), information (blue) or unknown. (A message box's text cannot be read from
# outside the program; its title, its icon and the scenario's steps tell the messages apart.)
desk_message_icon() {
    local x y w h
    read -r x y w h <<<"$(desk_geometry "$1")"
    timeout 10 import -display "$DISPLAY" -window root -crop "48x48+$x+$y" -depth 8 txt:- 2>/dev/null |
        sed -n 's/^[0-9]*,[0-9]*: *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' |
        awk '$1 > 180 && $2 < 100 && $3 < 100 {red++}
             $1 > 200 && $2 > 180 && $3 < 100 {yellow++}
             $3 > 160 && $1 < 100 {blue++}
             END {
                 if (red > 40 && red > yellow && red > blue) print "critical"
                 else if (yellow > 40 && yellow > blue) print "warning"
                 else if (blue > 40) print "information"
                 else print "unknown"
             }'
}

# desk_dismiss_message WID : presses Enter in the message box WID and waits until it is gone.
desk_dismiss_message() {
    desk_activate "$1"
    desk_expect 5 "the message box did not become active" desk_is_active "$1"
    desk_key Return
    desk_expect 5 "the message box stayed after Enter" desk_not_viewable "$1"
}

# desk_expect_message SECONDS ICON WHAT : waits for the program's message box with the icon kind
# ICON (see desk_message_icon), presses Enter in it and waits until it is gone; WHAT names the
# expected message in the failure.
desk_expect_message() {
    local box icon
    box=$(desk_message_window "$1") || desk_fail "no message box appeared (expected $3)"
    desk_settle
    icon=$(desk_message_icon "$box")
    desk_expect_eq "icon of the message box (expected $3)" "$2" "$icon"
    desk_dismiss_message "$box"
}

# desk_user_file FILE [GROUP0_NAME] : writes a user units file: 220 records of three texts, each a
# 16-bit little-endian byte count and the bytes; all texts empty but the name of user group 0,
# given as a printf format (e.g. '\xEF\xBB\xBFbom').
desk_user_file() {
    local bytes
    bytes=$(printf "${2:-}" | wc -c)
    {
        printf "$(printf '\\x%02x\\x%02x' $((bytes & 255)) $((bytes >> 8)))"
        printf "${2:-}"
        head -c $((220 * 6 - 2)) /dev/zero
    } >"$1" || desk_fail "cannot write $1"
}

# desk_file_mode FILE : prints the file's permission bits in octal (e.g. 444).
desk_file_mode() { printf "%03o\n" "$((8#$(stat -c %a "$1")))"; }

# desk_expect_exit STATUS [SECONDS] : waits for the program to end (default 10 s) and checks its
# exit status (128 + N: ended by signal N). Not in a command substitution: only the scenario's
# own shell learns how its child ended.
desk_expect_exit() {
    local seconds="${2:-10}" status
    _desk_has_ended() { ! desk_running; }
    desk_wait_for "$seconds" _desk_has_ended || desk_fail "the program did not end within $seconds s"
    wait "$DESK_PID" 2>/dev/null
    status=$?
    desk_expect_eq "exit status" "$1" "$status"
}

# desk_help_text HELP_WID : prints the whole text of the page the help window HELP_WID shows. A
# right click gives the page the keyboard without following a link, Escape closes its menu, and
# Ctrl+A, Ctrl+C copy the text.
_desk_copy_help_page() {
    local x y w h
    desk_activate "$1"
    desk_expect 5 "the help window did not become active" desk_is_active "$1"
    read -r x y w h <<<"$(desk_geometry "$1")"
    desk_click "$1" $((w / 2)) $((h / 2)) 3
    desk_settle
    desk_key Escape ctrl+a ctrl+c
}
desk_help_text() { desk_clipboard_after _desk_copy_help_page "$1"; }

# desk_help_page HELP_WID : prints the heading of the page the help window HELP_WID shows: its
# first line but the link back to the contents that tops the topic pages.
desk_help_page() { desk_help_text "$1" | grep -v -x -m1 -e 'Contents' -e ''; }
