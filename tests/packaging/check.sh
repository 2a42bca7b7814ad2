#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Checks what installing Marlo puts on a machine.
#   check.sh install SOURCE BUILD   a staged install holds exactly the expected files
#   check.sh validate SOURCE BUILD  the desktop entry, metainfo and manual pages are valid
#   check.sh package SOURCE BUILD   the two Debian packages: Debian's checker, Depends, files, installing
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
  window=$(ls "$work"/marlo_*_*.deb) converter=$(ls "$work"/marlo-convert_*_*.deb)
  for deb in "$window" "$converter"; do
    case $(basename "$deb") in marlo_[0-9]*_amd64.deb | marlo_[0-9]*_arm64.deb | \
      marlo-convert_[0-9]*_amd64.deb | marlo-convert_[0-9]*_arm64.deb) ;;
    *) echo "odd name: $deb" >&2; exit 1 ;; esac
    # Debian's own checker has the last word on each package's form.
    lintian --fail-on error,warning "$deb" >"$work/lintian" 2>&1 ||
      { cat "$work/lintian" >&2; echo "lintian finds faults in $(basename "$deb")" >&2; exit 1; }
  done

  # The converter: the C library is all it needs.
  depends=$(dpkg-deb --field "$converter" Depends)
  [[ $depends =~ ^libc6\ \(\>=\ [0-9.]+\)$ ]] ||
    { echo "marlo-convert depends on more than the C library: $depends" >&2; exit 1; }
  dpkg-deb --contents "$converter" >"$work/contents"
  for file in usr/bin/marlo-convert usr/share/man/man1/marlo-convert.1.gz \
    usr/share/bash-completion/completions/marlo-convert usr/share/doc/marlo-convert/copyright \
    usr/share/doc/marlo-convert/changelog.gz usr/share/doc/marlo-convert/NOTICE; do
    grep -q " ./$file\$" "$work/contents" || { echo "not in marlo-convert: $file" >&2; exit 1; }
  done
  # The window: Qt, its translations and a Chinese font; the converter
  # recommended beside it.
  depends=$(dpkg-deb --field "$window" Depends)
  for needed in libqt6widgets6 qt6-translations-l10n 'fonts-wqy-zenhei | fonts-noto-cjk'; do
    [[ $depends == *"$needed"* ]] || { echo "marlo does not depend on $needed: $depends" >&2; exit 1; }
  done
  [ "$(dpkg-deb --field "$window" Recommends)" = marlo-convert ]
  dpkg-deb --contents "$window" >"$work/contents"
  for file in usr/bin/marlo usr/share/applications/marlo.desktop usr/share/man/man1/marlo.1.gz \
    usr/share/icons/hicolor/48x48/apps/marlo.png usr/share/doc/marlo/NOTICE \
    usr/share/doc/marlo/copyright usr/share/doc/marlo/changelog.gz; do
    grep -q " ./$file\$" "$work/contents" || { echo "not in marlo: $file" >&2; exit 1; }
  done
  if grep -q " ./usr/bin/marlo-convert\$" "$work/contents"; then
    echo "marlo holds marlo-convert's program too" >&2; exit 1
  fi

  # Installed by dpkg into a scratch root whose only package is the C
  # library: the converter installs and converts; the window cannot be
  # configured there, which shows that dpkg did check what each needs.
  admin=$work/dpkg root=$work/root
  mkdir -p "$admin/updates" "$admin/info" "$root"
  touch "$admin/available" "$admin/info/libc6:$(dpkg --print-architecture).list"
  printf 'Package: libc6\nStatus: install ok installed\nPriority: required\nSection: libs\nMaintainer: nobody <nobody@example.org>\nArchitecture: %s\nMulti-Arch: same\nVersion: %s\nDescription: the C library, as the base system has it\n\n' \
    "$(dpkg --print-architecture)" "$(dpkg-query -W -f='${Version}' libc6)" >"$admin/status"
  scratch_dpkg() { dpkg --admindir="$admin" --instdir="$root" --force-not-root --force-script-chrootless "$@"; }
  scratch_dpkg -i "$converter" >"$work/dpkg.out" 2>&1 ||
    { cat "$work/dpkg.out" >&2; echo "marlo-convert does not install beside the C library alone" >&2; exit 1; }
  [ "$(dpkg-query --admindir="$admin" -W -f='${Status}' marlo-convert)" = "install ok installed" ]
  if scratch_dpkg -i "$window" >"$work/dpkg.out" 2>&1; then
    echo "marlo installed without Qt: the scratch root checks nothing" >&2; exit 1
  fi
  grep -q "marlo depends on libqt6widgets6" "$work/dpkg.out" || { cat "$work/dpkg.out" >&2; exit 1; }
  "$root/usr/bin/marlo-convert" -t BigToGb -o "$work/from-package" "$source/examples/big5-sample.txt" >/dev/null
  "$build/cli/marlo-convert" -t BigToGb -o "$work/from-build" "$source/examples/big5-sample.txt" >/dev/null
  cmp "$work/from-package/big5-sample.txt" "$work/from-build/big5-sample.txt"
  # Removed, they leave no file and nothing dpkg still knows of: there is
  # nothing for a purge to do.
  scratch_dpkg -r marlo marlo-convert >"$work/dpkg.out" 2>&1 || { cat "$work/dpkg.out" >&2; exit 1; }
  left=$(dpkg-query --admindir="$admin" -W -f='${Package}\n' | grep -v '^libc6$' || true)
  [ -z "$left" ] || { echo "dpkg still knows of: $left" >&2; exit 1; }
  [ -z "$(find "$root" -type f)" ] || { find "$root" -type f >&2; echo "files left behind" >&2; exit 1; }
  ;;
*)
  echo "usage: check.sh install|validate|package SOURCE BUILD" >&2
  exit 2
  ;;
esac
echo "packaging $what: ok"
