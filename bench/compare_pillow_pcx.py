#!/usr/bin/python3
"""Times Pillow on the PCX files bench_pcx writes and prints each rate beside ours.

Usage: /usr/bin/python3 bench/compare_pillow_pcx.py BUILD/bench/bench_pcx
Runs the benchmark (which leaves vyd_bench_pcx8.pcx and vyd_bench_pcx24.pcx in $VYD_BENCH_DIR, default /tmp),
then decodes and encodes the same files with Pillow, in CPU time as the benchmark counts it, best of several
rounds. A ratio above 1 means we are faster."""
import io
import json
import os
import subprocess
import sys
import time

from PIL import Image


def best_cpu_seconds(action, rounds=15):
    best = float("inf")
    for _ in range(rounds):
        start = time.process_time()
        action()
        best = min(best, time.process_time() - start)
    return best


def pillow_rates(path):
    data = open(path, "rb").read()

    def decode():
        with Image.open(io.BytesIO(data)) as picture:
            picture.load()

    with Image.open(io.BytesIO(data)) as picture:
        picture.load()
        loaded = picture.copy()
    out_path = path + ".pillow.pcx"

    def encode():
        loaded.save(out_path, "PCX")

    pixels = loaded.size[0] * loaded.size[1] / 1e6
    rates = {"Decode": pixels / best_cpu_seconds(decode), "Encode": pixels / best_cpu_seconds(encode)}
    os.remove(out_path)
    return rates


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    folder = os.environ.get("VYD_BENCH_DIR") or "/tmp"
    run = subprocess.run([sys.argv[1], "--benchmark_format=json"], check=True, capture_output=True, text=True)
    ours = {b["name"]: b["MP/s"] for b in json.loads(run.stdout)["benchmarks"]}
    print(f"{'PCX':<12}{'VYD MP/s':>12}{'Pillow MP/s':>14}{'ratio':>9}")
    for bits in (8, 24):
        theirs = pillow_rates(os.path.join(folder, f"vyd_bench_pcx{bits}.pcx"))
        for action in ("Decode", "Encode"):
            mine = ours[f"BM_Pcx{action}{bits}"]
            print(f"{action + ' ' + str(bits):<12}{mine:>12.1f}{theirs[action]:>14.1f}{mine / theirs[action]:>9.2f}")


if __name__ == "__main__":
    main()
