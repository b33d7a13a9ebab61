#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The translations hold every text the sources mark: lupdate run over the
# sources adds nothing to them and drops nothing from them.
#   translations-current.sh LUPDATE SOURCE_DIR TS_FILE OPTIONS... -- SOURCES...
set -euo pipefail
lupdate="$1" src="$2" ts="$3"
shift 3
options=()
while [[ $# -gt 0 && "$1" != "--" ]]; do options+=("$1"); shift; done
shift
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$ts" "$work/current.ts"
"$lupdate" -I "$src" "${options[@]}" "$@" -ts "$work/current.ts" >"$work/lupdate.log" 2>&1 || { cat "$work/lupdate.log"; exit 1; }
if ! diff -u "$ts" "$work/current.ts"; then
    echo "the translations are behind the sources: run cmake --build build --target update_translations and translate what it marks"
    exit 1
fi
