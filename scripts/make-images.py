#!/usr/bin/python3
"""Draws every image the programs embed as Qt resources.

The results are committed under src/resources/, so the build never needs
Pillow; run this again (Debian package python3-pil) only after changing a
drawing here:

    scripts/make-images.py            # writes into src/resources/
    scripts/make-images.py OUTDIR     # writes elsewhere, e.g. to compare

Every shape is drawn at SS times the final size and box-filtered down, which
gives clean antialiased edges without relying on the drawing library.
"""

import math
import os
import sys

from PIL import Image, ImageDraw, ImageFont

SS = 4  # supersampling factor

# The user interface's flat palette.
SLATE = "#34495E"
SLATE_DARK = "#2C3E50"
GREEN = "#049372"
GREEN_LIGHT = "#1BBC98"
TEAL = "#36D7B7"
RED = "#E74C3C"
ORANGE = "#F2784B"
BLUE = "#5c97bf"
BLUE_GREY = "#67809F"
SILVER = "#DADFE1"
YELLOW = "#F5B041"
WHITE = "#FFFFFF"

FONT_DIR = "/usr/share/fonts/truetype/dejavu/"
FONT_BOLD = FONT_DIR + "DejaVuSans-Bold.ttf"
FONT_REGULAR = FONT_DIR + "DejaVuSans.ttf"
FONT_MONO_BOLD = FONT_DIR + "DejaVuSansMono-Bold.ttf"


def rgba(colour, alpha=255):
    colour = colour.lstrip("#")
    return tuple(int(colour[i:i + 2], 16) for i in (0, 2, 4)) + (alpha,)


class Canvas:
    """A supersampled drawing surface whose coordinates are in final pixels."""

    def __init__(self, width, height, background=None):
        self.width, self.height = width, height
        size = (width * SS, height * SS)
        if background is None:
            # Transparent: every shape replaces what is under it, so draw opaque colours only.
            self.image = Image.new("RGBA", size, (0, 0, 0, 0))
            self.draw = ImageDraw.Draw(self.image)
        else:
            # Opaque: translucent colours blend into what is already drawn.
            self.image = Image.new("RGB", size, background[:3])
            self.draw = ImageDraw.Draw(self.image, "RGBA")

    @staticmethod
    def s(v):
        return v * SS

    def pts(self, points):
        return [(x * SS, y * SS) for x, y in points]

    def box(self, x0, y0, x1, y1):
        return [x0 * SS, y0 * SS, x1 * SS, y1 * SS]

    def circle(self, cx, cy, r, fill=None, outline=None, width=0):
        self.draw.ellipse(self.box(cx - r, cy - r, cx + r, cy + r), fill=fill and rgba(fill),
                          outline=outline and rgba(outline), width=int(width * SS))

    def rect(self, x0, y0, x1, y1, fill=None, outline=None, width=0, radius=0):
        self.draw.rounded_rectangle(self.box(x0, y0, x1, y1), radius=radius * SS,
                                    fill=fill and rgba(fill), outline=outline and rgba(outline),
                                    width=int(width * SS))

    def polygon(self, points, fill):
        self.draw.polygon(self.pts(points), fill=rgba(fill))

    def line(self, points, colour, width, round_caps=True):
        """A polyline with round caps and joins, like a pen stroke."""
        self.draw.line(self.pts(points), fill=rgba(colour), width=int(width * SS), joint="curve")
        if round_caps:
            for x, y in points:
                self.circle(x, y, width / 2, fill=colour)

    def arc(self, cx, cy, r, start, end, colour, width):
        self.draw.arc(self.box(cx - r, cy - r, cx + r, cy + r), start, end, fill=rgba(colour),
                      width=int(width * SS))

    def text(self, x, y, string, size, colour, font=FONT_BOLD, anchor="mm"):
        face = ImageFont.truetype(font, int(size * SS))
        self.draw.text((x * SS, y * SS), string, font=face, fill=rgba(colour), anchor=anchor)

    def result(self):
        if self.image.mode == "RGB":
            return self.image.reduce(SS)
        # Premultiplied while shrinking so transparent pixels lend no colour to the edges.
        small = self.image.convert("RGBa").reduce(SS)
        return small.convert("RGBA")


