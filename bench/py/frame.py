"""A whole frame of a typical pygame game: drain the event queue, blit 200
alpha sprites, draw 50 shapes (ten each of filled rectangles, lines,
anti-aliased lines, filled circles and filled triangles), render and blit
one line of text, flip and tick an unpaced Clock; the same positions as the
plain-C side (c/frame.c). Reported per frame. Then how the frame grows: with
2,000 and 20,000 sprites; and, on a real X server (SDL_VIDEODRIVER=x11), the
frame alone at 640x480 and 1280x720, where flip sends the picture to the
server."""
import os
import sys

import bench

import pygame

NPOS = 1024
TEXT = "Score: 0123456789 ok"
nsprites = 200


def open_window(w, h):
    """The display, font, positions and sprite of a frame at w x h."""
    global screen, font, pos, sprite, clock, blit, flip
    screen = bench.screen(w, h)
    font = pygame.font.Font("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 16)
    pos = []
    for _ in range(NPOS):
        x = bench.rand(w - 32)
        pos.append((x, bench.rand(h - 32)))
    sprite = pygame.Surface((32, 32), pygame.SRCALPHA).convert_alpha()
    sprite.fill((255, 0, 0, 128))
    clock = pygame.time.Clock()
    blit, flip = screen.blit, pygame.display.flip


get_events = pygame.event.get
rect, line, aaline = pygame.draw.rect, pygame.draw.line, pygame.draw.aaline
circle, polygon = pygame.draw.circle, pygame.draw.polygon
k = 0


def frame(n):
    global k
    for _ in range(n):
        for event in get_events():
            pass
        for _ in range(nsprites):
            k = (k + 1) & (NPOS - 1)
            blit(sprite, pos[k])
        for _ in range(10):
            k = (k + 1) & (NPOS - 1)
            x, y = pos[k]
            rect(screen, (40, 60, 90), (x, y, 32, 32))
            k = (k + 1) & (NPOS - 1)
            x, y = pos[k]
            line(screen, (200, 100, 50), (x, y), (x + 31, y + 20))
            k = (k + 1) & (NPOS - 1)
            x, y = pos[k]
            aaline(screen, (200, 100, 50), (x, y), (x + 31, y + 20))
            k = (k + 1) & (NPOS - 1)
            x, y = pos[k]
            circle(screen, (255, 255, 0), (x + 16, y + 16), 16)
            k = (k + 1) & (NPOS - 1)
            x, y = pos[k]
            polygon(screen, (0, 200, 100), ((x, y), (x + 31, y + 8), (x + 10, y + 31)))
        blit(font.render(TEXT, True, (255, 200, 100)), (10, 10))
        flip()
        clock.tick()


if os.environ.get("SDL_VIDEODRIVER") == "x11":
    for w, h in ((640, 480), (1280, 720)):
        open_window(w, h)
        bench.report("frame_x11_%dx%d" % (w, h), 300, frame)
        pygame.quit()
    sys.exit(0)
open_window(640, 480)
bench.report("frame_typical", 500, frame)
nsprites = 2000
bench.report("frame_sprites_2000", 100, frame)
nsprites = 20000
bench.report("frame_sprites_20000", 10, frame)
pygame.quit()
