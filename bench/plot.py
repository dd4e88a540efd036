"""Draws how a frame's cost grows, from the table bench/run.sh prints, as
one PNG of three panels of bars (C, lua5.1, luajit, pygame per row; heights
on a log scale, each bar labelled with its milliseconds): the
typical frame by sprite count, the full-window clear and flip by window
size (memory only and on the X server), and the typical frame on the X
server. Uses pygame, which the benchmarks already need.

usage: python3 bench/plot.py RUN_OUTPUT PNG"""
import math
import os
import sys

os.environ.setdefault("SDL_VIDEODRIVER", "dummy")
os.environ["PYGAME_HIDE_SUPPORT_PROMPT"] = "1"
import pygame  # noqa: E402

PANELS = [
    ("Typical frame, 640x480, by sprites (ms, log scale)",
     [("200", "frame_typical"), ("2,000", "frame_sprites_2000"),
      ("20,000", "frame_sprites_20000")]),
    ("Clear and flip, by window (ms, log scale)",
     [("640x480", "clear_flip_640x480"), ("1280x720", "clear_flip_1280x720"),
      ("1920x1080", "clear_flip_1920x1080"), ("X 640x480", "clear_flip_x11_640x480"),
      ("X 1280x720", "clear_flip_x11_1280x720"), ("X 1920x1080", "clear_flip_x11_1920x1080")]),
    ("Typical frame on the X server, flip included (ms, log scale)",
     [("640x480", "frame_x11_640x480"), ("1280x720", "frame_x11_1280x720")]),
]
SIDES = [("C (SDL 1.2)", (120, 120, 120)), ("lua5.1", (40, 90, 200)),
         ("luajit", (30, 160, 90)), ("pygame", (220, 120, 30))]
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"


def read(path):
    rows = {}
    with open(path) as f:
        for line in f:
            v = line.split()
            if len(v) >= 5 and v[0].startswith(("frame_", "clear_flip_")) and v[0] not in rows:
                rows[v[0]] = [float(x) / 1e6 if x != "-" else 0.0 for x in v[1:5]]
    return rows


def main(src, dst):
    rows = read(src)
    pygame.display.init()
    pygame.font.init()
    small, title = pygame.font.Font(FONT, 11), pygame.font.Font(FONT, 14)
    pw, ph, gap = 880, 220, 16
    img = pygame.Surface((pw, len(PANELS) * (ph + gap) + 40))
    img.fill((255, 255, 255))
    for i, (name, side) in enumerate(SIDES):  # the legend
        pygame.draw.rect(img, side, (10 + i * 130, 12, 14, 14))
        img.blit(small.render(name, True, (0, 0, 0)), (30 + i * 130, 12))
    for p, (name, groups) in enumerate(PANELS):
        top = 40 + p * (ph + gap)
        img.blit(title.render(name, True, (0, 0, 0)), (10, top))
        # Heights on a log scale from half the panel's smallest figure.
        values = [v for _, k in groups for v in rows.get(k, []) if v > 0] or [1.0]
        lo, peak = min(values) / 2, max(values)
        base, height = top + ph - 28, ph - 60
        width = (pw - 20) // len(groups)
        for g, (label, key) in enumerate(groups):
            x0 = 10 + g * width
            img.blit(small.render(label, True, (0, 0, 0)), (x0 + 4, base + 4))
            bar = (width - 16) // 4
            for s, v in enumerate(rows.get(key, [0, 0, 0, 0])):
                h = int(height * math.log(v / lo) / math.log(peak / lo)) if v > 0 else 0
                x = x0 + 4 + s * bar
                pygame.draw.rect(img, SIDES[s][1], (x, base - h, bar - 3, h))
                text = small.render("%.2f" % v if v < 10 else "%.0f" % v, True, (0, 0, 0))
                img.blit(text, (x, base - h - 13))
        pygame.draw.line(img, (0, 0, 0), (10, base), (pw - 10, base))
    pygame.image.save(img, dst)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
