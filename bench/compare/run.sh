#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Whole-process comparison of marlo-convert with peer converters on the same
# 64 MiB files, input redirected from the file, output to /dev/null. The
# commands of a job take turns, round after round, so that a slow spell of
# the machine falls on all of them alike; the medians, the ratios to the
# fastest peer and marlo-convert's peak resident memory go to
# bench/RESULTS.md, with the wide types' throughput (they have no peer).
#
# Each job's marlo-convert is also put beside the floor, a plain 128 KB
# read/write loop (dd) over the same file, in the same rounds: idle, and
# with stress-ng keeping the other processor busy.
#
# Needs: zh-autoconvert (autogb, autob5), opencc, time, manpages-zh, stress-ng, python3.
#   bench/compare/run.sh [rounds]
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
corpus=${CORPUS:-$top/build/corpus}
build=$top/build/release
exe=$build/cli/marlo-convert
rounds=${1:-15}

[ -f "$corpus/big5.txt" ] || "$top/bench/compare/make-corpus.sh" "$corpus"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMARLO_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target marlo-convert >/dev/null

[ -f "$corpus/han-big5.txt" ] || "$top/bench/compare/make-corpus.sh" "$corpus"
# The sections written by hand after the made ones stay as they are.
kept=$(mktemp)
sed -n '/^## A tree of many small files/,$p' "$top/bench/RESULTS.md" > "$kept" 2>/dev/null || true
python3 - "$corpus" "$exe" "$rounds" > "$top/bench/RESULTS.md" <<'PY'
import os, shlex, shutil, statistics, subprocess, sys, time
corpus, exe, rounds = sys.argv[1], sys.argv[2], int(sys.argv[3])

# name, marlo-convert type, input file, peer commands
jobs = [
    ("GBK → Big5, same characters", "GbkToBig", "gbk.txt", ["iconv -c -f CP936 -t CP950"]),
    ("Big5 → UTF-16BE", "BigToUsc", "big5.txt", ["iconv -c -f CP950 -t UTF-16BE"]),
    ("Big5 → GB2312, simplifying", "BigToGb", "big5.txt",
     ["autogb", "iconv -c -f CP950 -t UTF-8 | opencc -c t2s | iconv -c -f UTF-8 -t GB2312"]),
    ("GB2312 → Big5, traditionalising", "GbToBig", "gb2312.txt",
     ["autob5", "iconv -c -f GB2312 -t UTF-8 | opencc -c s2t | iconv -c -f UTF-8 -t CP950"]),
    ("GBK → UCS-2, ASCII widened", "GbkToUscWide", "gbk.txt", []),
    ("Big5 → UCS-2, ASCII widened", "BigToUscWide", "big5.txt", []),
]
# A command slower than this runs once: it is only there to be outrun.
slow_seconds = 5.0
# The floor: the bytes read and written in 128 KB pieces, nothing else.
floor = "dd bs=128K status=none"


def seconds(command, path):
    # Only a pipeline goes through a shell: starting one costs a few
    # milliseconds, a tenth of marlo-convert's time.
    pipeline = "|" in command
    with open(path, "rb") as stdin, open(os.devnull, "wb") as stdout:
        start = time.perf_counter()
        subprocess.run(command if pipeline else shlex.split(command), shell=pipeline, stdin=stdin,
                       stdout=stdout, check=True)
        return time.perf_counter() - start


def peak_rss_mb(command, path):
    with open(path, "rb") as stdin, open(os.devnull, "wb") as stdout:
        run = subprocess.run(["/usr/bin/time", "-f", "%M"] + command, stdin=stdin, stdout=stdout,
                             stderr=subprocess.PIPE, text=True, check=True)
    return int(run.stderr.split()[-1]) / 1024


size = os.path.getsize(os.path.join(corpus, "big5.txt")) / 1e6
print("# marlo-convert against peer converters\n")
print(f"Made by `bench/compare/run.sh`: whole processes, input redirected from a 64 MiB file, "
      f"output to /dev/null, no shell but for pipelines; the commands of a job take turns for {rounds} rounds after one "
      f"round of warm-up, and the medians are shown (a command slower than {slow_seconds:.0f} s "
      f"runs once). The corpus is Debian's manpages-zh pages, see "
      f"`bench/compare/make-corpus.sh`. Machine: {os.cpu_count()} processors.\n")
