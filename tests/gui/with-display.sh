#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a command with an X display: the session's own when there is one, else a
# private Xvfb server for just this command (-displayfd picks a free display
# number, so parallel tests never race for one).
set -u
if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then exec "$@"; fi
tmp="$(mktemp -d)"
chmod 700 "$tmp"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/display" 2>/dev/null &
server=$!
for _ in $(seq 200); do [[ -s "$tmp/display" ]] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$tmp/display")"
export XDG_RUNTIME_DIR="$tmp"
"$@"
status=$?
kill "$server" 2>/dev/null
wait "$server" 2>/dev/null
rm -rf "$tmp"
exit $status
