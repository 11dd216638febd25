#!/usr/bin/env bash
# A real drag and drop between two running copies of the program on an X display of their
# own (Xvfb, the xcb platform, XDND), driven by xdotool's mouse: a row of the first window's
# file list is dragged onto the second window's list, which adds the photo. The offscreen tests
# post drop events themselves; this shows that the desktop's drags arrive the same way.
#   drag_x11.sh PROGRAM CLI PHOTO
# Exits 77 (skipped) when Xvfb or xdotool is missing.
set -uo pipefail

program=$1
cli=$2
photo=$3
for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done

tmp=$(mktemp -d)
xvfb=""
source_app=""
target_app=""
cleanup() {
    [ -n "$source_app" ] && kill "$source_app" 2>/dev/null
    [ -n "$target_app" ] && kill "$target_app" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    wait 2>/dev/null
    [ -n "${FOTOPLEX_DRAG_SHOTS:-}" ] && cp "$tmp"/*.log "$FOTOPLEX_DRAG_SHOTS"/ 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    exit 1
}

# FOTOPLEX_DRAG_SHOTS=FOLDER keeps pictures of the screen at each step (to see what went wrong).
shot() {
    [ -n "${FOTOPLEX_DRAG_SHOTS:-}" ] && command -v import >/dev/null &&
        import -window root "$FOTOPLEX_DRAG_SHOTS/$1.png"
    return 0
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }
poll() {
    local deadline=$(($(now_ms) + $1 * 1000))
    shift
    while ! "$@"; do
        [ "$(now_ms)" -lt "$deadline" ] || return 1
        sleep 0.05
    done
}

Xvfb -displayfd 3 -screen 0 1600x900x24 -nolisten tcp 3>"$tmp/display" >/dev/null 2>&1 &
xvfb=$!
display_ready() { [ -s "$tmp/display" ]; }
poll 10 display_ready || fail "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$tmp/display")"

# The first copy opens a project listing one photo; each copy keeps its own last.hgp and
# settings in a folder of its own.
cp "$photo" "$tmp/Dragged Photo.jpg"
"$cli" project new "$tmp/source.hgp" ConvertLow=false --add "$tmp/Dragged Photo.jpg" ||
    fail "could not make the project"
start() { # NAME [PROJECT]: starts a copy, leaves its pid in $started
    local name=$1
    shift
    mkdir -p "$tmp/$name/bin" "$tmp/$name/home"
    cp "$program" "$tmp/$name/bin/fotoplex"
    (cd "$tmp/$name" && exec env HOME="$tmp/$name/home" XDG_DATA_HOME="$tmp/$name/home/data" \
        XDG_CONFIG_HOME="$tmp/$name/home/config" QT_QPA_PLATFORM=xcb \
        QT_LOGGING_RULES="${FOTOPLEX_DRAG_LOG:-}" \
        "$tmp/$name/bin/fotoplex" "$@" >"$tmp/$name.log" 2>&1) &
    started=$!
}
window_of() { xdotool search --onlyvisible --pid "$1" 2>/dev/null | head -n 1; }
found=""
has_window() { found=$(window_of "$1"); [ -n "$found" ]; }

start source "$tmp/source.hgp"
source_app=$started
poll 20 has_window "$source_app" || fail "the first window never appeared: $(cat "$tmp/source.log")"
source_window=$found
start target
target_app=$started
poll 20 has_window "$target_app" || fail "the second window never appeared: $(cat "$tmp/target.log")"
target_window=$found

# Side by side (no window manager: the windows go where they are told).
xdotool windowmove --sync "$source_window" 0 0 >/dev/null 2>&1 || xdotool windowmove "$source_window" 0 0
xdotool windowmove --sync "$target_window" 800 0 >/dev/null 2>&1 || xdotool windowmove "$target_window" 800 0
sleep 1
shot 1-started
# The first row of the list, in screen coordinates (side bar 100 pixels, menu bar and group
# caption above it). Pressed, held, then moved in small steps at first, as a hand does: Qt
# starts a drag once the pointer has moved a few pixels with the button down.
row_x=200
row_y=62
xdotool mousemove "$row_x" "$row_y"
sleep 0.3
xdotool click 1
sleep 0.6
xdotool mousedown 1
sleep 0.3
for x in 203 206 210 215 225 240 260 300 400 600 800 900 1000 1005; do
    xdotool mousemove "$x" "$row_y"
    sleep 0.1
done
sleep 0.3
shot 2-dragging
xdotool mouseup 1
sleep 1
shot 3-dropped

# The second copy keeps what it shows in last.hgp when it closes.
xdotool windowfocus --sync "$target_window" >/dev/null 2>&1 || true
xdotool key ctrl+x # the pointer rests on it, so it has the focus
ended() { ! kill -0 "$target_app" 2>/dev/null; }
poll 20 ended || fail "the second window did not close"
target_app=""
last=$(find "$tmp/target" -name last.hgp -type f | head -n 1)
[ -n "$last" ] || fail "the second window kept no last.hgp"
listed=$("$cli" project show "$last" | sed -n 's/^File=//p')
expected=$(echo "$tmp/Dragged Photo.jpg" | tr 'A-Z' 'a-z') # ConvertLow is on by default
[ "$listed" = "$expected" ] || fail "the second list holds \"$listed\", expected \"$expected\""
echo "ok: a row dragged from one window's list onto another's is added there"
