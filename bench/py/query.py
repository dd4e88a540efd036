"""The per-call floor: one trivial state query, the way a pygame game asks
whether a key is held. pygame answers through the whole keyboard state,
copied into a new sequence on every call; its cheapest query of any kind
(whether the window has keyboard focus) is reported beside it."""
import bench

import pygame

bench.screen()
get_pressed, get_focused = pygame.key.get_pressed, pygame.key.get_focused


def key_state(n):
    for i in range(n):
        get_pressed()[i % 256]


def focus(n):
    for i in range(n):
        get_focused()


bench.report("isKeyDown", 200000, key_state)
bench.report("pygame_floor_get_focused", 2000000, focus)
pygame.quit()
