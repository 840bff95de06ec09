#!/usr/bin/python3
"""Times Pillow on the GIF file bench_gif writes and prints each rate beside ours.

Usage: /usr/bin/python3 bench/compare_pillow_gif.py BUILD/bench/bench_gif
Runs the benchmark (which leaves vyd_bench_gif.gif in $VYD_BENCH_DIR, default /tmp), then decodes that file and
encodes its picture (not interlaced, not optimised) with Pillow, in CPU time as the benchmark counts it.
A ratio above 1 means we are faster."""
import os
import sys

from pillow_timing import our_rates, pillow_rates, print_heading, print_row


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    folder = os.environ.get("VYD_BENCH_DIR") or "/tmp"
    ours = our_rates(sys.argv[1])
    theirs, sizes = pillow_rates(os.path.join(folder, "vyd_bench_gif.gif"),
                                 lambda picture, out: picture.save(out, "GIF", interlace=False, optimize=False))
    print_heading("GIF")
    for action in ("Decode", "Encode"):
        print_row(action, ours[f"BM_Gif{action}"], theirs[action])
    print(f"file bytes: VYD {sizes['VYD']}, Pillow {sizes['Pillow']}")


if __name__ == "__main__":
    main()
