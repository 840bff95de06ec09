"""Pillow's side of the PCX interoperability tests. Reads jobs from standard input, one a line:
  decode IN.pcx OUT.ppm        decode a PCX file and save its colours as a binary PPM
  encode MODE IN.ppm OUT.pcx   convert a PPM picture to a Pillow mode (1, L, P, RGB) and save it as PCX
Prints "ok" after each job, or the error."""
import sys

from PIL import Image

for line in sys.stdin:
    words = line.split()
    try:
        if words[0] == "decode":
            with Image.open(words[1]) as picture:
                picture.convert("RGB").save(words[2], "PPM")
        elif words[0] == "encode":
            with Image.open(words[2]) as picture:
                picture.convert(words[1]).save(words[3], "PCX")
        print("ok", flush=True)
    except Exception as error:  # report and go on with the next job
        print(f"error {error}", flush=True)
