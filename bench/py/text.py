"""Text the way a pygame game writes it: Font.render (anti-aliased) blitted
onto the screen (draw mode), and rendered then converted with
convert_alpha() into a surface kept for later blits and then dropped (keep
mode, the work printFont's keep does), at the same positions as the plain-C
side (c/text.c)."""
import bench

import pygame

NPOS = 1024
TEXT = "Score: 0123456789 ok"
COLOUR = (255, 200, 100)
screen = bench.screen()
font = pygame.font.Font("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 16)
pos = []
for _ in range(NPOS):
    x = bench.rand(480)
    pos.append((x, bench.rand(460)))

render, blit = font.render, screen.blit


def draw(n):
    for i in range(n):
        blit(render(TEXT, True, COLOUR), pos[i & (NPOS - 1)])


def keep(n):
    for _ in range(n):
        kept = render(TEXT, True, COLOUR).convert_alpha()
        del kept


bench.report("printFont_draw_20ch", 5000, draw)
bench.report("printFont_keep_20ch", 5000, keep)
pygame.quit()