# --------------------------------------------------------------------------------------------
# Title bar buttons: white glyphs on the dark bar, 24 x 24.

BAR = 24
BAR_PEN = 2.0


def draw_back():
    c = Canvas(BAR, BAR)
    c.line([(13, 6), (7, 12), (13, 18)], WHITE, BAR_PEN)
    c.line([(7.5, 12), (18, 12)], WHITE, BAR_PEN)
    return c.result()


def draw_minimize():
    c = Canvas(BAR, BAR)
    c.line([(6, 16), (18, 16)], WHITE, BAR_PEN)
    return c.result()


def draw_single_window():
    # maximize: shown while the window has its normal size, "make it fill the screen".
    c = Canvas(BAR, BAR)
    c.rect(6, 6, 18, 18, outline=WHITE, width=BAR_PEN, radius=1)
    c.rect(6, 6, 18, 9, fill=WHITE, radius=1)
    return c.result()


def draw_stacked_windows():
    # normalSize: shown while the window is maximised, "back to normal size".
    c = Canvas(BAR, BAR)
    c.line([(9, 8), (9, 5.5), (18.5, 5.5), (18.5, 15), (16, 15)], WHITE, 1.6)
    c.rect(5.5, 9, 15, 18.5, outline=WHITE, width=BAR_PEN, radius=1)
    return c.result()


def draw_close():
    c = Canvas(BAR, BAR)
    c.line([(7, 7), (17, 17)], WHITE, BAR_PEN)
    c.line([(17, 7), (7, 17)], WHITE, BAR_PEN)
    return c.result()


# --------------------------------------------------------------------------------------------
# Home page buttons: a coloured disc with a white ring and a white glyph. Drawn at twice the
# 60 x 60 the buttons show so they stay sharp on high-density screens.

NAV = 120
NAV_C = NAV / 2


def nav_disc(colour):
    c = Canvas(NAV, NAV)
    c.circle(NAV_C, NAV_C, 58, fill=WHITE)
    c.circle(NAV_C, NAV_C, 53, fill=colour)
    return c


def draw_settings():
    c = nav_disc(SLATE)
    teeth, r_out, r_in = 8, 38, 29
    points = []
    for i in range(teeth):
        centre = 2 * math.pi * i / teeth
        half_top, half_root = 0.17, 0.30
        for angle, radius in ((centre - half_root, r_in), (centre - half_top, r_out),
                              (centre + half_top, r_out), (centre + half_root, r_in)):
            points.append((NAV_C + radius * math.cos(angle), NAV_C + radius * math.sin(angle)))
    c.polygon(points, WHITE)
    c.circle(NAV_C, NAV_C, r_in + 0.5, fill=WHITE)
    c.circle(NAV_C, NAV_C, 12, fill=SLATE)
    return c.result()


def draw_printer():
    c = nav_disc(GREEN)
    # Fanfold paper coming out of the top, with a printed dot row.
    c.rect(40, 24, 80, 50, fill=WHITE, radius=2)
    for x in range(46, 76, 5):
        c.circle(x, 33, 1.6, fill=GREEN)
    for x in range(46, 66, 5):
        c.circle(x, 40, 1.6, fill=GREEN)
    # Body with the slot the paper leaves through.
    c.rect(26, 48, 94, 80, fill=WHITE, radius=6)
    c.rect(38, 52, 82, 56, fill=GREEN, radius=2)
    c.circle(84, 64, 3, fill=GREEN_LIGHT)
    # Tractor feed paper underneath.
    c.rect(38, 80, 82, 94, fill=WHITE, radius=2)
    for y in (84, 90):
        c.circle(42, y, 1.4, fill=GREEN)
        c.circle(78, y, 1.4, fill=GREEN)
    return c.result()


def draw_upgrade_fw():
    c = nav_disc(ORANGE)
    # A chip with pins on each side.
    for i in range(4):
        offset = 42 + i * 12
        c.rect(offset - 2.5, 24, offset + 2.5, 36, fill=WHITE, radius=1)
        c.rect(offset - 2.5, 84, offset + 2.5, 96, fill=WHITE, radius=1)
        c.rect(24, offset - 2.5, 36, offset + 2.5, fill=WHITE, radius=1)
        c.rect(84, offset - 2.5, 96, offset + 2.5, fill=WHITE, radius=1)
    c.rect(32, 32, 88, 88, fill=WHITE, radius=6)
    # An upward arrow in the chip.
    c.polygon([(NAV_C, 40), (76, 58), (66, 58), (66, 78), (54, 78), (54, 58), (44, 58)], ORANGE)
    return c.result()


