-- Delve: a small dungeon crawl in the character-cell console. Walk the
-- rooms, pick up the gold ($) and take the stairs (>) down to the next,
-- deeper level. Your torch lights what is near; what you have seen stays on
-- the map, dimmed.
--
--   arrow keys                  walk (hold to keep walking)
--   A                           let the computer walk (and take over again)
--   Escape, or close the window quit
--
--   luajit examples/roguelike.lua               play
--   luajit examples/roguelike.lua --frames 600  the computer plays 600 frames, then quits
local z = require "zedodava"
local keys = require "zedodava.keys"

local max_frames, autopilot = math.huge, false
for i = 1, #arg do
    if arg[i] == "--frames" then
        max_frames, autopilot = tonumber(arg[i + 1]) or 0, true
    end
end

local FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"
local COLS, ROWS = 80, 25 -- the console: a status line, the map, two lines of text
local MAP_W, MAP_H, MAP_TOP = 80, 22, 1
local TORCH = 7 -- how far the player sees, in cells

-- The window is sized from the font: COLS cells wide, ROWS cells high.
z.curses_init(COLS, ROWS, FONT, 16)

-- Our own random numbers, so that every Lua version digs the same dungeon.
local seed = 2024
local function random(n) -- a whole number from 0 to n - 1
    seed = seed * 16807 % 2147483647
    return seed % n
end

---------------------------------------------------------------------------
-- The level: a grid of tiles, "#" for rock and "." for floor, stored in one
-- table by cell index, with the gold and the stairs beside it.

local function idx(x, y) return y * MAP_W + x end

local tiles, seen, lit = {}, {}, {}
local gold = {} -- gold[idx] = how much lies there
local stairs_x, stairs_y
local px, py -- the player
local depth, purse, turns = 0, 0, 0
local message = ""

local function floor_at(x, y)
    return x >= 0 and y >= 0 and x < MAP_W and y < MAP_H and tiles[idx(x, y)] == "."
end

local function carve(x1, y1, x2, y2)
    for y = math.min(y1, y2), math.max(y1, y2) do
        for x = math.min(x1, x2), math.max(x1, x2) do tiles[idx(x, y)] = "." end
    end
end

