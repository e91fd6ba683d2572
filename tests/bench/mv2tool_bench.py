#!/usr/bin/env python3
"""Figures for mv2tool, not a test: run by hand with the release build.

  cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DMARVEK_SANITIZE=OFF
  cmake --build build/release --target mv2tool
  python3 tests/bench/mv2tool_bench.py build/release/mv2tool

1. Download wall time against the line time of a whole reply (5053 bytes at
   19200 baud 8N1: 2.632 s), from the simulator on a pseudo-terminal.
2. `check` over 1,000 recording files: files per second.
3. `summary` over 1,000 recording files of as many days (goal: 0.2 s).
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tool"))
from test_mv2tool import SIMULATOR, recording_bytes  # noqa: E402

LINE_TIME = 5053 * 10 / 19200


def download(tool, folder, rounds=5):
    link = os.path.join(folder, "logger")
    sent = os.path.join(folder, "sent.mv2")
    with open(sent, "wb") as f:
        f.write(recording_bytes())
    ready = os.path.join(folder, "ready")
    logger = subprocess.Popen([sys.executable, SIMULATOR, "--link", link, "--recording", sent,
                               "--ready-file", ready, "--lifetime", "120"],
                              stdout=subprocess.DEVNULL)
    while not os.path.exists(ready):
        time.sleep(0.05)
    times = []
    for _ in range(rounds):
        start = time.monotonic()
        subprocess.run([tool, "download", link, os.path.join(folder, "out.mv2")], check=True)
        times.append(time.monotonic() - start)
    logger.terminate()
    logger.wait()
    print("download: %s s against a line time of %.3f s; best ratio %.3f" % (
        ", ".join("%.3f" % t for t in times), LINE_TIME, min(times) / LINE_TIME))


def check(tool, folder, count=1000):
    files = os.path.join(folder, "many")
    os.makedirs(files)
    data = recording_bytes()
    names = []
    for i in range(count):
        names.append(os.path.join(files, "day%04d.mv2" % i))
        with open(names[-1], "wb") as f:
            f.write(data)
    best = None
    for _ in range(5):
        start = time.monotonic()
        subprocess.run([tool, "check", *names], check=True, stdout=subprocess.DEVNULL)
        took = time.monotonic() - start
        best = took if best is None else min(best, took)
    print("check: %d files in %.3f s, %.0f files per second" % (count, best, count / best))


def summary(tool, folder, count=1000):
    files = os.path.join(folder, "days")
    os.makedirs(files)
    names = []
    for i in range(count):
        names.append(os.path.join(files, "day%04d.mv2" % i))
        with open(names[-1], "wb") as f:
            f.write(recording_bytes(stamp=(2000 + i // 300, 1 + i // 28 % 12, 0, 1 + i % 28, 5, 0),
                                    ch1=[(i + k) % 4096 for k in range(840)]))
    best = None
    for _ in range(5):
        start = time.monotonic()
        subprocess.run([tool, "summary", *names], check=True, stdout=subprocess.DEVNULL)
        took = time.monotonic() - start
        best = took if best is None else min(best, took)
    print("summary: %d files in %.3f s (goal 0.2 s)" % (count, best))


def main():
    tool = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/release/mv2tool")
    folder = tempfile.mkdtemp(prefix="mv2tool-bench-")
    try:
        download(tool, folder)
        check(tool, folder)
        summary(tool, folder)
    finally:
        shutil.rmtree(folder)


if __name__ == "__main__":
    main()
