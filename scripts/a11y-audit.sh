#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Walks the program as a screen reader sees it (scripts/a11y-walk.py): starts it on a virtual screen with
# a desktop of its own (session bus, accessibility bus, window manager) and prints what a screen reader
# user would stumble over, per window, and fails when a figure misses its goal. Builds the program first
# if build/ (or $BIFID_BUILD_DIR) lacks it. Installs the packages it needs if any is missing.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BIFID_BUILD_DIR:-$root/build}"
"$root/scripts/install-deps.sh" python3-pyatspi at-spi2-core xvfb x11-utils dbus-x11 openbox xdotool
[ -x "$build/app/bifid" ] || "$root/scripts/build.sh"

display="${BIFID_AUDIT_DISPLAY:-}"
if [ -z "$display" ]; then  # the first display no X server holds
    number=57
    while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done
    display=":$number"
fi
home="$(mktemp -d)"  # the program's settings stay out of the user's
trap 'rm -rf "$home"' EXIT

# Everything below runs inside one session bus, which ends with it.
# The buses' own chatter is left out; the walker's report and its verdict come in their order.
HOME="$home" DISPLAY="$display" BUILD="$build" ROOT="$root" dbus-run-session -- bash -c '
    set -euo pipefail
    Xvfb "$DISPLAY" -screen 0 1600x1000x24 -nolisten tcp &
    xvfb=$!
    trap "kill \$program \$wm \$xvfb 2>/dev/null || true" EXIT
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    openbox >/dev/null 2>&1 &
    wm=$!
    # The window manager gives a new window the focus, once it runs.
    for _ in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break; sleep 0.1; done
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb
    "$BUILD/app/bifid" >/dev/null 2>&1 &
    program=$!
    /usr/bin/python3 -u "$ROOT/scripts/a11y-walk.py" 2>&1
' 2>/dev/null | grep -v "^SpiRegistry daemon"