-- Rooms placed at random where they fit, each joined to the one before by
-- an L-shaped corridor.
local function dig_level()
    depth = depth + 1
    for i = 0, MAP_W * MAP_H - 1 do tiles[i], seen[i] = "#", false end
    gold = {}
    local rooms = {}
    for _ = 1, 300 do
        local w, h = 5 + random(10), 3 + random(5)
        local x, y = 1 + random(MAP_W - w - 2), 1 + random(MAP_H - h - 2)
        local fits = true
        for _, r in ipairs(rooms) do
            if x <= r.x + r.w + 1 and r.x <= x + w + 1 and y <= r.y + r.h + 1 and r.y <= y + h + 1 then
                fits = false
            end
        end
        if fits then
            carve(x, y, x + w - 1, y + h - 1)
            local room = {x = x, y = y, w = w, h = h, cx = x + math.floor(w / 2), cy = y + math.floor(h / 2)}
            local last = rooms[#rooms]
            if last then
                if random(2) == 0 then
                    carve(last.cx, last.cy, room.cx, last.cy)
                    carve(room.cx, last.cy, room.cx, room.cy)
                else
                    carve(last.cx, last.cy, last.cx, room.cy)
                    carve(last.cx, room.cy, room.cx, room.cy)
                end
            end
            rooms[#rooms + 1] = room
            if #rooms == 9 then break end
        end
    end
    -- Start in the first room, stairs in the last, gold in the others.
    px, py = rooms[1].cx, rooms[1].cy
    stairs_x, stairs_y = rooms[#rooms].cx, rooms[#rooms].cy
    for i = 2, #rooms - 1 do
        local r = rooms[i]
        gold[idx(r.x + random(r.w), r.y + random(r.h))] = 5 + random(20) + depth * 5
    end
end

---------------------------------------------------------------------------
-- Sight: a cell is lit when it is near enough and the straight line to it
-- crosses no rock.

local function line_clear(x1, y1, x2, y2)
    local dx, dy = math.abs(x2 - x1), math.abs(y2 - y1)
    local sx, sy = x1 < x2 and 1 or -1, y1 < y2 and 1 or -1
    local err = dx - dy
    while x1 ~= x2 or y1 ~= y2 do
        if not floor_at(x1, y1) then return false end
        local e2 = 2 * err
        if e2 > -dy then err, x1 = err - dy, x1 + sx end
        if e2 < dx then err, y1 = err + dx, y1 + sy end
    end
    return true
end

local function look()
    lit = {}
    for y = math.max(0, py - TORCH), math.min(MAP_H - 1, py + TORCH) do
        for x = math.max(0, px - TORCH), math.min(MAP_W - 1, px + TORCH) do
            local d2 = (x - px) ^ 2 + (y - py) ^ 2
            if d2 <= TORCH * TORCH and line_clear(px, py, x, y) then
                lit[idx(x, y)] = 1 - math.sqrt(d2) / (TORCH + 1) -- brightness
                seen[idx(x, y)] = true
            end
        end
    end
end

---------------------------------------------------------------------------
-- Drawing into the cell grid. The grid keeps what is written into it, so
-- the map is rewritten only after something changed; curses_refresh then
-- paints the grid on the window each frame.

-- Writes text from cell x on row y in one colour, over the background that
-- is already there.
local function write(x, y, text, r, g, b)
    for i = 1, #text do
        z.curses_addch(text:sub(i, i), x + i - 1, y)
        z.curses_setcol(x + i - 1, y, r, g, b) -- the foreground only
    end
end

-- A rock cell is drawn as wall only where it borders floor.
local function is_wall(x, y)
    for dy = -1, 1 do
        for dx = -1, 1 do
            if floor_at(x + dx, y + dy) then return true end
        end
    end
    return false
end

local function draw_cell(x, y)
    local i = idx(x, y)
    local light = lit[i]
    local ch, r, g, b, br, bg, bb = " ", 0, 0, 0, 0, 0, 0
    if light or seen[i] then
        if tiles[i] == "#" then
            if is_wall(x, y) then ch, r, g, b, br, bg, bb = "#", 110, 120, 200, 20, 22, 50 end
        elseif x == stairs_x and y == stairs_y then
            ch, r, g, b = ">", 255, 255, 255
        elseif gold[i] then
            ch, r, g, b = "$", 255, 215, 0
        else
            ch, r, g, b = ".", 190, 170, 130
        end
        -- Lit cells by the torch's brightness, remembered ones dim and blue.
        local k = light and (0.5 + 0.5 * light) or 0.3
        r, g, b = r * k, g * k, (light and b * k or b * 0.45 + 40)
        br, bg, bb = br * k, bg * k, bb * k
        if light then br, bg, bb = br + 70 * light, bg + 45 * light, bb + 10 * light end -- a warm glow
    end
    if ch == " " then r, g, b = 0, 0, 0 end
    z.curses_fill(x, y + MAP_TOP, 1, 1, ch, r, g, b, br, bg, bb)
end

local function draw()
    for y = 0, MAP_H - 1 do
        for x = 0, MAP_W - 1 do draw_cell(x, y) end
    end
    z.curses_fill(px, py + MAP_TOP, 1, 1, "@", 255, 255, 80, 120, 30, 0)

    z.curses_fill(0, 0, COLS, 1, " ", 0, 0, 0, 30, 30, 60)
    write(1, 0, string.format("Depth %d   Gold %d   Turns %d", depth, purse, turns), 230, 230, 255)
    if autopilot then write(COLS - 10, 0, "autopilot", 120, 255, 140) end
    z.curses_fill(0, ROWS - 2, COLS, 2, " ", 0, 0, 0, 0, 0, 0)
    write(1, ROWS - 2, message, 255, 220, 160)
    write(1, ROWS - 1, "arrows: walk   A: autopilot   Esc: quit", 110, 110, 140)
end

---------------------------------------------------------------------------
-- Moving. Every step is a turn; stepping on gold picks it up, stepping on
-- the stairs digs the next level.

local function new_level()
    dig_level()
    look()
    message = depth == 1 and "You enter the dungeon. Find the stairs (>)."
        or string.format("You go down the stairs to depth %d.", depth)
end

local function step(dx, dy)
    if not floor_at(px + dx, py + dy) then return false end
    px, py, turns = px + dx, py + dy, turns + 1
    local i = idx(px, py)
    if gold[i] then
        purse = purse + gold[i]
        message = string.format("You pick up %d gold pieces.", gold[i])
        gold[i] = nil
    end
    if px == stairs_x and py == stairs_y then
        new_level()
    else
        look()
    end
    return true
end

local DIRS = {
    [keys.up] = {0, -1}, [keys.down] = {0, 1}, [keys.left] = {-1, 0}, [keys.right] = {1, 0},
}

-- The autopilot: a breadth-first search over the floor from the player to
-- the nearest gold, or to the stairs once the gold is gone; it returns the
-- first step of that path.
local function next_step()
    local target
    if next(gold) then
        target = function(i) return gold[i] end
    else
        local s = idx(stairs_x, stairs_y)
        target = function(i) return i == s end
    end
    local start = idx(px, py)
    local first = {[start] = false} -- the first step taken to reach each cell
    local queue, head = {start}, 1
    while queue[head] do
        local i = queue[head]
        head = head + 1
        if target(i) then return first[i] end
        local x, y = i % MAP_W, math.floor(i / MAP_W)
        for _, d in ipairs({{0, -1}, {1, 0}, {0, 1}, {-1, 0}}) do
            local j = idx(x + d[1], y + d[2])
            if first[j] == nil and floor_at(x + d[1], y + d[2]) then
                first[j] = first[i] or d
                queue[#queue + 1] = j
            end
        end
    end
end

---------------------------------------------------------------------------
-- The frame loop, 30 frames a second.

new_level()
local held = {} -- for each arrow, how many frames it has been held
local running, frame, dirty = true, 0, true
while running and frame < max_frames do
    local ev, a = z.input()
    while ev ~= keys.event.none do
        if ev == keys.event.keydown then
            if a == keys.escape then
                running = false
            elseif a == keys.a then
                autopilot, dirty = not autopilot, true
            elseif DIRS[a] and not autopilot then
                step(DIRS[a][1], DIRS[a][2])
                dirty = true
            end
        end
        ev, a = z.input()
    end

    if autopilot then
        if frame % 3 == 0 then
            local d = next_step()
            if d then step(d[1], d[2]) end
            dirty = true
        end
    else
        -- A held arrow walks on by itself after a short pause.
        for key, d in pairs(DIRS) do
            held[key] = z.isKeyDown(key) and (held[key] or 0) + 1 or 0
            if held[key] > 8 and held[key] % 3 == 0 then
                step(d[1], d[2])
                dirty = true
            end
        end
    end

    if dirty then
        draw()
        dirty = false
    end
    z.curses_refresh()
    z.flip()
    z.timer(30)
    frame = frame + 1
end

print(string.format("final: depth %d, gold %d, turns %d", depth, purse, turns))
z.quit()