def draw_about():
    c = nav_disc(GREEN_LIGHT)
    # Two people: the one behind slightly smaller.
    c.circle(76, 44, 10, fill=WHITE)
    c.draw.chord(c.box(58, 58, 94, 98), 180, 360, fill=rgba(WHITE))
    c.circle(50, 46, 14, fill=GREEN_LIGHT)
    c.circle(50, 46, 12, fill=WHITE)
    c.draw.chord(c.box(26, 60, 74, 108), 180, 360, fill=rgba(GREEN_LIGHT))
    c.draw.chord(c.box(28, 62, 72, 106), 180, 360, fill=rgba(WHITE))
    c.rect(26, 82, 96, 87, fill=GREEN_LIGHT)
    return c.result()


def draw_info():
    c = nav_disc(BLUE)
    c.circle(NAV_C, 36, 7, fill=WHITE)
    c.rect(53, 50, 67, 88, fill=WHITE, radius=2)
    c.rect(47, 50, 60, 56, fill=WHITE, radius=2)
    c.rect(46, 84, 74, 90, fill=WHITE, radius=2)
    return c.result()


def draw_swap_vertical_circle():
    c = nav_disc(BLUE_GREY)
    # Up arrow on the left, down arrow on the right.
    c.polygon([(46, 26), (62, 44), (51, 44), (51, 80), (41, 80), (41, 44), (30, 44)], WHITE)
    c.polygon([(74, 94), (58, 76), (69, 76), (69, 40), (79, 40), (79, 76), (90, 76)], WHITE)
    return c.result()


# --------------------------------------------------------------------------------------------
# Message box icons, 40 x 40 (scaled by the dialog's border image).

MSG = 40


def draw_msg_error():
    c = Canvas(MSG, MSG)
    c.circle(20, 20, 19, fill=RED)
    c.line([(13, 13), (27, 27)], WHITE, 3.6)
    c.line([(27, 13), (13, 27)], WHITE, 3.6)
    return c.result()


def draw_msg_success():
    c = Canvas(MSG, MSG)
    c.circle(20, 20, 19, fill=GREEN_LIGHT)
    c.line([(11, 20.5), (17.5, 27), (29, 14)], WHITE, 3.6)
    return c.result()


def draw_msg_question():
    c = Canvas(MSG, MSG)
    c.circle(20, 20, 19, fill=BLUE)
    c.arc(20, 15.5, 6.5, 180, 395, WHITE, 3.6)
    c.line([(25.5, 19.5), (20, 23), (20, 25)], WHITE, 3.6)
    c.circle(20, 31, 2.4, fill=WHITE)
    return c.result()


def draw_warning():
    # The firmware page paints this as an unscaled background of 60 x 52, so it has that size.
    c = Canvas(60, 52)
    top, left, right = (30, 3), (3, 49), (57, 49)
    c.line([top, left, right, top], YELLOW, 6)
    c.polygon([top, left, right], YELLOW)
    c.rect(27.3, 17, 32.7, 36, fill=SLATE_DARK, radius=2.7)
    c.circle(30, 42.5, 3.1, fill=SLATE_DARK)
    return c.result()


# --------------------------------------------------------------------------------------------
# Push button icons, 20 x 20.

def draw_btn_ok():
    c = Canvas(20, 20)
    c.line([(4, 10.5), (8.5, 15), (16, 5.5)], GREEN, 2.6)
    return c.result()


def draw_btn_close():
    c = Canvas(20, 20)
    c.line([(5, 5), (15, 15)], RED, 2.6)
    c.line([(15, 5), (5, 15)], RED, 2.6)
    return c.result()


# --------------------------------------------------------------------------------------------
# Designer row icons, one per control kind, in a normal (24) and a large (48) size. Drawn on a
# 24-unit grid and scaled, so both sizes show the same picture.

