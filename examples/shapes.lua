-- A tour of the drawing calls: a frame loop paced at 60 frames per second
-- draws an animated scene of a banded sky, a starfield of single pixels,
-- sprites built at start-up and blitted with their alpha, and every kind and
-- style of shape. It prints the keys pressed and the mouse clicks, and quits
-- on Escape or when the window is closed. "--frames N" stops it by itself
-- after N frames.
--
--   luajit examples/shapes.lua
local z = require "zedodava"
local keys = require "zedodava.keys"

local frames_left = math.huge
for i = 1, #arg do
    if arg[i] == "--frames" then frames_left = tonumber(arg[i + 1]) or 0 end
end

local W, H = 640, 480
z.init(W, H)

local sin, cos, floor, pi = math.sin, math.cos, math.floor, math.pi

-- Sprites, drawn once into surfaces of their own.

-- A glowing ball: each pixel's alpha falls off from the centre.
local BALL = 32
local ball = z.makeSurf(BALL, BALL)
z.fill(0, 0, 0, 0, 0, 0, 0, 0, ball)
for y = 0, BALL - 1 do
    for x = 0, BALL - 1 do
        local dx, dy = x - 15.5, y - 15.5
        local d = math.sqrt(dx * dx + dy * dy) / 16
        if d < 1 then
            local light = 1 - d
            local alpha = math.min(1, light * 2.5)
            z.putpix(x, y, 255, 120 + 135 * light, 40 + 215 * light * light, 255 * alpha, ball)
        end
    end
end

-- A checkered tile, opaque.
local TILE = 16
local tile = z.makeSurf(TILE, TILE)
z.fill(0, 0, 0, 0, 40, 60, 90, 255, tile)
z.fill(0, 0, 8, 8, 70, 100, 140, 255, tile)
z.fill(8, 8, 8, 8, 70, 100, 140, 255, tile)

-- A little ship made of shapes drawn onto its own surface.
local ship = z.makeSurf(40, 28)
z.fill(0, 0, 0, 0, 0, 0, 0, 0, ship)
z.drawTri(2, 26, 20, 2, 38, 26, 80, 200, 120, 255, 2, ship)
z.drawTri(2, 26, 20, 2, 38, 26, 200, 255, 220, 255, 1, ship)
z.draw(20, 16, 5, 0, 250, 250, 120, 255, 2, 2, ship)

-- A stage that the right-hand panel is redrawn on each frame, then blitted.
local PANEL_W, PANEL_H = 200, 200
local panel = z.makeSurf(PANEL_W, PANEL_H)

-- Stars: fixed positions, twinkling brightness.
local stars = {}
local seed = 7
local function rand(n)
    seed = (seed * 1103515245 + 12345) % 2147483648
    return floor(seed / 65536) % n
end
for i = 1, 150 do
    stars[i] = {rand(W), rand(300), rand(628) / 100}
end

local balls = {}
for i = 1, 6 do
    balls[i] = {x = 40 + 60 * i, y = 30 + 25 * i, vx = 1.5 + i * 0.4, vy = 1 + i * 0.3}
end

local function sky(t)
    local bands, bh = 25, 12
    for i = 0, bands - 1 do
        local k = i / bands
        z.fill(0, i * bh, W, bh, 10 + 30 * k, 10 + 20 * k + 10 * sin(t * 0.5), 40 + 80 * k, 255)
    end
    -- The ground, tiled.
    for y = 300, H - 1, TILE do
        for x = 0, W - 1, TILE do
            z.blit(tile, x, y)
        end
    end
end

local function starfield(t)
    for i = 1, #stars do
        local s = stars[i]
        local v = 150 + 105 * sin(t * 3 + s[3])
        z.putpix(s[1], s[2], v, v, 255, 255)
    end
end

