#!/usr/bin/python3
"""Renders a captured 80x25 terminal screen (tmux capture-pane -p, with or without -e) to a PNG.

Usage: render_screen.py CAPTURE.txt OUT.png

The game writes plain text, so the picture is a console's: light grey on black in a monospaced
font. Colour and reverse-video escapes are honoured all the same, should a screen ever use them.
Needs Debian's python3-pil and fonts-dejavu-core.
"""
import re
import sys

from PIL import Image, ImageDraw, ImageFont

COLS, ROWS = 80, 25
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"
BOLD_FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf"
FONT_SIZE = 17
MARGIN = 14
FOREGROUND = (192, 192, 192)
BACKGROUND = (0, 0, 0)
# The console's sixteen colours: the eight of SGR 30-37 and their bright forms of 90-97.
PALETTE = [(0, 0, 0), (170, 0, 0), (0, 170, 0), (170, 85, 0), (0, 0, 170), (170, 0, 170),
           (0, 170, 170), (192, 192, 192), (85, 85, 85), (255, 85, 85), (85, 255, 85),
           (255, 255, 85), (85, 85, 255), (255, 85, 255), (85, 255, 255), (255, 255, 255)]

SGR = re.compile(r"\x1b\[([0-9;]*)m")


class Style:
    def __init__(self):
        self.fg, self.bg, self.bold, self.reverse = FOREGROUND, BACKGROUND, False, False

    def apply(self, params):
        codes = [int(p) if p else 0 for p in params.split(";")] if params else [0]
        i = 0
        while i < len(codes):
            code = codes[i]
            if code == 0:
                self.__init__()
            elif code == 1:
                self.bold = True
            elif code == 22:
                self.bold = False
            elif code == 7:
                self.reverse = True
            elif code == 27:
                self.reverse = False
            elif 30 <= code <= 37:
                self.fg = PALETTE[code - 30]
            elif 90 <= code <= 97:
                self.fg = PALETTE[code - 90 + 8]
            elif code == 39:
                self.fg = FOREGROUND
            elif 40 <= code <= 47:
                self.bg = PALETTE[code - 40]
            elif 100 <= code <= 107:
                self.bg = PALETTE[code - 100 + 8]
            elif code == 49:
                self.bg = BACKGROUND
            elif code in (38, 48) and i + 1 < len(codes):
                # 256-colour and true-colour forms: take the colour, or skip it when unknown.
                if codes[i + 1] == 5 and i + 2 < len(codes):
                    colour = PALETTE[codes[i + 2]] if codes[i + 2] < 16 else FOREGROUND
                    i += 2
                elif codes[i + 1] == 2 and i + 4 < len(codes):
                    colour = tuple(codes[i + 2:i + 5])
                    i += 4
                else:
                    colour = FOREGROUND
                if code == 38:
                    self.fg = colour
                else:
                    self.bg = colour
            i += 1

    def cell(self):
        fg, bg = (self.bg, self.fg) if self.reverse else (self.fg, self.bg)
        return fg, bg, self.bold


def parse(text):
    """The screen as ROWS rows of COLS cells (character, foreground, background, bold)."""
    style = Style()
    screen = []
    for line in text.split("\n")[:ROWS]:
        row = []
        at = 0
        for match in SGR.finditer(line):
            row += [(ch,) + style.cell() for ch in line[at:match.start()]]
            style.apply(match.group(1))
            at = match.end()
        row += [(ch,) + style.cell() for ch in line[at:]]
        row = row[:COLS]
        row += [(" ", FOREGROUND, BACKGROUND, False)] * (COLS - len(row))
        screen.append(row)
    while len(screen) < ROWS:
        screen.append([(" ", FOREGROUND, BACKGROUND, False)] * COLS)
    return screen


def render(screen, out):
    font = ImageFont.truetype(FONT, FONT_SIZE)
    bold = ImageFont.truetype(BOLD_FONT, FONT_SIZE)
    ascent, descent = font.getmetrics()
    cell_w = round(font.getlength("M"))
    cell_h = ascent + descent + 2
    image = Image.new("RGB", (COLS * cell_w + 2 * MARGIN, ROWS * cell_h + 2 * MARGIN), BACKGROUND)
    draw = ImageDraw.Draw(image)
    for r, row in enumerate(screen):
        for c, (ch, fg, bg, is_bold) in enumerate(row):
            x, y = MARGIN + c * cell_w, MARGIN + r * cell_h
            if bg != BACKGROUND:
                draw.rectangle([x, y, x + cell_w - 1, y + cell_h - 1], fill=bg)
            if ch != " ":
                draw.text((x, y + 1), ch, font=bold if is_bold else font, fill=fg)
    image.save(out, optimize=True)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    with open(sys.argv[1], encoding="utf-8") as capture:
        render(parse(capture.read().rstrip("\n")), sys.argv[2])


if __name__ == "__main__":
    main()
