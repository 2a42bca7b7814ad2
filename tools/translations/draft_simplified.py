#!/usr/bin/env python3
# SPDX-License-Identifier: Apache-2.0
"""Drafts the simplified-Chinese translations the window still lacks.

Each unfinished entry of translations/marlo_zh_CN.ts gets its source text
converted by marlo-convert (Big5 -> GB character by character, UTF-8 at
both ends). Not by phrases: the captions already use mainland words such as
文件 and 程序, which the Taiwan phrase table turns into 文档 and 进程. The
drafts stay marked unfinished: a reader checks each one in the file (or in
Qt Linguist) and removes the mark; the translation test fails until then.

    tools/translations/draft_simplified.py build/dev/cli/marlo-convert
"""
import html
import pathlib
import re
import subprocess
import sys

TS = pathlib.Path(__file__).resolve().parents[2] / "translations" / "marlo_zh_CN.ts"
UNFINISHED = re.compile(
    # A source never holds "<": the text matched stays within one entry.
    r'(<source>)([^<]*)(</source>\s*<translation type="unfinished">)(</translation>)')


def simplified(converter, text):
    done = subprocess.run([converter, "-t", "BigToGb", "--from-utf8", "--to-utf8"],
                          input=text.encode(), capture_output=True, check=True)
    # Characters Big5 cannot hold (simplified examples, arrows) come out
    # replaced: the reader must put them back.
    if done.stderr:
        print(f"check by hand: {text!r}: {done.stderr.decode().strip()}", file=sys.stderr)
    return done.stdout.decode()


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    converter = sys.argv[1]
    drafted = 0

    def draft(match):
        nonlocal drafted
        drafted += 1
        text = simplified(converter, html.unescape(match.group(2)))
        return match.group(1) + match.group(2) + match.group(3) + html.escape(text, quote=False) + match.group(4)

    TS.write_text(UNFINISHED.sub(draft, TS.read_text(encoding="utf-8")), encoding="utf-8")
    print(f"{drafted} drafts in {TS}; check each and remove its unfinished mark")


if __name__ == "__main__":
    main()
