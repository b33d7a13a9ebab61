#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the sample library: each lesson in sources/ is a `kvr script` that
# draws the graph; its document is saved as OUTDIR/NAME.kvr.
#
#   make-library.sh KVR OUTDIR [SOURCE.kvrs ...]
#
# Without SOURCE files, every sources/*.kvrs is built.
set -euo pipefail
[[ $# -ge 2 ]] || { echo "usage: $0 KVR OUTDIR [SOURCE.kvrs ...]" >&2; exit 2; }
kvr="$1"
out="$2"
shift 2
here="$(cd -P -- "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)"
[[ $# -gt 0 ]] || set -- "$here"/sources/*.kvrs
mkdir -p "$out"
for source in "$@"; do
    name="$(basename "$source" .kvrs)"
    { cat "$source"; printf 'save %s\n' "$out/$name.kvr"; } | "$kvr" script - >/dev/null
done