class Scaled(Canvas):
    def __init__(self, size):
        super().__init__(size, size)
        self.k = size / 24.0

    def pts(self, points):
        return [(x * SS * self.k, y * SS * self.k) for x, y in points]

    def box(self, x0, y0, x1, y1):
        k = SS * self.k
        return [x0 * k, y0 * k, x1 * k, y1 * k]

    def circle(self, cx, cy, r, fill=None, outline=None, width=0):
        self.draw.ellipse(self.box(cx - r, cy - r, cx + r, cy + r), fill=fill and rgba(fill),
                          outline=outline and rgba(outline), width=int(width * SS * self.k))

    def rect(self, x0, y0, x1, y1, fill=None, outline=None, width=0, radius=0):
        self.draw.rounded_rectangle(self.box(x0, y0, x1, y1), radius=radius * SS * self.k,
                                    fill=fill and rgba(fill), outline=outline and rgba(outline),
                                    width=int(width * SS * self.k))

    def line(self, points, colour, width, round_caps=True):
        self.draw.line(self.pts(points), fill=rgba(colour), width=int(width * SS * self.k),
                       joint="curve")
        if round_caps:
            for x, y in points:
                self.circle(x, y, width / 2, fill=colour)

    def text(self, x, y, string, size, colour, font=FONT_BOLD, anchor="mm"):
        face = ImageFont.truetype(font, int(size * SS * self.k))
        self.draw.text((x * SS * self.k, y * SS * self.k), string, font=face, fill=rgba(colour),
                       anchor=anchor)


def field(c):
    c.rect(1.5, 5.5, 22.5, 18.5, fill=WHITE, outline=SLATE, width=1.2, radius=2)


def draw_label(size):
    c = Scaled(size)
    c.rect(1, 5, 23, 19, fill=BLUE, radius=3)
    c.text(12, 12.2, "Aa", 10, WHITE)
    return c.result()


def draw_lineedit(size):
    c = Scaled(size)
    field(c)
    c.line([(5, 12), (13, 12)], SILVER, 2)
    c.line([(16, 8.5), (16, 15.5)], SLATE, 1.2, round_caps=False)
    c.line([(14.5, 8.5), (17.5, 8.5)], SLATE, 1, round_caps=False)
    c.line([(14.5, 15.5), (17.5, 15.5)], SLATE, 1, round_caps=False)
    return c.result()


def draw_button(size):
    c = Scaled(size)
    c.rect(1, 6, 23, 19, fill=GREEN, radius=3)
    c.rect(1, 5, 23, 17.5, fill=GREEN_LIGHT, radius=3)
    c.line([(7, 11.2), (17, 11.2)], WHITE, 2)
    return c.result()


def draw_combobox(size):
    c = Scaled(size)
    field(c)
    c.line([(4.5, 12), (11, 12)], SILVER, 2)
    c.rect(14.5, 6.1, 21.9, 17.9, fill=BLUE_GREY, radius=1.5)
    c.polygon([(16, 10.5), (20.5, 10.5), (18.25, 14)], WHITE)
    return c.result()


def draw_checkbox(size):
    c = Scaled(size)
    c.rect(3, 3, 21, 21, fill=GREEN_LIGHT, radius=3)
    c.line([(7.5, 12.5), (10.8, 15.8), (16.8, 8.5)], WHITE, 2.4)
    return c.result()


def draw_doublespinbox(size):
    c = Scaled(size)
    field(c)
    c.text(8.7, 12.3, "0.0", 6.5, SLATE, font=FONT_MONO_BOLD)
    c.rect(15.5, 6.1, 21.9, 17.9, fill=BLUE_GREY, radius=1.5)
    c.polygon([(16.7, 11), (20.7, 11), (18.7, 8)], WHITE)
    c.polygon([(16.7, 13), (20.7, 13), (18.7, 16)], WHITE)
    return c.result()


# --------------------------------------------------------------------------------------------
# A stylised dot-matrix printer, used by the banner, the window icon and the device picture.

