#!/usr/bin/python3
"""Times Pillow on the GIF file bench_gif writes and prints each rate beside ours.

Usage: /usr/bin/python3 bench/compare_pillow_gif.py BUILD/bench/bench_gif
Runs the benchmark (which leaves vyd_bench_gif.gif in $VYD_BENCH_DIR, default /tmp), then decodes that file and
encodes its picture with Pillow (one non-interlaced image, the palette kept as it is), in CPU time as the
benchmark counts it, best of several rounds. A ratio above 1 means we are faster."""
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
    out_path = path + ".pillow.gif"

    def encode():
        loaded.save(out_path, "GIF", interlace=False, optimize=False)

    pixels = loaded.size[0] * loaded.size[1] / 1e6
    rates = {"Decode": pixels / best_cpu_seconds(decode), "Encode": pixels / best_cpu_seconds(encode)}
    sizes = {"VYD": len(data), "Pillow": os.path.getsize(out_path)}
    os.remove(out_path)
    return rates, sizes


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    folder = os.environ.get("VYD_BENCH_DIR") or "/tmp"
    run = subprocess.run([sys.argv[1], "--benchmark_format=json"], check=True, capture_output=True, text=True)
    ours = {b["name"]: b["MP/s"] for b in json.loads(run.stdout)["benchmarks"]}
    theirs, sizes = pillow_rates(os.path.join(folder, "vyd_bench_gif.gif"))
    print(f"{'GIF':<12}{'VYD MP/s':>12}{'Pillow MP/s':>14}{'ratio':>9}")
    for action in ("Decode", "Encode"):
        mine = ours[f"BM_Gif{action}"]
        print(f"{action:<12}{mine:>12.1f}{theirs[action]:>14.1f}{mine / theirs[action]:>9.2f}")
    print(f"file bytes: VYD {sizes['VYD']}, Pillow {sizes['Pillow']}")


if __name__ == "__main__":
    main()
