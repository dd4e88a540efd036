"""A whole frame of a typical pygame game: drain the event queue, blit 200
alpha sprites, draw 50 shapes (ten each of filled rectangles, lines,
anti-aliased lines, filled circles and filled triangles), render and blit
one line of text, flip and tick an unpaced Clock; the same positions as the
plain-C side (c/frame.c). Reported per frame."""
import bench

import pygame

NPOS = 1024
TEXT = "Score: 0123456789 ok"
screen = bench.screen()
font = pygame.font.Font("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 16)
pos = []
for _ in range(NPOS):
    x = bench.rand(608)
    pos.append((x, bench.rand(448)))
sprite = pygame.Surface((32, 32), pygame.SRCALPHA).convert_alpha()
sprite.fill((255, 0, 0, 128))
clock = pygame.time.Clock()

blit, get_events, flip = screen.blit, pygame.event.get, pygame.display.flip
rect, line, aaline = pygame.draw.rect, pygame.draw.line, pygame.draw.aaline
circle, polygon = pygame.draw.circle, pygame.draw.polygon
k = 0


def frame(n):
    global k
    for _ in range(n):
        for event in get_events():
            pass
        for _ in range(200):
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


bench.report("frame_typical", 500, frame)
pygame.quit()
