"""Pillow's side of the JPEG interoperability tests.

    pillow_jpeg.py decode IN.jpg OUT.ppm                 Pillow's decode, as RGB
    pillow_jpeg.py encode IN.ppm OUT.jpg QUALITY MODE    MODE is RGB, L (grey) or RGB-progressive
"""
import sys

from PIL import Image


def main(argv):
    if argv[1] == "decode":
        Image.open(argv[2]).convert("RGB").save(argv[3])
    elif argv[1] == "encode":
        mode = argv[5]
        picture = Image.open(argv[2]).convert("L" if mode == "L" else "RGB")
        picture.save(argv[3], "JPEG", quality=int(argv[4]), progressive=mode.endswith("progressive"))
    else:
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