print("| job | command | median s | MB/s | marlo-convert speed-up |")
print("|---|---|---|---|---|")
for name, conv_type, input_name, peers in jobs:
    path = os.path.join(corpus, input_name)
    commands = [f"{exe} -t {conv_type}"] + peers
    times = {c: [] for c in commands}
    for c in commands:  # warm-up, and finding the slow ones
        times[c].append(seconds(c, path))
    slow = {c for c in commands if times[c][0] > slow_seconds}
    for c in commands:
        if c not in slow:
            times[c].clear()
    for _ in range(rounds):
        for c in commands:
            if c not in slow:
                times[c].append(seconds(c, path))
    medians = {c: statistics.median(times[c]) for c in commands}
    marlo = medians[commands[0]]
    rss = peak_rss_mb([exe, "-t", conv_type], path)
    for i, c in enumerate(commands):
        shown = f"< {input_name} " + c.replace(exe, "marlo-convert").replace("|", "\\|")
        if i > 0:
            note = ""
        elif peers:
            fastest = min(medians[p] for p in peers)
            note = f"**{fastest / marlo:.1f}×** the fastest peer; peak RSS {rss:.1f} MB"
        else:
            note = f"no peer; peak RSS {rss:.1f} MB"
        print(f"| {name if i == 0 else ''} | `{shown}` | {medians[c]:.3f} | {size / medians[c]:.0f} | {note} |")
    sys.stderr.write(f"{name}: done\n")


def against_floor(conv_type, path):
    """Medians of marlo-convert and the floor, taking turns."""
    runs = {"marlo": [], "floor": []}
    for _ in range(rounds):
        runs["marlo"].append(seconds(f"{exe} -t {conv_type}", path))
        runs["floor"].append(seconds(floor, path))
    return statistics.median(runs["marlo"]), statistics.median(runs["floor"])


stress = shutil.which("stress-ng")
print("\n## Against the floor\n")
print(f"The floor is `< file {floor} > /dev/null`, timed in the same rounds as marlo-convert "
      f"({rounds} each, medians). Busy: `stress-ng --cpu 1 --taskset 1` keeps the other "
      "processor at work meanwhile.\n")
print("| job | idle: marlo-convert / floor, ms | × floor | busy: marlo-convert / floor, ms | × floor |")
print("|---|---|---|---|---|")
idle = {}
for name, conv_type, input_name, _ in jobs:
    idle[name] = against_floor(conv_type, os.path.join(corpus, input_name))
busy = {}
if stress:
    load = subprocess.Popen([stress, "--cpu", "1", "--taskset", "1", "--quiet"])
    try:
        time.sleep(1)
        for name, conv_type, input_name, _ in jobs:
            busy[name] = against_floor(conv_type, os.path.join(corpus, input_name))
    finally:
        load.terminate()
        load.wait()
for name, _, _, _ in jobs:
    m, f = idle[name]
    row = f"| {name} | {m * 1000:.0f} / {f * 1000:.0f} | **{m / f:.1f}×** |"
    if name in busy:
        bm, bf = busy[name]
        row += f" {bm * 1000:.0f} / {bf * 1000:.0f} | **{bm / bf:.1f}×** |"
    else:
        row += " (no stress-ng) | |"
    print(row)

def wall_and_cpu(command, path):
    """Wall and processor seconds (user and system, all threads) of one run."""
    with open(path, "rb") as stdin, open(os.devnull, "wb") as stdout:
        start = time.perf_counter()
        child = subprocess.Popen(shlex.split(command), stdin=stdin, stdout=stdout)
        _, status, usage = os.wait4(child.pid, 0)
        wall = time.perf_counter() - start
    if status != 0:
        raise subprocess.CalledProcessError(status, command)
    return wall, usage.ru_utime + usage.ru_stime


# Phrase by phrase against the same type without phrases, taking turns:
# what "按詞語轉換" costs. With two processors the phrases are matched on
# two threads, so the processor time is shown beside the wall time.
print("\n## Phrases\n")
print(f"`--phrases` against the same type without it, taking turns ({rounds} rounds, medians); "
      "the Han-dense files hold only the pages' characters from U+3000 on, 16 MiB. "
      "Processor time is user and system time of all threads.\n")
print("| job | without / with phrases, ms | × without | processor time without / with, ms |")
print("|---|---|---|---|")
for name, conv_type, input_name in [
        ("Big5 → GB2312", "BigToGb", "big5.txt"), ("GB2312 → Big5", "GbToBig", "gb2312.txt"),
        ("Big5 → GB2312, Han-dense", "BigToGb", "han-big5.txt"),
        ("GB2312 → Big5, Han-dense", "GbToBig", "han-gb2312.txt")]:
    path = os.path.join(corpus, input_name)
    runs = {"without": [], "with": []}
    for _ in range(rounds):
        runs["without"].append(wall_and_cpu(f"{exe} -t {conv_type}", path))
        runs["with"].append(wall_and_cpu(f"{exe} -t {conv_type} --phrases", path))
    without, phrased = (statistics.median(w for w, _ in runs[k]) for k in ("without", "with"))
    cpu_without, cpu_with = (statistics.median(c for _, c in runs[k]) for k in ("without", "with"))
    print(f"| {name} | {without * 1000:.0f} / {phrased * 1000:.0f} | **{phrased / without:.1f}×** "
          f"| {cpu_without * 1000:.0f} / {cpu_with * 1000:.0f} |")
PY
if [ -s "$kept" ]; then printf '\n' >> "$top/bench/RESULTS.md"; cat "$kept" >> "$top/bench/RESULTS.md"; fi
rm -f "$kept"
cat "$top/bench/RESULTS.md"
