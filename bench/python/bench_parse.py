"""Time per line of volarion and of two pure-Python parsers on one corpus.

volarion is timed in this interpreter; the others run in their own venv
(--compare-python) on the same lines decoded to text. Outputs are not
compared: the others return dicts.
"""

from __future__ import annotations

import argparse
import json
import os
import pathlib
import platform
import subprocess
import sys
import threading
import time
import timeit

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "tests" / "python"))

LINES = 20_000
TYPICAL = (b"FLRDDA5BA>OGFLR,qAS,LFMX:/160829h4415.41N/00600.03E'342/049/A=005524 id0ADDA5BA -454fpm "
           b"-1.1rot 8.8dB 0e +51.2kHz gps4x5")

# Runs in the comparison venv: prints seconds per line for each library.
COMPARE = r"""
import json, sys, time
lines = [l.decode("utf-8", "replace") for l in open(sys.argv[1], "rb").read().split(b"\n") if l]
def run(fn):
    best = float("inf")
    for _ in range(3):
        start = time.perf_counter()
        for line in lines:
            try:
                fn(line)
            except Exception:
                pass
        best = min(best, time.perf_counter() - start)
    return best / len(lines)
from ogn.parser import parse as ogn_parse
import aprslib
print(json.dumps({"ogn-client": run(ogn_parse), "aprslib": run(aprslib.parse)}))
"""


def time_volarion(lines):
    from volarion import parse_ogn_aprs_aircraft_beacon as parse

    def run_all(chunk):
        for line in chunk:
            try:
                parse(line)
            except ValueError:
                pass

    best = float("inf")
    for _ in range(5):
        start = time.perf_counter()
        run_all(lines)
        best = min(best, time.perf_counter() - start)
    threaded = {}
    for count in (1, 2):
        chunks = [lines[i::count] for i in range(count)]
        fastest = float("inf")
        for _ in range(3):
            threads = [threading.Thread(target=run_all, args=(c,)) for c in chunks]
            start = time.perf_counter()
            for t in threads:
                t.start()
            for t in threads:
                t.join()
            fastest = min(fastest, time.perf_counter() - start)
        threaded[count] = len(lines) / fastest
    call = timeit.Timer(lambda: parse(TYPICAL)).repeat(repeat=7, number=200_000)
    single_call = sorted(call)[3] / 200_000
    return best / len(lines), threaded, single_call


def cpu_model():
    try:
        for row in open("/proc/cpuinfo"):
            if row.startswith("model name"):
                return row.split(":", 1)[1].strip()
    except OSError:
        pass
    return platform.processor() or "unknown"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--write-corpus")
    parser.add_argument("--corpus")
    parser.add_argument("--compare-python")
    args = parser.parse_args()
    import beacon_lines

    if args.write_corpus:
        pathlib.Path(args.write_corpus).write_bytes(b"\n".join(beacon_lines.corpus(LINES, seed=2026)) + b"\n")
        return
    lines = [l for l in pathlib.Path(args.corpus).read_bytes().split(b"\n") if l]
    per_line, threaded, single_call = time_volarion(lines)
    others = {}
    if args.compare_python:
        out = subprocess.run([args.compare_python, "-c", COMPARE, args.corpus], capture_output=True, text=True,
                             check=True)
        others = json.loads(out.stdout)
    gil = getattr(sys, "_is_gil_enabled", lambda: True)()
    print(f"machine: {cpu_model()}, {os.cpu_count()} cores; Python {platform.python_version()}, GIL "
          f"{'enabled' if gil else 'disabled'}; {len(lines)} lines")
    print(f"{'parser':<12} {'lines/s':>12} {'ns/line':>10} {'volarion faster by':>20}")
    rows = {"volarion": per_line, **others}
    for name, seconds in rows.items():
        ratio = "" if name == "volarion" else f"{seconds / per_line:.0f}x"
        print(f"{name:<12} {1 / seconds:>12,.0f} {seconds * 1e9:>10,.0f} {ratio:>20}")
    print(f"volarion threads: 1 -> {threaded[1]:,.0f} lines/s, 2 -> {threaded[2]:,.0f} lines/s")
    print(f"one bytes parse call of a typical line: {single_call * 1e9:.0f} ns")


if __name__ == "__main__":
    main()
