#!/usr/bin/python3
"""Times Pillow on the JPEG file bench_jpeg writes and prints each rate beside ours.

Usage: /usr/bin/python3 bench/compare_pillow_jpeg.py BUILD/bench/bench_jpeg
Runs the benchmark (which leaves vyd_bench_jpeg.jpg in $VYD_BENCH_DIR, default /tmp), then decodes that file and
encodes its picture with Pillow at the same quality and chroma subsampling (4:2:0) to a file, in CPU time as the
benchmark counts it. Both sides are measured alike: the best of five rounds, each the mean of a batch of runs
lasting at least half a second. A ratio above 1 means we are faster."""
import io
import json
import os
import subprocess
import sys
import time

from PIL import Image

QUALITY = 80


ROUNDS = 5
ROUND_SECONDS = 0.5


def best_cpu_seconds(action):
    """The best over ROUNDS of the mean CPU time of one run, in batches of at least ROUND_SECONDS."""
    best = float("inf")
    for _ in range(ROUNDS):
        runs, start = 0, time.process_time()
        while True:
            action()
            runs += 1
            spent = time.process_time() - start
            if spent >= ROUND_SECONDS:
                break
        best = min(best, spent / runs)
    return best


def pillow_rates(path):
    data = open(path, "rb").read()

    def decode():
        with Image.open(io.BytesIO(data)) as picture:
            picture.load()

    with Image.open(io.BytesIO(data)) as picture:
        picture.load()
        loaded = picture.copy()
    out_path = path + ".pillow.jpg"

    def encode():
        loaded.save(out_path, "JPEG", quality=QUALITY, subsampling="4:2:0")

    pixels = loaded.size[0] * loaded.size[1] / 1e6
    rates = {"Decode": pixels / best_cpu_seconds(decode), "Encode": pixels / best_cpu_seconds(encode)}
    sizes = {"VYD": len(data), "Pillow": os.path.getsize(out_path)}
    os.remove(out_path)
    return rates, sizes


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    folder = os.environ.get("VYD_BENCH_DIR") or "/tmp"
    run = subprocess.run([sys.argv[1], "--benchmark_format=json", f"--benchmark_repetitions={ROUNDS}",
                          f"--benchmark_min_time={ROUND_SECONDS}"], check=True, capture_output=True, text=True)
    ours = {}
    for b in json.loads(run.stdout)["benchmarks"]:
        if b.get("run_type") == "iteration":
            ours[b["run_name"]] = max(ours.get(b["run_name"], 0), b["MP/s"])
    theirs, sizes = pillow_rates(os.path.join(folder, "vyd_bench_jpeg.jpg"))
    print(f"{'JPEG':<12}{'VYD MP/s':>12}{'Pillow MP/s':>14}{'ratio':>9}")
    for action in ("Decode", "Encode"):
        mine = ours[f"BM_Jpeg{action}"]
        print(f"{action:<12}{mine:>12.1f}{theirs[action]:>14.1f}{mine / theirs[action]:>9.2f}")
    print(f"file bytes: VYD {sizes['VYD']}, Pillow {sizes['Pillow']}")


if __name__ == "__main__":
    main()
