#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# Builds the Debian package from a configured and built tree and checks what it holds and
# what it depends on. Usage: check_deb.sh BUILD_DIR OUTPUT_DIR
set -euo pipefail
build=$1 out=$2
rm -rf "$out" && mkdir -p "$out"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" 2>&1 || {
  cat "$out/cpack.log"; exit 1; }
deb=$(ls "$out"/butterworth3_*.deb)
echo "package: $deb"

failed=0
contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for path in \
  ./usr/bin/butterworth3 \
  ./usr/bin/butterworth3-cli \
  ./usr/bin/butterworth3-designer \
  ./usr/share/applications/org.butterworth3.Butterworth3.desktop \
  ./usr/share/applications/org.butterworth3.Designer.desktop \
  ./usr/share/metainfo/org.butterworth3.Butterworth3.metainfo.xml \
  ./usr/share/metainfo/org.butterworth3.Designer.metainfo.xml \
  ./usr/share/icons/hicolor/32x32/apps/org.butterworth3.Butterworth3.png \
  ./usr/share/icons/hicolor/48x48/apps/org.butterworth3.Butterworth3.png \
  ./usr/share/icons/hicolor/64x64/apps/org.butterworth3.Butterworth3.png \
  ./usr/share/icons/hicolor/128x128/apps/org.butterworth3.Butterworth3.png \
  ./usr/share/icons/hicolor/256x256/apps/org.butterworth3.Butterworth3.png \
  ./usr/share/man/man1/butterworth3.1.gz \
  ./usr/share/man/man1/butterworth3-cli.1.gz \
  ./usr/share/man/man1/butterworth3-designer.1.gz \
  ./usr/share/doc/butterworth3/copyright \
  ./usr/share/doc/butterworth3/changelog.gz \
  ./usr/share/bash-completion/completions/butterworth3-cli; do
  grep -qxF "$path" <<<"$contents" || { echo "missing from the package: $path"; failed=1; }
done
# Nothing from the build or test tree leaks in.
if grep -E 'tst_|bench|fuzz|xpm_to_png|draw_pictures|/include/|\.a$' <<<"$contents"; then
  echo "files that do not belong in the package (above)"; failed=1
fi

# The designer's schematic brings libqt6svg6.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for dependency in libc6 'libstdc\+\+6' libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 qt6-qpa-plugins \
  fonts-dejavu-core fonts-dejavu-extra; do
  grep -qE "(^|, )$dependency( |,|$)" <<<"$depends" || { echo "missing dependency: $dependency"; failed=1; }
done
# The companion is a plain C++ program: it must not drag Qt in on its own.
extract="$out/root"
dpkg-deb -x "$deb" "$extract"
if readelf -d "$extract/usr/bin/butterworth3-cli" | grep -q 'NEEDED.*Qt'; then
  echo "butterworth3-cli links Qt"; failed=1
fi
# A package for another processor runs under its emulator (e.g. "qemu-aarch64 -L /usr/...").
read -r -a emulator <<<"${BUTTERWORTH3_EMULATOR:-}"
"${emulator[@]}" "$extract/usr/bin/butterworth3-cli" 100 33 10 | grep -qx 'C1 = 68,05 nF' || {
  echo "the packaged companion does not compute the defaults"; failed=1; }
"${emulator[@]}" "$extract/usr/bin/butterworth3-cli" --version | grep -qx "butterworth3-cli $(dpkg-deb -f "$deb" Version)" || {
  echo "the companion's version is not the package's"; failed=1; }
# The designer's libraries all load: bad arguments end it before it looks for a display.
designer_status=0
designer_says=$("${emulator[@]}" "$extract/usr/bin/butterworth3-designer" lowpass 0 33k 2>&1 >/dev/null) ||
  designer_status=$?
{ [ "$designer_status" -eq 2 ] && grep -q "^butterworth3-designer: FREQUENCY '0': expected" <<<"$designer_says"; } || {
  echo "the packaged designer does not read its arguments (exit $designer_status): $designer_says"; failed=1; }
# Each menu entry starts a program of the package.
for entry in "$extract"/usr/share/applications/*.desktop; do
  program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
  [ -x "$extract/usr/bin/$program" ] || { echo "$(basename "$entry") starts $program, not in the package"; failed=1; }
done
recommends=$(dpkg-deb -f "$deb" Recommends)
for recommended in xdg-utils qt6-wayland; do
  grep -qE "(^|, )$recommended( |,|$)" <<<"$recommends" || { echo "$recommended is not recommended"; failed=1; }
done

# What a distribution's checker says: no error and no warning.
lintian_out=$(timeout 600 lintian --pedantic --fail-on error,warning "$deb" 2>&1) || {
  echo "$lintian_out"; echo "lintian reports errors or warnings (above)"; failed=1; }
echo "lintian: ${lintian_out:-nothing}"
exit $failed
