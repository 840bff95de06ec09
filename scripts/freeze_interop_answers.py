#!/usr/bin/python3
"""Freezes what Pillow makes of picture files, for the interchange test (tests/interop/interop_test.cpp).
Run it by hand with a Python that has Pillow (Debian: /usr/bin/python3 with python3-pil) after changing the
lists below or a writer:

    scripts/freeze_interop_answers.py BUILD_DIR

It rewrites tests/data/interop/: the files Pillow writes (the test reads them and compares its pixels with
Pillow's), and answers.tsv. For the files the program writes it runs BUILD_DIR/test_interop once with
VYD_INTEROP_DUMP set, so that the program saves them; Pillow then reads them, and answers.tsv keeps the hash of
their bytes and of Pillow's pixels. Pixel hashes are FNV-1a (64 bits) of "W H\\n" and the RGB bytes from the top.
"""
import os
import random
import subprocess
import sys
import tempfile

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "tests", "data", "interop")

# Pictures the program writes: name (format-colours-pattern), width, height. The test draws them from the name.
WRITES = [(f"{fmt}-{mode}-plain", w, 5) for fmt in ("bmp", "pcx") for mode in (2, 16, 256, 24) for w in (1, 9, 37)]
WRITES += [("bmp-256-plain", 37, 23), ("gif-256-plain", 1, 1), ("gif-256-noise", 1, 300), ("gif-256-noise", 33, 7),
           ("gif-256-plain", 320, 200), ("gif-256-noise", 257, 129), ("gif-256-flat", 400, 300)]


def fnv(data):
    h = 14695981039346656037
    for byte in data:
        h = ((h ^ byte) * 1099511628211) & 0xFFFFFFFFFFFFFFFF
    return f"{h:016x}"


def pixel_hash(image):
    rgb = image.convert("RGB")
    return fnv(b"%d %d\n" % rgb.size + rgb.tobytes())


def varied(mode, width, height, seed, colours=256):
    """A picture with runs and changes, so that literal bytes, run counts and long LZW strings all occur."""
    rnd = random.Random(seed)
    if mode in ("RGB", "RGBA"):
        image = Image.new(mode, (width, height))
        image.putdata([(7 * x % 256, 11 * y % 256, (x * y) % 256, 255 - x)[: len(mode)]
                       for y in range(height) for x in range(width)])
        return image
    image = Image.new(mode, (width, height))
    values = []
    for y in range(height):
        for x in range(width):
            v = (x // 3 + y // 2) % colours if rnd.random() > 0.2 else rnd.randrange(colours)
            values.append(255 * (v & 1) if mode == "1" else v)
    image.putdata(values)
    if mode == "P":
        image.putpalette([rnd.randrange(256) for _ in range(768)])
    return image


def pillow_files():
    """name -> (picture, save options) of the files Pillow writes for the program to read."""
    files = {}
    for mode in ("1", "L", "P", "RGB", "RGBA"):
        files[f"pil-{mode}.bmp"] = (varied(mode, 37, 23, 1), {})
    for mode in ("1", "L", "P", "RGB"):
        for width in (7, 9, 33):
            files[f"pil-{mode}-{width}.pcx"] = (varied(mode, width, 6, width), {})
    files["pil-plain.gif"] = (varied("P", 40, 30, 1), dict(interlace=False, optimize=False))
    files["pil-interlaced.gif"] = (varied("P", 30, 21, 2), dict(interlace=True, optimize=False))
    files["pil-local.gif"] = (varied("P", 20, 13, 3), dict(include_color_table=True, optimize=False))
    files["pil-twocolour.gif"] = (varied("P", 31, 10, 4, 2), {})
    files["pil-sixteen.gif"] = (varied("P", 25, 25, 5, 16), dict(interlace=True))
    frames = [varied("P", 24, 15, 10 + k) for k in range(3)]
    files["pil-animated.gif"] = (frames[0], dict(save_all=True, append_images=frames[1:], duration=100))
    source = Image.open(os.path.join(HERE, "..", "tests", "data", "jpeg", "testorig.ppm")).crop((40, 40, 88, 72))
    files["pil-rgb.jpg"] = (source, dict(quality=85))
    files["pil-grey.jpg"] = (source.convert("L"), dict(quality=85))
    files["pil-progressive.jpg"] = (source, dict(quality=85, progressive=True))
    files["pil-cmyk.jpg"] = (source.convert("CMYK"), dict(quality=90))
    return files


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    rows = []
    for name, (image, options) in sorted(pillow_files().items()):
        path = os.path.join(DATA, name)
        image.save(path, **options)
        with Image.open(path) as back:
            back.seek(0)
            rows.append(("read", name, back.width, back.height, pixel_hash(back), fnv(open(path, "rb").read())))
    answers = os.path.join(DATA, "answers.tsv")
    header = "# direction\tname\twidth\theight\tpixels (Pillow's)\tbytes\n"
    with open(answers, "w") as f:  # the write rows without answers yet: the test only saves its files
        f.write(header + "".join(f"write\t{n}\t{w}\t{h}\t-\t-\n" for n, w, h in WRITES))
    with tempfile.TemporaryDirectory() as dump:
        subprocess.run([os.path.join(sys.argv[1], "tests", "test_interop"), "--gtest_filter=*Written*"],
                       env=dict(os.environ, VYD_INTEROP_DUMP=dump), stdout=subprocess.DEVNULL)
        for name, width, height in WRITES:
            path = os.path.join(dump, f"{name}-{width}x{height}.{name.split('-')[0]}")
            with Image.open(path) as image:
                image.seek(0)
                rows.append(("write", name, width, height, pixel_hash(image), fnv(open(path, "rb").read())))
    with open(answers, "w") as f:
        f.write(header + "".join("\t".join(map(str, row)) + "\n" for row in rows))


if __name__ == "__main__":
    main()
