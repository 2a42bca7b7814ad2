#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# How often a converter agrees with human translators, on Debian's parallel
# zh_TW / zh_CN man pages (manpages-zh): pages of both languages with the
# same name and line count, lines paired in order. A converter turns one
# side into the other; agreement is the share of the reference's Han
# characters that a longest-common-subsequence match of each line pair
# (difflib) finds in the converted line. Needs manpages-zh, opencc, python3.
#   bench/phrases/agreement.sh [marlo-convert]
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
exe=${1:-$top/build/release/cli/marlo-convert}
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
opencc -c tw2sp -i "$work/tw.txt" -o "$work/t2s-opencc.txt"
"$exe" -t GbToBig --from-utf8 --to-utf8 < "$work/cn.txt" > "$work/s2t-characters.txt" 2>/dev/null
"$exe" -t GbToBig --from-utf8 --to-utf8 --phrases < "$work/cn.txt" > "$work/s2t-phrases.txt" 2>/dev/null
opencc -c s2twp -i "$work/cn.txt" -o "$work/s2t-opencc.txt"

python3 - "$work" <<'PY'
import difflib, sys
work = sys.argv[1]
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
for direction, reference in (("t2s", "cn.txt"), ("s2t", "tw.txt")):
    for tool in ("characters", "phrases", "opencc"):
        agree, total = agreement(f"{work}/{direction}-{tool}.txt", f"{work}/{reference}")
        print(f"{direction}\t{tool}\t{100 * agree / total:.2f}%\t{total} Han positions")
PY
