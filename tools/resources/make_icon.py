# Builds the program icon (.ico with 48, 32, 24 and 16 pixel BGRA images) and the 48-pixel PNG.
"""Usage: make_icon.py <out.ico> <out-48.png>"""

import sys

import eye
import imagefiles

ICON_SIZES = (48, 32, 24, 16)


def main(ico_path, png_path):
    images = [(size, eye.draw_rgba(size)) for size in ICON_SIZES]
    imagefiles.write_ico(ico_path, images)
    imagefiles.write_png(png_path, images[0][1], 48, 48)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(*sys.argv[1:])
