#!/usr/bin/env python3
# SPDX-License-Identifier: Apache-2.0
"""Fails unless every window and batch word has a finished translation.

    check_translations.py LUPDATE SOURCE_ROOT SOURCE...

Runs lupdate over the sources into a copy of each translation file: a word
added to the code (unfinished in the copy) or removed from it (dropped from
the copy) makes the copy differ from the committed file. Then every entry
must be finished, keep the source's %1 %2… and its keyboard accelerator,
and marlo-convert's generated table must match the files.
"""
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET


def placeholders(text):
    return sorted(re.findall(r"%\d", text))


def check_entries(ts_file):
    problems = []
    for context in ET.parse(ts_file).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source")
            translation = message.find("translation")
            translated = translation.text or ""
            where = f"{ts_file.name} [{name}] {source!r}"
            if translation.get("type") or not translated:
                problems.append(f"{where}: not translated ({translation.get('type', 'empty')})")
            elif placeholders(source) != placeholders(translated):
                problems.append(f"{where}: placeholders differ in {translated!r}")
            elif ("&" in source) != ("&" in translated):
                problems.append(f"{where}: the keyboard accelerator is lost in {translated!r}")
    return problems


def main():
    lupdate, root, sources = sys.argv[1], pathlib.Path(sys.argv[2]), sys.argv[3:]
    ts_files = sorted((root / "translations").glob("*.ts"))
    problems = []
    with tempfile.TemporaryDirectory() as scratch:
        for ts_file in ts_files:
            copy = pathlib.Path(scratch) / ts_file.name
            shutil.copy(ts_file, copy)
            subprocess.run([lupdate, "-silent", "-locations", "none", "-no-obsolete", f"-I{root}", *sources,
                            "-ts", str(copy)], check=True)
            if copy.read_bytes() != ts_file.read_bytes():
                problems.append(f"{ts_file.name} does not hold the words of the code: run "
                                "cmake --build BUILD --target update_translations, then translate")
            problems += check_entries(ts_file)
    table = subprocess.run([sys.executable, str(root / "tools/translations/user_texts_table.py"),
                            "--check"], capture_output=True, text=True)
    if table.returncode != 0:
        problems.append(table.stderr.strip())
    for problem in problems:
        print(problem)
    print(f"{len(ts_files)} translation files checked, {len(problems)} problems")
    return 1 if problems or not ts_files else 0


if __name__ == "__main__":
    sys.exit(main())
