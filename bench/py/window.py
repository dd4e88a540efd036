"""A full-window clear and flip at three window sizes, the way a pygame game
clears its screen, with the same names as the plain-C side (c/window.c)."""
import os

import bench

import pygame

x11 = "x11_" if os.environ.get("SDL_VIDEODRIVER") == "x11" else ""
for w, h in ((640, 480), (1280, 720), (1920, 1080)):
    screen = bench.screen(w, h)
    fill, flip = screen.fill, pygame.display.flip

    def clear_flip(n):
        for i in range(n):
            fill((20, 30, i % 256))
            flip()

    bench.report("clear_flip_%s%dx%d" % (x11, w, h), 4000000 // (w * h // 100), clear_flip)
    pygame.quit()
