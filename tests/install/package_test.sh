#!/usr/bin/env bash
# Builds Varnok's Debian package with cpack and checks what it holds, what it
# depends on, and that lintian finds no error in it.
# Usage: package_test.sh BUILD_DIR APP_ID VERSION
set -euo pipefail
build=$1 id=$2 version=$3
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" 2>&1 || {
  cat "$out/cpack.log"
  exit 1
}
deb=$(find "$out" -maxdepth 1 -name '*.deb')
test -n "$deb"

dpkg-deb -c "$deb" | tee "$out/contents" | awk '{print $NF}' >"$out/paths"
for path in ./usr/bin/varnok "./usr/share/applications/$id.desktop" \
    "./usr/share/metainfo/$id.metainfo.xml" ./usr/share/man/man1/varnok.1.gz \
    "./usr/share/icons/hicolor/scalable/apps/$id.svg" \
    "./usr/share/icons/hicolor/16x16/apps/$id.png" \
    "./usr/share/icons/hicolor/256x256/apps/$id.png" \
    ./usr/share/doc/varnok/copyright ./usr/share/doc/varnok/changelog.gz; do
  grep -qx -- "$path" "$out/paths" || { echo "missing from the package: $path"; exit 1; }
done
test "$(grep -c '^-' "$out/contents")" -eq 15

test "$(dpkg-deb -f "$deb" Package)" = varnok
test "$(dpkg-deb -f "$deb" Version)" = "$version"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# The names alone, one a line, without their versions.
sed 's/ *([^)]*)//g; s/, */\n/g' <<<"$depends" >"$out/depends"
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 \
    qt6-qpa-plugins qt6-translations-l10n fonts-liberation2; do
  grep -Fqx "$package" "$out/depends" || { echo "no dependency on $package"; exit 1; }
done

# A real maintainer and a description of more than one line.
dpkg-deb -f "$deb" Maintainer | grep -qx 'Varnok <varnok@varnok.org>'
test "$(dpkg-deb -f "$deb" Description | wc -l)" -gt 1

# Errors fail the test; warnings and notes are shown.
lintian --fail-on error --no-tag-display-limit "$deb"
