#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Checks what installing Marlo puts on a machine.
#   check.sh install SOURCE BUILD   a staged install holds exactly the expected files
#   check.sh validate SOURCE BUILD  the desktop entry, metainfo and manual pages are valid
#   check.sh package SOURCE BUILD   the Debian package: Debian's checker, its Depends, files and programs
set -euo pipefail
what=$1 source=$2 build=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

case $what in
install)
  DESTDIR=$work/stage cmake --install "$build" --prefix /usr >/dev/null
  (cd "$work/stage" && find . -type f | sed 's|^\./||' | LC_ALL=C sort) >"$work/installed"
  diff -u "$source/tests/packaging/installed-files.txt" "$work/installed"
  ;;
validate)
  desktop-file-validate "$source/packaging/marlo.desktop"
  appstreamcli validate --no-net "$source/packaging/org.marlo.marlo.metainfo.xml" >/dev/null
  for page in marlo.1 marlo-convert.1; do
    zcat "$build/packaging/doc/$page.gz" | cmp - "$source/packaging/$page"
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l --warnings -E UTF-8 "$source/packaging/$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || { echo "$page: $warnings" >&2; exit 1; }
  done
  bash -n "$source/packaging/marlo-convert.bash-completion"
  ;;
package)
  (cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" >/dev/null 2>"$work/cpack.err") ||
    { cat "$work/cpack.err" >&2; exit 1; }
  deb=$(ls "$work"/marlo_*_*.deb)
  case $(basename "$deb") in marlo_[0-9]*_amd64.deb | marlo_[0-9]*_arm64.deb) ;; *) echo "odd name: $deb" >&2; exit 1 ;; esac
  # Debian's own checker has the last word on the package's form.
  lintian --fail-on error,warning "$deb" >"$work/lintian" 2>&1 ||
    { cat "$work/lintian" >&2; echo "lintian finds faults in the package" >&2; exit 1; }
  dpkg-deb --info "$deb" >"$work/info"
  grep -q '^ Depends:.*libqt6' "$work/info" || { cat "$work/info" >&2; echo "no Qt 6 in Depends" >&2; exit 1; }
  grep -q '^ Recommends: fonts-wqy-zenhei | fonts-noto-cjk' "$work/info"
  dpkg-deb --contents "$deb" >"$work/contents"
  for file in usr/bin/marlo usr/bin/marlo-convert usr/share/applications/marlo.desktop \
    usr/share/icons/hicolor/48x48/apps/marlo.png usr/share/man/man1/marlo-convert.1.gz \
    usr/share/doc/marlo/NOTICE usr/share/doc/marlo/copyright usr/share/doc/marlo/changelog.gz; do
    grep -q " ./$file\$" "$work/contents" || { echo "not in the package: $file" >&2; exit 1; }
  done
  dpkg-deb -x "$deb" "$work/root"
  "$work/root/usr/bin/marlo-convert" -t BigToGb -o "$work/from-package" "$source/examples/big5-sample.txt" >/dev/null
  "$build/cli/marlo-convert" -t BigToGb -o "$work/from-build" "$source/examples/big5-sample.txt" >/dev/null
  cmp "$work/from-package/big5-sample.txt" "$work/from-build/big5-sample.txt"
  ;;
*)
  echo "usage: check.sh install|validate|package SOURCE BUILD" >&2
  exit 2
  ;;
esac
echo "packaging $what: ok"
