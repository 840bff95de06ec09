"""Pillow's side of the BMP interchange test (run with the system's /usr/bin/python3).

  pillow_bmp.py read FILE OUT     Pillow reads FILE; OUT gets "W H\n" and the RGB bytes, top row first.
  pillow_bmp.py write KIND FILE OUT
                                  Pillow writes a fixed picture of mode KIND (1, L, P, RGB, RGBA) as the BMP
                                  FILE; OUT gets its RGB bytes as above.
"""
import sys

from PIL import Image


def dump(image, out):
    rgb = image.convert("RGB")
    with open(out, "wb") as f:
        f.write(b"%d %d\n" % rgb.size)
        f.write(rgb.tobytes())


def picture(kind):
    width, height = 37, 23  # odd sizes, so that every row needs padding
    if kind == "RGB" or kind == "RGBA":
        image = Image.new(kind, (width, height))
        image.putdata([(7 * x % 256, 11 * y % 256, (x * y) % 256, 255 - x)[: len(kind)]
                       for y in range(height) for x in range(width)])
        return image
    image = Image.new(kind, (width, height))
    if kind == "P":
        image.putpalette(sum(([i, 255 - i, (37 * i) % 256] for i in range(256)), []))
    image.putdata([((x * 5 + y * 3) % 256 if kind != "1" else 255 * ((x + y) % 3 == 0))
                   for y in range(height) for x in range(width)])
    return image


def main():
    if sys.argv[1] == "read":
        with Image.open(sys.argv[2]) as image:
            if image.format != "BMP":
                sys.exit("not read as BMP")
            image.load()
            dump(image, sys.argv[3])
    elif sys.argv[1] == "write":
        image = picture(sys.argv[2])
        image.save(sys.argv[3], "BMP")
        dump(image, sys.argv[4])
    else:
        sys.exit("unknown command")


if __name__ == "__main__":
    main()
