#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Debian package holds what a school installs (the program, the sample
# lessons, the launcher, the document type, the icons, the metainfo, the man
# page, the licence) and depends on the libraries the program links.
#   debian-package.sh BUILD_DIR APP_ID
set -euo pipefail
build="$1" id="$2"
for tool in cpack dpkg-deb dpkg-shlibdeps; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed"; exit 77; }
done
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
deb="$(ls "$work"/kvr_*.deb)"
contents="$(dpkg-deb -c "$deb")"
depends="$(dpkg-deb -f "$deb" Depends)"
status=0
for path in usr/bin/kvr "usr/share/applications/$id.desktop" "usr/share/mime/packages/$id.xml" \
            "usr/share/metainfo/$id.metainfo.xml" "usr/share/icons/hicolor/scalable/apps/$id.svg" \
            usr/share/icons/hicolor/scalable/mimetypes/application-x-kvr.svg usr/share/man/man1/kvr.1 \
            usr/share/doc/kvr/copyright usr/share/kvr/library/03-quadratic.kvr; do
    grep -q " \./$path\$" <<<"$contents" || { echo "the package lacks /$path"; status=1; }
done
for library in libqt6widgets6 libqt6openglwidgets6 libqt6gui6 libqt6xml6 libqt6svg6 libegl1 libc6 libgl1-mesa-dri; do
    grep -q "\b$library\b" <<<"$depends" || { echo "Depends lacks $library: $depends"; status=1; }
done
exit $status