def dot_matrix_printer(c, x, y, w, colours, edge=None):
    """Front view of an impact printer with fanfold paper, drawn in a box w wide, 0.8 w high.
    edge outlines the light parts where the background is light too."""
    body, cover, paper, ink, accent = colours
    u = w / 100.0

    def X(v):
        return x + v * u

    def Y(v):
        return y + v * u

    # Fanfold paper rising from the back, with sprocket holes and printed dot rows.
    c.rect(X(16), Y(0), X(84), Y(38), fill=paper, outline=edge, width=0.4 * u if edge else 0,
           radius=1.5 * u)
    for row in range(6):
        hy = Y(4 + row * 6)
        c.circle(X(20), hy, 1.3 * u, fill=cover)
        c.circle(X(80), hy, 1.3 * u, fill=cover)
    for row, length in enumerate((14, 10, 13, 7)):
        for i in range(length):
            c.circle(X(27 + i * 3.6), Y(8 + row * 6), 0.95 * u, fill=ink)
    # Top cover and body.
    c.rect(X(4), Y(32), X(96), Y(50), fill=cover, radius=5 * u)
    c.rect(X(24), Y(36), X(76), Y(40), fill=SLATE_DARK, radius=1.5 * u)
    # Platen knob on the right-hand side.
    c.rect(X(95), Y(36), X(99), Y(46), fill=SLATE_DARK, radius=1.2 * u)
    c.rect(X(0), Y(46), X(100), Y(76), fill=body, outline=edge, width=0.4 * u if edge else 0,
           radius=6 * u)
    # Control panel: three status lamps and two keys.
    c.rect(X(62), Y(54), X(94), Y(68), fill=cover, radius=2 * u)
    for i, lamp in enumerate((accent, "#F4D03F", RED)):
        c.circle(X(67 + i * 6), Y(58.5), 1.6 * u, fill=lamp)
    c.rect(X(65), Y(62), X(75), Y(65.5), fill=SILVER, radius=1 * u)
    c.rect(X(79), Y(62), X(89), Y(65.5), fill=SILVER, radius=1 * u)
    # Output slot and feet.
    c.rect(X(8), Y(56), X(54), Y(60), fill=cover, radius=1.5 * u)
    c.rect(X(8), Y(76), X(18), Y(80), fill=cover, radius=1 * u)
    c.rect(X(82), Y(76), X(92), Y(80), fill=cover, radius=1 * u)


def draw_title():
    w, h = 720, 300
    c = Canvas(w, h, background=rgba(SLATE))
    # Vertical gradient from the title bar's slate to a deeper shade.
    top, bottom = rgba(SLATE), rgba(SLATE_DARK)
    for y in range(h * SS):
        t = y / (h * SS - 1)
        colour = tuple(round(top[i] + (bottom[i] - top[i]) * t) for i in range(3)) + (255,)
        c.draw.line([(0, y), (w * SS, y)], fill=colour)
    # A faint dot-matrix grid on the right, fading out to the left.
    for gx in range(300, w, 16):
        for gy in range(8, h, 16):
            alpha = int(28 * (gx - 300) / (w - 300))
            c.draw.ellipse(c.box(gx - 1.5, gy - 1.5, gx + 1.5, gy + 1.5),
                           fill=(255, 255, 255, alpha))
    dot_matrix_printer(c, 52, 62, 220, (SILVER, BLUE_GREY, WHITE, SLATE, GREEN_LIGHT))
    c.text(318, 128, "RKMENU", 72, WHITE, anchor="ls")
    c.rect(320, 150, 640, 154, fill=GREEN_LIGHT, radius=2)
    # The subtitle under the bar is painted by LogoBar in the user's language.
    # A row of printed dots under the text, like a line fresh from the print head.
    for i in range(40):
        c.circle(322 + i * 8, 226, 2, fill=WHITE if i % 5 else GREEN_LIGHT)
    return c.result()


def draw_logo():
    c = Canvas(64, 64)
    c.rect(2, 2, 62, 62, fill=SLATE, radius=12)
    dot_matrix_printer(c, 10, 14, 44, (WHITE, GREEN_LIGHT, WHITE, SLATE, GREEN))
    return c.result()


