#!/usr/bin/env bash
# The Debian package: built by CPack from the build folder into a temporary one, its
# contents listed and checked, its menu entry validated and lintian without errors.
# Skipped (status 77) where the Debian tools are missing.
set -euo pipefail
build=$1
for tool in cpack dpkg-deb dpkg-shlibdeps desktop-file-validate lintian; do
  command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out") >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/out/*.deb)
echo "ok: $(basename "$deb"), $(stat -c %s "$deb") bytes"

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/contents"
for f in /usr/games/ploxen /usr/libexec/ploxen/ploxen /usr/share/ploxen/Ploxen.gif \
         /usr/share/ploxen/Ploxen.mid /usr/share/ploxen/Pose.wav /usr/share/ploxen/Ligne.wav \
         /usr/share/ploxen/Fulrow.wav /usr/share/ploxen/Perdu.wav \
         /usr/share/applications/ploxen.desktop /usr/share/icons/hicolor/256x256/apps/ploxen.png \
         /usr/share/man/man6/ploxen.6.gz /usr/share/man/fr/man6/ploxen.6.gz \
         /usr/share/doc/ploxen/copyright; do
  grep -qx "$f" "$work/contents" || { cat "$work/contents"; fail "not in the package: $f"; }
done
echo "ok: $(grep -vc '/$' "$work/contents") files, the program, launcher, data, menu entry, icons, manual pages"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for d in libqt6widgets6 libsdl2-mixer-2.0-0 timgm6mb-soundfont fonts-liberation2; do
  grep -q "\b$d\b" <<<"$depends" || fail "no dependency on $d"
done

dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/ploxen.desktop" || fail "desktop-file-validate"
echo "ok: desktop-file-validate"

lintian --no-tag-display-limit "$deb" >"$work/lintian.txt" 2>&1 || true
cat "$work/lintian.txt"
! grep -q '^E:' "$work/lintian.txt" || fail "lintian reports errors"
echo "ok: lintian reports no errors"
