# Builds the About window's banner: a 290 x 90 one-frame GIF89a with a full 256-entry colour table.
"""Usage: make_banner.py <font file> <work dir> <out.gif>

The picture is a rounded card; the four corners outside it use the one transparent colour
table entry, coloured like the classic button face, so the card looks rounded whether a viewer
draws the picture opaque (as the About window does) or honours the transparency."""

import subprocess
import sys

import eye
import imagefiles

WIDTH, HEIGHT = 290, 90
CORNER_RADIUS = 12
TRANSPARENT_INDEX = 255
TRANSPARENT_COLOUR = (240, 240, 240)
TITLE = "Kelo网盘下载助手"
VERSION = "1.0"
TEXT_BLUE = "#0b4fb0"


def run(args):
    return subprocess.run(args, check=True, stdout=subprocess.PIPE).stdout


def render_quantized_rgb(font, eye_png):
    """The card drawn opaque and reduced to at most 255 colours, as raw RGB."""
    card = f"roundrectangle 0,0 {WIDTH - 1},{HEIGHT - 1} {CORNER_RADIUS},{CORNER_RADIUS}"
    rim = f"roundrectangle 0.5,0.5 {WIDTH - 1.5},{HEIGHT - 1.5} {CORNER_RADIUS},{CORNER_RADIUS}"
    bg = "#%02x%02x%02x" % TRANSPARENT_COLOUR
    data = run(["convert", "-size", f"{WIDTH}x{HEIGHT}", f"xc:{bg}",
                "(", "-size", f"{WIDTH}x{HEIGHT}", "gradient:#ffffff-#c4dcf8",
                "(", "-size", f"{WIDTH}x{HEIGHT}", "xc:black", "-fill", "white", "-draw", card, ")",
                "-alpha", "off", "-compose", "CopyOpacity", "-composite", ")",
                "-compose", "over", "-composite",
                "-fill", "none", "-stroke", "#7aa9e0", "-strokewidth", "1", "-draw", rim, "+stroke",
                eye_png, "-geometry", "+14+13", "-compose", "over", "-composite",
                # The CJK face has no bold cut: a thin outline in the text colour thickens it.
                "-font", font, "-fill", TEXT_BLUE, "-stroke", TEXT_BLUE, "-strokewidth", "0.8",
                "-pointsize", "24", "-annotate", "+90+44", TITLE,
                "-pointsize", "18", "-annotate", "+91+72", VERSION, "+stroke",
                "-alpha", "off", "+dither", "-colors", "255",
                "-depth", "8", "rgb:-"])
    if len(data) != WIDTH * HEIGHT * 3:
        raise RuntimeError("unexpected size of the rendered banner")
    return data


def render_coverage():
    """How much of each pixel the rounded card covers (0 = outside), one byte per pixel."""
    card = f"roundrectangle 0,0 {WIDTH - 1},{HEIGHT - 1} {CORNER_RADIUS},{CORNER_RADIUS}"
    return run(["convert", "-size", f"{WIDTH}x{HEIGHT}", "xc:black", "-fill", "white",
                "-draw", card, "-depth", "8", "gray:-"])


def main(font, work_dir, out_path):
    eye_png = f"{work_dir}/banner-eye.png"
    eye.draw(64, eye_png)
    rgb = render_quantized_rgb(font, eye_png)
    coverage = render_coverage()

    pixels = [tuple(rgb[i * 3:i * 3 + 3]) for i in range(WIDTH * HEIGHT)]
    inside = [coverage[i] != 0 for i in range(WIDTH * HEIGHT)]
    colours = sorted({p for p, keep in zip(pixels, inside) if keep})
    if len(colours) > TRANSPARENT_INDEX:
        raise RuntimeError(f"{len(colours)} colours left after quantizing, at most 255 fit")
    # Unused entries are black; the transparent entry always sits at the end.
    palette = colours + [(0, 0, 0)] * (TRANSPARENT_INDEX - len(colours)) + [TRANSPARENT_COLOUR]
    lookup = {colour: index for index, colour in enumerate(colours)}
    indices = [lookup[p] if keep else TRANSPARENT_INDEX for p, keep in zip(pixels, inside)]
    imagefiles.write_gif(out_path, WIDTH, HEIGHT, palette, indices, TRANSPARENT_INDEX)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])
