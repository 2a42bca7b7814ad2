#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Rebuilds the five code tables from the pinned Debian packages (pins.txt).
#
#   tools/gentables/regenerate.sh                 writes resources/
#   tools/gentables/regenerate.sh --out DIR       writes DIR instead
#   tools/gentables/regenerate.sh --generator EXE uses an already built generator
#
# Exits 77 when the pinned inputs are not installed, so callers can skip.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
out="$top/resources"
generator=""
while [ $# -gt 0 ]; do
  case "$1" in
    --out) out=$2; shift 2 ;;
    --generator) generator=$2; shift 2 ;;
    *) echo "regenerate.sh: unknown argument $1" >&2; exit 2 ;;
  esac
done

missing=""
while read -r package version; do
  case "$package" in ''|'#'*) continue ;; esac
  installed=$(dpkg-query -W -f='${Version}' "$package" 2>/dev/null || true)
  # shellcheck disable=SC2053  # the pinned version may be a glob
  if [[ -z "$installed" || "$installed" != $version ]]; then
    missing+="  $package $version (installed: ${installed:-none})"$'\n'
  fi
done < "$here/pins.txt"
for tool in dpkg-query opencc_dict opencc bzcat cmake; do
  command -v "$tool" >/dev/null || missing+="  the command $tool"$'\n'
done
if [ -n "$missing" ]; then
  printf 'regenerate.sh: the pinned generator inputs are not installed:\n%s' "$missing" >&2
  printf 'install them with: apt-get install libicu-dev libopencc-data opencc unicode-data bzip2\n' >&2
  exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [ -z "$generator" ]; then
  cmake -S "$here" -B "$work/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$work/build" >/dev/null
  generator="$work/build/gentables"
fi

opencc_dict -i /usr/share/opencc/TSCharacters.ocd2 -o "$work/TSCharacters.txt" -f ocd2 -t text
opencc_dict -i /usr/share/opencc/STCharacters.ocd2 -o "$work/STCharacters.txt" -f ocd2 -t text
opencc_dict -i /usr/share/opencc/TWVariants.ocd2 -o "$work/TWVariants.txt" -f ocd2 -t text
opencc_dict -i /usr/share/opencc/TWVariantsRev.ocd2 -o "$work/TWVariantsRev.txt" -f ocd2 -t text
bzcat /usr/share/unicode/Unihan_IRGSources.txt.bz2 > "$work/Unihan_IRGSources.txt"
bzcat /usr/share/unicode/Unihan_Variants.txt.bz2 > "$work/Unihan_Variants.txt"

# Phrases: every key of OpenCC's Taiwan phrase dictionaries, with what
# OpenCC's own Taiwan chain makes of it alone. Simplified keys of the S→T
# chain come from TWPhrases' (traditional) keys through t2s.
keys() { opencc_dict -i "/usr/share/opencc/$1.ocd2" -o "$work/$1.txt" -f ocd2 -t text; cut -f1 "$work/$1.txt"; }
{ keys TWVariantsRevPhrases; keys TWPhrasesRev; keys TSPhrases; } | LC_ALL=C sort -u > "$work/t2s.keys"
{ keys STPhrases; keys TWPhrases | opencc -c t2s; } | LC_ALL=C sort -u > "$work/s2t.keys"
opencc -c tw2sp -i "$work/t2s.keys" -o "$work/t2s.values"
opencc -c s2twp -i "$work/s2t.keys" -o "$work/s2t.values"
paste "$work/t2s.keys" "$work/t2s.values" > "$work/t2s.phrases"
paste "$work/s2t.keys" "$work/s2t.values" > "$work/s2t.phrases"

mkdir -p "$out"
"$generator" "$out" "$work/TSCharacters.txt" "$work/STCharacters.txt" \
  "$work/Unihan_IRGSources.txt" "$here/special_symbols.txt" "$work/TWVariants.txt" \
  "$work/TWVariantsRev.txt" "$work/Unihan_Variants.txt" "$work/t2s.phrases" "$work/s2t.phrases"
