#!/usr/bin/env bash
# Installs Varnok into a temporary prefix and checks every file it puts there:
# the program answers --version without a display, the desktop entry and the
# AppStream metainfo pass their validators, the icons have their sizes and the
# man page reads.
# Usage: install_test.sh BUILD_DIR APP_ID VERSION
set -euo pipefail
build=$1 id=$2 version=$3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

expected=(
  bin/varnok
  "share/applications/$id.desktop"
  "share/metainfo/$id.metainfo.xml"
  share/man/man1/varnok.1.gz
  "share/icons/hicolor/scalable/apps/$id.svg"
  share/doc/varnok/copyright
  share/doc/varnok/changelog.gz
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
done
# Every file expected is there, and nothing else.
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$prefix" && find . -type f | sed 's|^\./||' | sort)

# Width and height of a PNG: bytes 16..23, big-endian.
png_size() {
  local b
  read -r -a b < <(od -An -tu1 -j16 -N8 "$1")
  echo "$(( (b[0] << 24) | (b[1] << 16) | (b[2] << 8) | b[3] ))x$(( (b[4] << 24) | (b[5] << 16) | (b[6] << 8) | b[7] ))"
}
for size in 16 22 24 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
  test "$(head -c 8 "$icon" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a
  test "$(png_size "$icon")" = "${size}x${size}"
done
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/$id.svg"

desktop="$prefix/share/applications/$id.desktop"
desktop-file-validate "$desktop"
grep -qx 'Exec=varnok --ask-folder' "$desktop"
grep -qx 'Categories=Office;' "$desktop"
grep -qx "Icon=$id" "$desktop"
grep -q '^Comment=Stampa ' "$desktop"
# An X11 dock matches the window (class "varnok") to its launcher.
grep -qx 'StartupWMClass=varnok' "$desktop"

metainfo="$prefix/share/metainfo/$id.metainfo.xml"
appstreamcli validate --no-net "$metainfo"
grep -q "<release version=\"$version\"" "$metainfo"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo"

gzip -t "$prefix/share/man/man1/varnok.1.gz"
zcat "$prefix/share/man/man1/varnok.1.gz" | grep -q '^\.TH VARNOK 1 .*Varnok '"$version"
zcat "$prefix/share/man/man1/varnok.1.gz" | grep -q 'ask\\-folder'

# The installed program, without a display.
test "$(env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY DISPLAY= "$prefix/bin/varnok" --version)" = "varnok $version"
echo "installed files checked in $prefix"
