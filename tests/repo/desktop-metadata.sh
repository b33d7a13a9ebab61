#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The launcher, the AppStream metainfo, the document type and the man page are
# accepted by the tools that read them on a desktop, without a remark.
#   desktop-metadata.sh SOURCE_DIR BUILD_DIR APP_ID
set -euo pipefail
src="$1" build="$2" id="$3"
for tool in desktop-file-validate appstreamcli update-mime-database; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed"; exit 77; }
done
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
status=0

said="$(desktop-file-validate "$src/desktop/$id.desktop" 2>&1)" || status=1
[[ -z "$said" ]] || { echo "desktop-file-validate: $said"; status=1; }

said="$(appstreamcli validate --no-net --explain "$build/desktop/$id.metainfo.xml" 2>&1)" || { echo "$said"; status=1; }

mkdir -p "$work/mime/packages"
cp "$src/desktop/$id.mime.xml" "$work/mime/packages/$id.xml"
said="$(XDG_DATA_HOME="$work" update-mime-database "$work/mime" 2>&1)" || status=1
[[ -z "$said" ]] || { echo "update-mime-database: $said"; status=1; }
# The root-element rule and the icon survived the reading.
grep -q 'KVR application/x-kvr' "$work/mime/XMLnamespaces" || { echo "no root-XML rule for application/x-kvr"; status=1; }
grep -q 'application/x-kvr:application-x-kvr' "$work/mime/icons" || { echo "no icon for application/x-kvr"; status=1; }

# The manual page names every command of the help text.
page="$build/desktop/kvr.1"
[[ -s "$page" ]] || { echo "no manual page at $page"; exit 1; }
sed 's/\\-/-/g' "$page" >"$work/page.txt"  # roff writes a hyphen as \-
for command in analyse recognize script render-labels info make search help; do
    grep -q "^kvr $command" "$work/page.txt" || { echo "kvr.1 does not name 'kvr $command'"; status=1; }
done
grep -q "\"KVR $(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$build/desktop/$id.metainfo.xml")\"" "$page" ||
    { echo "kvr.1 and the metainfo disagree on the version"; status=1; }
exit $status
