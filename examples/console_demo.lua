-- The console demo: a walker finds its way through a maze drawn in
-- character cells, keeping its left hand on the wall and leaving a fading
-- trail; at the exit a new maze is dug. Space digs a new maze at once;
-- Escape or closing the window quits. "--frames N" stops it after N frames.
local z = require "zedodava"

local frames_left = math.huge
for i = 1, #arg do
    if arg[i] == "--frames" then frames_left = tonumber(arg[i + 1]) or 0 end
end

local FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"
local COLS, ROWS = 80, 25
local W, H = 79, 23 -- the maze: odd sizes, walls on every even line
local ESCAPE, SPACE = 27, 32

z.curses_init(COLS, ROWS, FONT, 16)

local wall, heat = {}, {}
local function idx(x, y) return y * W + x end

-- Digs a perfect maze with a depth-first walk from the top-left room.
local function dig()
    for i = 0, W * H - 1 do wall[i], heat[i] = true, 0 end
    local stack = { { 1, 1 } }
    wall[idx(1, 1)] = false
    local dirs = { { 2, 0 }, { -2, 0 }, { 0, 2 }, { 0, -2 } }
    while #stack > 0 do
        local top = stack[#stack]
        local x, y = top[1], top[2]
        local open = {}
        for _, d in ipairs(dirs) do
            local nx, ny = x + d[1], y + d[2]
            if nx > 0 and nx < W - 1 and ny > 0 and ny < H - 1 and wall[idx(nx, ny)] then
                open[#open + 1] = d
            end
        end
        if #open == 0 then
            stack[#stack] = nil
        else
            local d = open[math.random(#open)]
            wall[idx(x + d[1] / 2, y + d[2] / 2)] = false
            wall[idx(x + d[1], y + d[2])] = false
            stack[#stack + 1] = { x + d[1], y + d[2] }
        end
    end
    -- Walls dark blue on black, floor plain black.
    z.curses_fill(0, 0, COLS, ROWS, " ", 200, 200, 200, 0, 0, 0)
    for y = 0, H - 1 do
        for x = 0, W - 1 do
            if wall[idx(x, y)] then
                z.curses_fill(x, y, 1, 1, "#", 60, 90, 200, 10, 20, 60)
            end
        end
    end
    z.curses_fill(W - 2, H - 2, 1, 1, "X", 255, 80, 80, 0, 0, 0)
    z.curses_fill(0, ROWS - 2, COLS, 2, " ", 230, 230, 230, 30, 30, 30)
end

-- The walker: position and heading (0 east, 1 south, 2 west, 3 north).
local DX, DY = { [0] = 1, 0, -1, 0 }, { [0] = 0, 1, 0, -1 }
local wx, wy, heading, mazes, steps

local function new_maze()
    dig()
    wx, wy, heading, steps = 1, 1, 0, 0
    mazes = (mazes or 0) + 1
end

local function free(x, y) return not wall[idx(x, y)] end

-- Left hand on the wall: turn left if open, else ahead, else right, else back.
local function step()
    for _, turn in ipairs({ 3, 0, 1, 2 }) do
        local h = (heading + turn) % 4
        if free(wx + DX[h], wy + DY[h]) then
            heading, wx, wy = h, wx + DX[h], wy + DY[h]
            steps = steps + 1
            return
        end
    end
end

local function status(text)
    text = text .. string.rep(" ", COLS - #text)
    for i = 1, COLS do z.curses_addch(text:sub(i, i), i - 1, ROWS - 1) end
end

math.randomseed(7)
new_maze()

local running, frame, fps = true, 0, 0
while running and frames_left > 0 do
    local ev, a = z.input()
    while ev ~= 0 do
        if ev == 1 and a == ESCAPE then
            running = false
        elseif ev == 1 and a == SPACE then
            new_maze()
        end
        ev, a = z.input()
    end

    -- The trail cools one step a frame; the walker leaves a hot cell.
    for i, t in pairs(heat) do
        if t > 0 then
            heat[i] = t - 4
            local x, y = i % W, math.floor(i / W)
            local g = math.max(heat[i], 0)
            z.curses_fill(x, y, 1, 1, ".", 40, 40 + g, 40, 0, g / 2, 0)
        end
    end
    step()
    heat[idx(wx, wy)] = 200
    z.curses_fill(wx, wy, 1, 1, "@", 255, 230, 0, 0, 90, 0)
    if wx == W - 2 and wy == H - 2 then new_maze() end

    status(string.format(" maze %d  step %d  frame %d  fps %d   Space: new maze  Esc: quit",
        mazes, steps, frame, fps))
    z.curses_refresh()
    z.flip()
    local _
    _, fps = z.timer(30)
    frame = frame + 1
    frames_left = frames_left - 1
end

z.quit()
