#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# How often a converter agrees with human translators, on Debian's parallel
# zh_TW / zh_CN man pages (manpages-zh): pages of both languages with the
# same name and line count, lines paired in order. A converter turns one
# side into the other; agreement is the share of the reference's Han
# characters that a longest-common-subsequence match of each line pair
# (difflib) finds in the converted line. Needs manpages-zh, opencc, python3.
#   bench/phrases/agreement.sh [marlo-convert]
#   bench/phrases/agreement.sh --floors FILE marlo-convert
# With --floors, only marlo-convert is measured, and the script fails when a
# figure falls more than 0.1 point below the one FILE commits ("t2s
# characters 90.47" a line); it exits 77 when the man pages are missing.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
floors=""
if [ "${1:-}" = --floors ]; then floors=$2; shift 2; fi
exe=${1:-$top/build/release/cli/marlo-convert}
if [ ! -d /usr/share/man/zh_TW ] || [ ! -d /usr/share/man/zh_CN ]; then
  echo "agreement.sh: the parallel man pages are not installed (apt-get install manpages-zh)" >&2
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$work" <<'PY'
import gzip, os, sys
work = sys.argv[1]
root = "/usr/share/man"
tw_out, cn_out = open(f"{work}/tw.txt", "w"), open(f"{work}/cn.txt", "w")
pages = 0
for section in sorted(os.listdir(f"{root}/zh_TW")):
    tw_dir, cn_dir = f"{root}/zh_TW/{section}", f"{root}/zh_CN/{section}"
    if not os.path.isdir(cn_dir):
        continue
    for name in sorted(os.listdir(tw_dir)):
        if not os.path.exists(f"{cn_dir}/{name}") or not name.endswith(".gz"):
            continue
        try:
            tw = gzip.open(f"{tw_dir}/{name}").read().decode("utf-8").split("\n")
            cn = gzip.open(f"{cn_dir}/{name}").read().decode("utf-8").split("\n")
        except (UnicodeDecodeError, OSError):
            continue
        if len(tw) != len(cn):
            continue
        pages += 1
        tw_out.write("\n".join(tw) + "\n")
        cn_out.write("\n".join(cn) + "\n")
print(f"{pages} page pairs", file=sys.stderr)
PY

"$exe" -t BigToGb --from-utf8 --to-utf8 < "$work/tw.txt" > "$work/t2s-characters.txt" 2>/dev/null
"$exe" -t BigToGb --from-utf8 --to-utf8 --phrases < "$work/tw.txt" > "$work/t2s-phrases.txt" 2>/dev/null
[ -n "$floors" ] || opencc -c tw2sp -i "$work/tw.txt" -o "$work/t2s-opencc.txt"
"$exe" -t GbToBig --from-utf8 --to-utf8 < "$work/cn.txt" > "$work/s2t-characters.txt" 2>/dev/null
"$exe" -t GbToBig --from-utf8 --to-utf8 --phrases < "$work/cn.txt" > "$work/s2t-phrases.txt" 2>/dev/null
[ -n "$floors" ] || opencc -c s2twp -i "$work/cn.txt" -o "$work/s2t-opencc.txt"

python3 - "$work" "$floors" <<'PY'
import difflib, os, sys
work, floors = sys.argv[1], sys.argv[2]
def han(c): return "\u4e00" <= c <= "\u9fff"
def agreement(converted, reference):
    agree = total = 0
    for got, want in zip(open(converted).read().split("\n"), open(reference).read().split("\n")):
        if got == want:
            n = sum(map(han, want)); agree += n; total += n; continue
        total += sum(map(han, want))
        matcher = difflib.SequenceMatcher(None, got, want, autojunk=False)
        for block in matcher.get_matching_blocks():
            agree += sum(map(han, want[block.b:block.b + block.size]))
    return agree, total
committed = {}
if floors:
    for line in open(floors):
        if line.strip() and not line.startswith("#"):
            direction, tool, figure = line.split()
            committed[(direction, tool)] = float(figure)
failed = False
for direction, reference in (("t2s", "cn.txt"), ("s2t", "tw.txt")):
    for tool in ("characters", "phrases", "opencc"):
        if not os.path.exists(f"{work}/{direction}-{tool}.txt"):
            continue
        agree, total = agreement(f"{work}/{direction}-{tool}.txt", f"{work}/{reference}")
        figure = 100 * agree / total
        print(f"{direction}\t{tool}\t{figure:.2f}%\t{total} Han positions")
        floor = committed.pop((direction, tool), None)
        if floor is not None and figure < floor - 0.1:
            print(f"{direction} {tool}: {figure:.2f}% is below the committed {floor:.2f}%", file=sys.stderr)
            failed = True
if committed:
    print(f"no figure measured for {sorted(committed)}", file=sys.stderr)
    failed = True
sys.exit(1 if failed else 0)
PY
