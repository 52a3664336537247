# Draws the program's eye emblem (glossy blue ring, white eyeball, green iris) with ImageMagick.
"""The emblem is drawn at eight times its size and box-averaged down, which gives clean
anti-aliased edges; every size has its own hand-tuned geometry because a plain downscale of
the 48-pixel picture turns the pupil and highlight into mush at 16 pixels."""

import subprocess
from dataclasses import dataclass

SUPERSAMPLE = 8


@dataclass(frozen=True)
class EyeGeometry:
    """Radii and highlight offset in output pixels, measured from the picture's centre."""
    ring_outer: float
    ring_inner: float
    iris: float
    pupil: float
    highlight_dx: float
    highlight_dy: float
    highlight_r: float


# Sizes the icon holds, plus the larger copy on the About banner.
GEOMETRY = {
    64: EyeGeometry(31.5, 22.0, 12.0, 5.6, -3.5, -3.7, 2.4),
    48: EyeGeometry(23.5, 16.5, 9.0, 4.2, -2.6, -2.8, 1.8),
    32: EyeGeometry(15.5, 11.0, 6.0, 2.8, -1.8, -1.8, 1.3),
    24: EyeGeometry(11.5, 8.0, 4.5, 2.1, -1.3, -1.3, 1.0),
    16: EyeGeometry(7.5, 5.1, 3.4, 1.6, -1.0, -1.0, 0.75),
}


def _circle(cx, cy, r):
    return f"circle {cx:.3f},{cy:.3f} {cx:.3f},{cy - r:.3f}"


def _masked(layer, mask):
    """ImageMagick arguments that give `layer` the grey-level `mask` as its alpha."""
    return ["(", *layer, "(", *mask, ")", "-alpha", "off", "-compose", "CopyOpacity", "-composite", ")"]


def convert_args(size, out):
    """The `convert` command line that draws the emblem `size` pixels square into `out`."""
    g = GEOMETRY[size]
    k = SUPERSAMPLE
    n = size * k
    c = n / 2 - 0.5  # pixel centres sit on integer coordinates
    ro, ri, rs, rp = g.ring_outer * k, g.ring_inner * k, g.iris * k, g.pupil * k
    canvas = ["-size", f"{n}x{n}"]
    ring_mask = [*canvas, "xc:black", "-fill", "white", "-draw", _circle(c, c, ro),
                 "-fill", "black", "-draw", _circle(c, c, ri)]
    half = int(n * 0.5)
    gloss_mask = [*canvas, "xc:black",
                  "(", *canvas, "gradient:#989898-#000000", "-crop", f"{n}x{half}+0+0", "+repage",
                  "(", "-size", f"{n}x{half}", "xc:black", "-fill", "white",
                  "-draw", f"ellipse {c:.2f},{c - ro * 0.42:.2f} {ro * 0.86:.2f},{ro * 0.58:.2f} 0,360", ")",
                  "-compose", "multiply", "-composite", ")",
                  "-compose", "over", "-geometry", "+0+0", "-composite",
                  "(", *ring_mask, ")", "-compose", "multiply", "-composite"]
    eyeball = [*canvas, "-define", f"gradient:center={c - ri * 0.3:.1f},{c - ri * 0.3:.1f}",
               "-define", f"gradient:radii={ri * 1.4:.1f},{ri * 1.4:.1f}", "radial-gradient:#ffffff-#b8c8dc"]
    iris_inner = rs - max(0.6 * k, rs * 0.15)
    iris = [*canvas, "-define", f"gradient:center={c:.1f},{c:.1f}",
            "-define", f"gradient:radii={rs * 0.85:.1f},{rs * 0.85:.1f}", "radial-gradient:#b4f58a-#279c2e"]
    hx, hy, hr = c + g.highlight_dx * k, c + g.highlight_dy * k, g.highlight_r * k
    return ["convert",
            # the ring: light blue at the top, deep blue at the bottom
            *_masked([*canvas, "gradient:#3d9cf5-#0a2c7a"], ring_mask),
            # gloss: a soft white ellipse over the ring's upper half
            *_masked([*canvas, "xc:white"], gloss_mask),
            "-compose", "over", "-composite",
            # a dark rim keeps the ring's edge visible on light backgrounds
            "-fill", "none", "-stroke", "#08245f", "-strokewidth", f"{0.7 * k:.2f}",
            "-draw", _circle(c, c, ro - 0.35 * k), "+stroke",
            *_masked(eyeball, [*canvas, "xc:black", "-fill", "white", "-draw", _circle(c, c, ri + 0.2 * k)]),
            "-compose", "over", "-composite",
            # iris: a dark limbal ring, lighter toward the pupil
            "-fill", "#0e5a18", "-draw", _circle(c, c, rs),
            *_masked(iris, [*canvas, "xc:black", "-fill", "white", "-draw", _circle(c, c, iris_inner)]),
            "-compose", "over", "-composite",
            "-fill", "#0c2410", "-draw", _circle(c, c, rp),
            "-fill", "white", "-draw", _circle(hx, hy, hr),
            "-filter", "box", "-resize", f"{size}x{size}",
            out]


def draw(size, out):
    """Writes the emblem as an image file (any format ImageMagick knows by `out`'s prefix)."""
    subprocess.run(convert_args(size, out), check=True)


def draw_rgba(size):
    """The emblem as straight (not premultiplied) RGBA bytes, rows top-down."""
    result = subprocess.run(convert_args(size, "-")[:-1] + ["-depth", "8", "rgba:-"],
                            check=True, stdout=subprocess.PIPE)
    data = result.stdout
    if len(data) != size * size * 4:
        raise RuntimeError(f"convert gave {len(data)} bytes for a {size}x{size} RGBA picture")
    return data