def draw_device():
    """The device picture on the test page: a catalogue-style front view on white."""
    w, h = 400, 300
    c = Canvas(w, h, background=rgba(WHITE))
    # Soft floor shadow.
    for i in range(12):
        alpha = 4 + i
        c.draw.ellipse(c.box(50 + i * 4, 244 + i * 0.6, 350 - i * 4, 266 - i * 0.6),
                       fill=(0, 0, 0, alpha))
    x, y, pw = 60, 26, 280
    dot_matrix_printer(c, x, y, pw, ("#ECF0F1", "#7F8C8D", WHITE, SLATE, GREEN_LIGHT),
                       edge="#BDC3C7")
    c.text(x + 0.09 * pw, y + 0.69 * pw, "RK-70", 12, "#95A5A6", anchor="lm")
    return c.result()


# --------------------------------------------------------------------------------------------
# The busy spinner: a ring of twelve dots whose bright head goes round once per loop.

SPIN_SIZE = 75
SPIN_FRAMES = 12
SPIN_FRAME_MS = 80


def spinner_frames():
    head, tail = rgba(GREEN_LIGHT), rgba(SILVER)
    frames = []
    for f in range(SPIN_FRAMES):
        c = Canvas(SPIN_SIZE, SPIN_SIZE)
        centre = SPIN_SIZE / 2
        for i in range(SPIN_FRAMES):
            # age 0 is the dot the head is on; older dots fade and shrink.
            age = (f - i) % SPIN_FRAMES
            t = age / (SPIN_FRAMES - 1)
            colour = tuple(round(head[k] + (tail[k] - head[k]) * t) for k in range(3))
            angle = 2 * math.pi * i / SPIN_FRAMES - math.pi / 2
            radius = 6.0 - 2.8 * t
            x = centre + 27 * math.cos(angle)
            y = centre + 27 * math.sin(angle)
            c.circle(x, y, radius, fill="#%02X%02X%02X" % colour)
        frames.append(to_gif_frame(c.result()))
    return frames


def to_gif_frame(img):
    """GIF has one transparent index and no partial alpha: blend soft edges over a light grey
    (the dialog sits on the light main window) and keep only pixels that are mostly covered."""
    matte = Image.new("RGBA", img.size, rgba("#F0F0F0"))
    flat = Image.alpha_composite(matte, img).convert("RGB")
    paletted = flat.quantize(colors=255, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    transparent = 255
    palette = paletted.getpalette()[:255 * 3]
    paletted.putpalette(palette + [0, 0, 0])
    mask = img.getchannel("A").point(lambda a: 255 if a < 96 else 0)
    paletted.paste(transparent, mask=mask)
    return paletted


def save_spinner(path):
    frames = spinner_frames()
    frames[0].save(path, save_all=True, append_images=frames[1:], duration=SPIN_FRAME_MS,
                   loop=0, transparency=255, disposal=2, optimize=False)


# --------------------------------------------------------------------------------------------

def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "src", "resources")
    images = os.path.join(out, "images")
    config = os.path.join(out, "config", "source")
    os.makedirs(images, exist_ok=True)
    os.makedirs(config, exist_ok=True)

    pngs = {
        "back": draw_back, "minimize": draw_minimize, "maximize": draw_single_window,
        "normalSize": draw_stacked_windows, "close": draw_close,
        "settings": draw_settings, "printer": draw_printer, "upgrade_fw": draw_upgrade_fw,
        "about": draw_about, "info": draw_info,
        "swap_vertical_circle": draw_swap_vertical_circle,
        "msg_error": draw_msg_error, "msg_success": draw_msg_success,
        "msg_question": draw_msg_question, "warning": draw_warning,
        "btn_ok": draw_btn_ok, "btn_close": draw_btn_close,
    }
    for kind, drawer in (("label", draw_label), ("lineedit", draw_lineedit),
                         ("button", draw_button), ("combobox", draw_combobox),
                         ("checkbox", draw_checkbox), ("doublespinbox", draw_doublespinbox)):
        pngs[kind] = (lambda d=drawer: d(24))
        pngs[kind + "_Large"] = (lambda d=drawer: d(48))

    for name, drawer in pngs.items():
        drawer().save(os.path.join(images, name + ".png"), optimize=True)
    draw_device().save(os.path.join(images, "DEV_QR70.jpg"), quality=92)
    save_spinner(os.path.join(images, "waitting_01.gif"))
    draw_title().save(os.path.join(config, "title.png"), optimize=True)
    draw_logo().save(os.path.join(config, "logo.png"), optimize=True)


if __name__ == "__main__":
    main()
