"""Drawing the way a pygame game draws: Surface.set_at, Surface.fill,
pygame.draw for lines, rectangles, circles and polygons, pygame.gfxdraw for
the anti-aliased circle and triangle outlines (pygame.draw has none), and
Surface.blit of a converted alpha sprite, at the same positions as the
plain-C side (c/draw.c)."""
import bench

import pygame
import pygame.gfxdraw

NPOS = 1024
screen = bench.screen()
xs, ys = [], []
for _ in range(NPOS):
    xs.append(bench.rand(608))
    ys.append(bench.rand(448))
pos = list(zip(xs, ys))

sprite = pygame.Surface((32, 32), pygame.SRCALPHA).convert_alpha()
sprite.fill((255, 0, 0, 128))

COLOUR = (200, 100, 50, 255)
set_at, fill, blit = screen.set_at, screen.fill, screen.blit
draw, gfx = pygame.draw, pygame.gfxdraw


def putpix(n):
    for i in range(n):
        set_at(pos[i & (NPOS - 1)], COLOUR)


def fill32(n):
    for i in range(n):
        x, y = pos[i & (NPOS - 1)]
        fill(COLOUR, (x, y, 32, 32))


def fill_screen(n):
    for i in range(n):
        fill((0, 0, i & 255))


bench.report("putpix", 1000000, putpix)
bench.report("fill_32x32", 200000, fill32)
bench.report("fill_screen", 2000, fill_screen)


def shape(name, n, fn):
    def run(n):
        for i in range(n):
            x, y = pos[i & (NPOS - 1)]
            fn(x, y)

    bench.report(name, n, run)


line, aaline, rect, circle, polygon = draw.line, draw.aaline, draw.rect, draw.circle, draw.polygon
aacircle, trigon, aatrigon = gfx.aacircle, gfx.trigon, gfx.aatrigon

shape("draw_line", 200000, lambda x, y: line(screen, COLOUR, (x, y), (x + 31, y + 20)))
shape("draw_aaline", 100000, lambda x, y: aaline(screen, COLOUR, (x, y), (x + 31, y + 20)))
shape("draw_rectangle", 200000, lambda x, y: rect(screen, COLOUR, (x, y, 32, 32), 1))
shape("draw_box", 100000, lambda x, y: rect(screen, COLOUR, (x, y, 32, 32)))
shape("draw_circle", 100000, lambda x, y: circle(screen, COLOUR, (x + 16, y + 16), 16, 1))
shape("draw_aacircle", 20000, lambda x, y: aacircle(screen, x + 16, y + 16, 16, COLOUR))
shape("draw_filled_circle", 100000, lambda x, y: circle(screen, COLOUR, (x + 16, y + 16), 16))
shape(
    "drawTri_trigon",
    100000,
    lambda x, y: polygon(screen, COLOUR, ((x, y), (x + 31, y + 8), (x + 10, y + 31)), 1),
)
shape(
    "drawTri_aatrigon",
    50000,
    lambda x, y: aatrigon(screen, x, y, x + 31, y + 8, x + 10, y + 31, COLOUR),
)
shape(
    "drawTri_filled",
    50000,
    lambda x, y: polygon(screen, COLOUR, ((x, y), (x + 31, y + 8), (x + 10, y + 31))),
)


def blit32(n):
    for i in range(n):
        blit(sprite, pos[i & (NPOS - 1)])


bench.report("blit_32x32_alpha", 200000, blit32)

# What a pygame game writes for zedodava.extra's sprite calls: a blit with
# an area rectangle, transform.scale then blit, transform.rotozoom, and a
# per-pixel alpha sprite blitted after set_alpha.
sheet = pygame.Surface((128, 32), pygame.SRCALPHA).convert_alpha()
sheet.fill((0, 255, 0, 128))
scale, rotozoom = pygame.transform.scale, pygame.transform.rotozoom


def blit_part(n):
    for i in range(n):
        blit(sheet, pos[i & (NPOS - 1)], (i % 4 * 32, 0, 32, 32))


def blit_scaled(n):
    for i in range(n):
        blit(scale(sprite, (64, 64)), pos[i & (NPOS - 1)])


def turn_zoom(n):
    for i in range(n):
        rotozoom(sprite, i % 360, 1.5)


def blit_alpha(n):
    for i in range(n):
        sprite.set_alpha(i & 255)
        blit(sprite, pos[i & (NPOS - 1)])


bench.report("blitPart_32x32_of_sheet", 200000, blit_part)
bench.report("blitScaled_32_to_64", 100000, blit_scaled)
bench.report("transform_32_turn_zoom", 20000, turn_zoom)
bench.report("blitAlpha_32x32", 200000, blit_alpha)
pygame.quit()
