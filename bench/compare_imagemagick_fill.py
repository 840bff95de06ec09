#!/usr/bin/python3
"""Times VYD's region fill against ImageMagick's flood fill on the same 1920x1080 truecolor picture.

Usage: /usr/bin/python3 bench/compare_imagemagick_fill.py [PATH/TO/bench_ops] [REPEATS]

Runs bench_ops's BM_FillRegion24 (a whole one-colour 1920x1080 region filled from (5, 5)), then, in the same
run, times /usr/bin/convert on a BMP of that picture: `convert in.bmp -fill red -draw 'color 5,5 floodfill'
out.bmp` minus a plain `convert in.bmp out.bmp` (reading and writing the file), each the best of REPEATS wall
times. Prints both and the ratio (ImageMagick's net fill time over VYD's; above 1 means VYD is faster).
"""
import json
import os
import struct
import subprocess
import sys
import tempfile
import time

WIDTH, HEIGHT = 1920, 1080
CONVERT = "/usr/bin/convert"


def vyd_fill_ms(binary):
    out = subprocess.run(
        [binary, "--benchmark_format=json", "--benchmark_filter=BM_FillRegion(8|24)$",
         "--benchmark_repetitions=5", "--benchmark_min_time=0.2"],
        check=True, capture_output=True, text=True).stdout
    times = {}
    for entry in json.loads(out)["benchmarks"]:
        if entry.get("aggregate_name") != "median":
            continue
        scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[entry["time_unit"]]
        times[entry["run_name"]] = entry["real_time"] * scale
    return times


def write_bmp(path):
    stride = (3 * WIDTH + 3) & ~3
    row = bytes([200, 180, 160] * WIDTH) + bytes(stride - 3 * WIDTH)
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", 54 + stride * HEIGHT, 0, 0, 54))
        f.write(struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, stride * HEIGHT, 2835, 2835, 0, 0))
        f.write(row * HEIGHT)


def best_ms(args, repeats):
    best = None
    for _ in range(repeats):
        start = time.perf_counter()
        subprocess.run(args, check=True)
        elapsed = (time.perf_counter() - start) * 1e3
        best = elapsed if best is None else min(best, elapsed)
    return best


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    binary = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "build", "bench", "bench_ops")
    repeats = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    vyd = vyd_fill_ms(binary)
    with tempfile.TemporaryDirectory() as folder:
        source, target = os.path.join(folder, "in.bmp"), os.path.join(folder, "out.bmp")
        write_bmp(source)
        fill = best_ms([CONVERT, source, "-fill", "red", "-draw", "color 5,5 floodfill", target], repeats)
        plain = best_ms([CONVERT, source, target], repeats)
    magick = fill - plain
    print(f"ImageMagick flood fill 1920x1080: {fill:.1f} ms - {plain:.1f} ms plain convert = {magick:.1f} ms net")
    for name in sorted(vyd):
        print(f"VYD {name}: {vyd[name]:.2f} ms; ImageMagick net / VYD = {magick / vyd[name]:.1f}")


if __name__ == "__main__":
    main()
