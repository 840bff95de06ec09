#!/usr/bin/python3
"""Times Pillow's BoxBlur beside our blur, on a 1920x1080 truecolor picture with ranges 10 and 50.

Usage: /usr/bin/python3 bench/compare_pillow_blur.py BUILD/bench/bench_blur
Runs the benchmark, then blurs a noisy RGB picture of the same size with ImageFilter.BoxBlur(r), in CPU time
as the benchmark counts it. A ratio above 1 means we are faster."""
import os
import sys

from PIL import Image, ImageFilter

from pillow_timing import best_cpu_seconds, our_rates, print_heading, print_row

WIDTH, HEIGHT = 1920, 1080


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    ours = our_rates(sys.argv[1])
    picture = Image.frombytes("RGB", (WIDTH, HEIGHT), os.urandom(WIDTH * HEIGHT * 3))
    pixels = WIDTH * HEIGHT / 1e6
    print_heading("Box blur")
    for radius in (10, 50):
        theirs = pixels / best_cpu_seconds(lambda: picture.filter(ImageFilter.BoxBlur(radius)))
        print_row(f"r = {radius}", ours[f"BM_Blur/{radius}"], theirs)


if __name__ == "__main__":
    main()
