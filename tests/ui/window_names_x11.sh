#!/usr/bin/env bash
# The names a desktop shows for the program's windows, read from a real X display (Xvfb):
# the main window, a message box and the help window. The offscreen tests only see the titles
# Qt is asked for; the X server sees what Qt makes of them.
#   window_names_x11.sh PROGRAM VERSION
# Exits 77 (skipped) when Xvfb, xprop or xdotool is missing.
set -uo pipefail

program=$1
version=$2
for tool in Xvfb xprop xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done

tmp=$(mktemp -d)
xvfb=""
app=""
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    exit 1
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Runs a command every 50 ms until it succeeds, for at most $1 seconds.
poll() {
    local deadline=$(($(now_ms) + $1 * 1000))
    shift
    while ! "$@"; do
        [ "$(now_ms)" -lt "$deadline" ] || return 1
        sleep 0.05
    done
}

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$tmp/display" >/dev/null 2>&1 &
xvfb=$!
display_ready() { [ -s "$tmp/display" ]; }
poll 10 display_ready || fail "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$tmp/display")"

# A copy of the program, laid out as installed with the build's user guide beside it, keeps
# its last.hgp in the scratch folder. Save Project writes untitled.hgp into the folder the
# program starts in; a folder of that name makes it fail.
mkdir -p "$tmp/prefix/bin" "$tmp/prefix/share" "$tmp/run/untitled.hgp" "$tmp/home"
cp "$program" "$tmp/prefix/bin/fotoplex"
for share in "$(dirname "$program")/../share/fotoplex" "$(dirname "$program")/../../share/fotoplex"; do
    if [ -d "$share" ]; then
        ln -s "$(cd "$share" && pwd)" "$tmp/prefix/share/fotoplex"
        break
    fi
done
(cd "$tmp/run" && exec env HOME="$tmp/home" XDG_DATA_HOME="$tmp/home/data" \
    QT_QPA_PLATFORM=xcb "$tmp/prefix/bin/fotoplex" >"$tmp/program.log" 2>&1) &
app=$!

# One property of a window as text, "" when it has none.
property() {
    xprop -id "$1" -notype "$2" 2>/dev/null | sed -n "s/^$2 = \"\\(.*\\)\"\$/\\1/p"
}

# The program's visible top-level windows, one id a line.
windows() {
    xdotool search --onlyvisible --pid "$app" 2>/dev/null | sort
}

# Waits for a visible window not among the known ones and leaves its id in $found.
found=""
new_window() {
    local known=$1 id
    for id in $(windows); do
        if ! grep -qx "$id" <<<"$known"; then
            found=$id
            return 0
        fi
    done
    return 1
}
wait_new_window() {
    local deadline=$(($(now_ms) + 20000))
    while ! new_window "$1"; do
        [ "$(now_ms)" -lt "$deadline" ] || fail "$2 never appeared"
        kill -0 "$app" 2>/dev/null || fail "the program ended: $(cat "$tmp/program.log")"
        sleep 0.05
    done
}

# Both names an X window carries must read exactly as expected.
expect_names() {
    local id=$1 what=$2 expected=$3 name
    for name in _NET_WM_NAME WM_NAME; do
        local seen
        seen=$(property "$id" "$name")
        [ "$seen" = "$expected" ] || fail "$what: $name is \"$seen\", expected \"$expected\""
    done
    echo "ok: $what is named \"$expected\""
}

focus() {
    timeout 5 xdotool windowfocus --sync "$1" >/dev/null 2>&1 || true
}

gone() { ! windows | grep -qx "$1"; }

wait_new_window "" "the main window"
main=$found
expect_names "$main" "main window" "Fotoplex $version - [untitled.hgp]"

# Save Project fails: the error box is captioned with the application title.
focus "$main"
xdotool key ctrl+s
wait_new_window "$main" "an error box after a failed save"
box=$found
expect_names "$box" "error box" "Fotoplex"
# Esc answers a message box as the desktop does: it closes.
focus "$box"
xdotool key Escape
poll 5 gone "$box" || fail "Esc did not close the message box"
echo "ok: Esc closes the message box"

focus "$main"
xdotool key F1
wait_new_window "$main" "the help window"
help=$found
expect_names "$help" "help window" "Fotoplex Help"

# Exit's Ctrl+X closes the program, which keeps the project in last.hgp.
focus "$main"
xdotool key ctrl+x
ended() { ! kill -0 "$app" 2>/dev/null; }
poll 20 ended || fail "Ctrl+X did not close the program"
app=""
[ -n "$(find "$tmp" -name last.hgp -type f)" ] || fail "closing did not keep last.hgp"
echo "ok: Ctrl+X closes the program and keeps last.hgp"
