"""A full console refresh the way a pygame game draws a character grid: per
cell a background fill, one glyph rendered in the foreground colour and a
blit, columns outermost, with the same characters and colours as the
plain-C side (c/console.c)."""
import gc

import bench

import pygame

MONO = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"
pygame.display.init()
pygame.font.init()
font = pygame.font.Font(MONO, 16)


def grid_open(cols, rows):
    cw = font.metrics("@")[0][4]
    ch = font.get_linesize()
    screen = pygame.display.set_mode((cw * cols, ch * rows), 0, 32)
    cells = [[None] * rows for _ in range(cols)]
    for y in range(rows):
        for x in range(cols):
            c = chr(33 + bench.rand(94))
            fg = (bench.rand(256), bench.rand(256), bench.rand(256))
            bg = (bench.rand(256), bench.rand(256), bench.rand(256))
            cells[x][y] = (c, fg, bg, pygame.Rect(x * cw, y * ch, cw, ch))
    gc.collect()

    fill, blit, render = screen.fill, screen.blit, font.render

    def refresh(n):
        for _ in range(n):
            for column in cells:
                for c, fg, bg, rect in column:
                    fill(bg, rect)
                    blit(render(c, True, fg), rect)

    return refresh


bench.report("console_refresh_80x25", 50, grid_open(80, 25))
bench.report("console_refresh_160x50", 12, grid_open(160, 50))
bench.report("console_refresh_240x67", 5, grid_open(240, 67))
pygame.quit()
