"""Pillow's side of the GIF interoperability tests.

  pillow_gif.py check              exits 0 when PIL can be imported
  pillow_gif.py read IN OUT        decodes IN's first frame, writes its RGB bytes to OUT, prints "W H"
  pillow_gif.py codes IN OUT       writes to OUT the LZW data (sub-blocks joined) of IN's first frame as Pillow
                                   compresses it again: one non-interlaced image, the palette kept
  pillow_gif.py write DIR          writes sample GIFs into DIR, each NAME.gif with NAME.rgb: the RGB bytes of
                                   the picture that went into its first frame; prints "NAME W H" lines
"""
import random
import sys


def read(path, out):
    from PIL import Image
    with Image.open(path) as im:
        im.seek(0)
        rgb = im.convert("RGB")
        with open(out, "wb") as f:
            f.write(rgb.tobytes())
        print(rgb.width, rgb.height)


def codes(path, out):
    import io
    from PIL import Image
    with Image.open(path) as im:
        im.seek(0)
        buffer = io.BytesIO()
        im.save(buffer, "GIF", interlace=False, optimize=False)
    b = buffer.getvalue()
    i = 13 + (3 * (2 << (b[10] & 7)) if b[10] & 0x80 else 0)
    while b[i] == 0x21:  # extensions
        i += 2
        while b[i]:
            i += b[i] + 1
        i += 1
    flags = b[i + 9]
    i += 10 + (3 * (2 << (flags & 7)) if flags & 0x80 else 0) + 1  # descriptor, local table, minimum code size
    data = bytearray()
    while b[i]:
        data += b[i + 1:i + 1 + b[i]]
        i += b[i] + 1
    with open(out, "wb") as f:
        f.write(data)


def picture(width, height, colours, seed):
    from PIL import Image
    rnd = random.Random(seed)
    im = Image.new("P", (width, height))
    # Smooth areas with noise in them, so the LZW table holds long and short strings.
    data = bytearray()
    for y in range(height):
        for x in range(width):
            v = (x // 7 + y // 5) % colours
            if rnd.random() < 0.2:
                v = rnd.randrange(colours)
            data.append(v)
    im.putdata(bytes(data))
    palette = []
    for _ in range(256):
        palette += [rnd.randrange(256) for _ in range(3)]
    im.putpalette(palette)
    return im


def write(folder):
    samples = []
    samples.append(("plain", picture(123, 77, 256, 1), dict(interlace=False, optimize=False)))
    samples.append(("interlaced", picture(64, 45, 256, 2), dict(interlace=True, optimize=False)))
    samples.append(("local", picture(40, 33, 256, 3), dict(interlace=False, include_color_table=True, optimize=False)))
    samples.append(("twocolour", picture(61, 20, 2, 4), dict(interlace=False)))
    samples.append(("sixteen", picture(50, 50, 16, 5), dict(interlace=True)))
    frames = [picture(48, 30, 256, 10 + k) for k in range(3)]
    samples.append(("animated", frames[0], dict(save_all=True, append_images=frames[1:], duration=100, loop=0,
                                                 interlace=False)))
    for name, im, options in samples:
        im.save(f"{folder}/{name}.gif", **options)
        with open(f"{folder}/{name}.rgb", "wb") as f:
            f.write(im.convert("RGB").tobytes())
        print(name, im.width, im.height)


def main():
    if sys.argv[1] == "check":
        import PIL  # noqa: F401
    elif sys.argv[1] == "read":
        read(sys.argv[2], sys.argv[3])
    elif sys.argv[1] == "codes":
        codes(sys.argv[2], sys.argv[3])
    elif sys.argv[1] == "write":
        write(sys.argv[2])


if __name__ == "__main__":
    main()