local function move_balls()
    for i = 1, #balls do
        local b = balls[i]
        b.x, b.y = b.x + b.vx, b.y + b.vy
        if b.x < 0 or b.x > 420 - BALL then b.vx = -b.vx end
        if b.y < 0 or b.y > H - BALL then b.vy = -b.vy end
        z.blit(ball, b.x, b.y)
    end
end

-- The panel: radar lines, pulsing circles, rectangles and turning triangles,
-- one of each kind and style, drawn onto the panel's own surface.
local function draw_panel(t)
    z.fill(0, 0, 0, 0, 10, 20, 15, 230, panel)
    local cx, cy = PANEL_W / 2, PANEL_H / 2
    -- kind 1: a rectangle frame (style 0) and a translucent box (style 2)
    z.draw(2, 2, PANEL_W - 3, PANEL_H - 3, 60, 255, 120, 255, 1, 0, panel)
    local bw = 30 + 20 * sin(t * 2)
    z.draw(cx - bw, cy - bw, cx + bw, cy + bw, 40, 120, 255, 90, 1, 2, panel)
    -- kind 2: a filled core (style 2), a ring (style 0) and a smooth ring (style 1)
    z.draw(cx, cy, 8 + 4 * sin(t * 6), 0, 255, 80, 80, 255, 2, 2, panel)
    z.draw(cx, cy, 70, 0, 60, 200, 90, 255, 2, 0, panel)
    z.draw(cx, cy, 45 + 10 * sin(t * 3), 0, 120, 255, 160, 255, 2, 1, panel)
    -- kind 0: the sweeping beam (style 1) and its fading trail (style 0)
    for i = 0, 5 do
        local a = t * 2 - i * 0.08
        local alpha = 255 - i * 40
        z.draw(cx, cy, cx + 90 * cos(a), cy + 90 * sin(a), 120, 255, 140, alpha, 0, i == 0 and 1 or 0,
            panel)
    end
    -- triangles: filled, anti-aliased outline and plain outline, turning
    for s = 0, 2 do
        local a = t * (1 + s * 0.5) + s * 2 * pi / 3
        local px, py = cx + 60 * cos(a), cy + 60 * sin(a)
        local r = 14
        local function corner(k)
            local ang = a * 2 + k * 2 * pi / 3
            return px + r * cos(ang), py + r * sin(ang)
        end
        local x1, y1 = corner(0)
        local x2, y2 = corner(1)
        local x3, y3 = corner(2)
        z.drawTri(x1, y1, x2, y2, x3, y3, 255, 200 - 60 * s, 60 * s, 255, 2 - s, panel)
    end
    z.blit(panel, W - PANEL_W - 16, 16)
end

local function ships(t)
    for i = 0, 2 do
        local x = (t * 90 + i * 230) % (W + 40) - 40
        z.blit(ship, x, 380 + 25 * sin(t * 2 + i))
    end
    -- A hill of lines on the ground, plain then smooth.
    for i = 0, 15 do
        local x = i * 40
        z.draw(x, 470, x + 20, 440 + 10 * sin(t + i), 150, 230, 150, 255, 0, i % 2)
    end
end

local running, t = true, 0
while running and frames_left > 0 do
    local ev, a, b, c = z.input()
    while ev ~= keys.event.none do
        if ev == keys.event.keydown and a == keys.escape then
            running = false
        elseif ev == keys.event.keydown then
            print("key down", a)
        elseif ev == keys.event.mousedown then
            print("click", a, b, "button", c)
        end
        ev, a, b, c = z.input()
    end

    sky(t)
    starfield(t)
    move_balls()
    draw_panel(t)
    ships(t)

    z.flip()
    -- The animation follows the clock: dt is the time the frame took.
    local dt = z.timer(60)
    t = t + (dt > 0 and dt < 0.25 and dt or 1 / 60)
    frames_left = frames_left - 1
end

z.freeSurf(ball)
z.freeSurf(tile)
z.freeSurf(ship)
z.freeSurf(panel)
z.quit()
