#!/usr/bin/python3
"""Times Pillow on the pictures bench_bmp uses and prints how VYD compares.

Usage: /usr/bin/python3 bench/compare_pillow.py [PATH/TO/bench_bmp] [REPEATS]

Runs bench_bmp (which leaves its 1920x1080 and 4000x3000 truecolor BMPs in $VYD_BENCH_DIR, default /tmp),
then times Pillow on the same files: open+load, save as BMP, quantize to a fixed 6x6x6 palette without
dithering (VYD: the colour cube of "any mode to 256-color"), and convert("L") (VYD: greyshades). Both sides
are measured in CPU time of the process (the machine may be shared); the ratio is Pillow's time over VYD's,
so above 1 means VYD is faster.
"""
import json
import os
import subprocess
import sys
import tempfile
import time

from PIL import Image

SIZES = [(1920, 1080), (4000, 3000)]
BENCH_DIR = os.environ.get("VYD_BENCH_DIR") or "/tmp"


def vyd_times(binary):
    """Median CPU milliseconds of each VYD benchmark, by (name, width, height)."""
    out = subprocess.run(
        [binary, "--benchmark_format=json", "--benchmark_repetitions=5", "--benchmark_min_time=0.2",
         "--benchmark_filter=BmpRead|BmpWrite|ToColourCube|ToGreys|Memcpy"],
        check=True, capture_output=True, text=True, env=dict(os.environ, VYD_BENCH_DIR=BENCH_DIR)).stdout
    times = {}
    for entry in json.loads(out)["benchmarks"]:
        if entry.get("aggregate_name") != "median":
            continue
        name, width, height = entry["run_name"].split("/")
        scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[entry["time_unit"]]
        times[(name, int(width), int(height))] = entry["cpu_time"] * scale
    return times


def cpu_ms(action, repeats):
    """Median CPU milliseconds of action() over repeats runs."""
    samples = []
    for _ in range(repeats):
        start = time.process_time()
        action()
        samples.append((time.process_time() - start) * 1e3)
    samples.sort()
    return samples[len(samples) // 2]


def cube_palette():
    palette = Image.new("P", (1, 1))
    colours = [(51 * r, 51 * g, 51 * b) for r in range(6) for g in range(6) for b in range(6)]
    flat = [c for rgb in colours for c in rgb]
    palette.putpalette(flat + flat[-3:] * (256 - len(colours)))
    return palette


def pillow_times(width, height, repeats):
    path = os.path.join(BENCH_DIR, "vyd_bench_bmp_%dx%d.bmp" % (width, height))
    with Image.open(path) as image:
        image.load()
        picture = image.copy()
    palette = cube_palette()
    out = os.path.join(tempfile.gettempdir(), "pillow_bench_out.bmp")

    def read():
        with Image.open(path) as im:
            im.load()

    times = {
        "BM_BmpRead": cpu_ms(read, repeats),
        "BM_BmpWrite": cpu_ms(lambda: picture.save(out, "BMP"), repeats),
        "BM_ToColourCube": cpu_ms(lambda: picture.quantize(palette=palette, dither=Image.Dither.NONE), repeats),
        "BM_ToGreys": cpu_ms(lambda: picture.convert("L"), repeats),
    }
    os.remove(out)
    return times


def main():
    binary = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(__file__), "..", "build", "bench", "bench_bmp")
    repeats = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    vyd = vyd_times(binary)
    labels = {"BM_BmpRead": "read (open+load)", "BM_BmpWrite": "write (save)",
              "BM_ToColourCube": "6x6x6 cube", "BM_ToGreys": "greys / convert('L')"}
    print("%-22s %-10s %10s %10s %8s %12s" % ("operation", "size", "VYD ms", "Pillow ms", "ratio", "VYD/memcpy"))
    for width, height in SIZES:
        pillow = pillow_times(width, height, repeats)
        memcpy = vyd.get(("BM_Memcpy", width, height))
        for name, label in labels.items():
            mine = vyd[(name, width, height)]
            anchor = "%12.2f" % (mine / memcpy) if memcpy and name in ("BM_BmpRead", "BM_BmpWrite") else ""
            print("%-22s %-10s %10.2f %10.2f %8.2f %s" % (label, "%dx%d" % (width, height), mine, pillow[name],
                                                         pillow[name] / mine, anchor))


if __name__ == "__main__":
    main()
