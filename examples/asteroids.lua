-- Asteroids: turn, thrust and shoot the rocks apart before they hit you.
--
-- The calls of zedodava.extra in a game: the ship's 16 headings made once
-- with transform and drawn as frames of one sprite sheet (blitPart), rocks
-- of three sizes from one sprite (blitScaled), explosions that fade out
-- (blitAlpha), text centred with textSize, a window title, music faded out
-- at game over, a high-score name typed in (textInput, typed) and the
-- scores saved when the window is closed (catchClose).
--
--   Left / Right   turn            Up      thrust
--   Space          fire            F12     save a screenshot (asteroids.png)
--   Escape, or close the window   save the scores and quit
--
--   luajit examples/asteroids.lua                  play
--   luajit examples/asteroids.lua --frames 900     the computer plays, types its name, quits
--   ... --scores FILE   the high-score file (default ~/.zedodava-asteroids; with
--                       --frames, none unless given)
local z = require "zedodava"
local x = require "zedodava.extra"
local keys = require "zedodava.keys"

local max_frames, autopilot, scores_path = math.huge, false, nil
for i = 1, #arg do
    if arg[i] == "--frames" then max_frames, autopilot = tonumber(arg[i + 1]) or 0, true end
    if arg[i] == "--scores" then scores_path = arg[i + 1] end
end
if not autopilot and not scores_path then scores_path = (os.getenv("HOME") or ".") .. "/.zedodava-asteroids" end

local W, H = 640, 480
local FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
z.init(W, H)
x.setTitle("Asteroids")
x.catchClose(true)

-- The same rocks and stars on every run and interpreter.
local seed = 12345
local function rnd(lo, hi)
    seed = seed * 16807 % 2147483647 -- exact in floats and in integers alike
    return lo + (hi - lo) * seed / 2147483647
end

---------------------------------------------------------------------------
-- Sound: a shot, a bang and a looping tune, written as WAV files at start-up.

local function u16(n) return string.char(n % 256, math.floor(n / 256) % 256) end
local function u32(n) return u16(n % 65536) .. u16(math.floor(n / 65536)) end
local function wav(notes, seconds, level, noise)
    local rate, out, phase = 22050, {}, 0
    local n = math.floor(rate * seconds)
    for i = 0, n - 1 do
        local note = notes[math.floor(i / n * #notes) + 1]
        phase = phase + 2 * math.pi * note / rate
        local t = (i % (n / #notes)) / rate
        local v = noise and rnd(-1, 1) or math.sin(phase)
        out[#out + 1] = u16(math.floor(level * math.exp(-t * 6) * v * 32767) % 65536)
    end
    local data, path = table.concat(out), os.tmpname()
    local f = assert(io.open(path, "wb"))
    f:write("RIFF", u32(36 + #data), "WAVE", "fmt ", u32(16), u16(1), u16(1), u32(rate), u32(rate * 2),
            u16(2), u16(16), "data", u32(#data), data)
    f:close()
    return path
end
local function sound(path, music)
    local s = music and z.loadMusic(path) or z.loadSound(path)
    os.remove(path)
    return s
end
local shot_snd = sound(wav({ 1760, 1320 }, 0.08, 0.3))
local bang_snd = sound(wav({ 100 }, 0.4, 0.5, true))
local tune = sound(wav({ 220, 277, 330, 440, 330, 277, 196, 247 }, 2.4, 0.25), true)
x.soundVolume(shot_snd, 48)

---------------------------------------------------------------------------
-- Sprites: the ship pointing right, turned 16 ways into one sheet; a rock;
-- a glow for explosions; the star field.

local function blank(w, h)
    local s = z.makeSurf(w, h)
    z.fill(0, 0, 0, 0, 0, 0, 0, 0, s)
    return s
end
local ship = blank(24, 24)
z.drawTri(22, 12, 2, 3, 2, 21, 120, 200, 255, 255, 2, ship)
z.drawTri(22, 12, 2, 3, 2, 21, 220, 240, 255, 255, 1, ship)
z.drawTri(8, 12, 2, 8, 2, 16, 40, 80, 160, 255, 2, ship)

-- A blit blends onto the sheet but keeps the sheet's own alpha (clear), so
-- each turned ship is copied in pixel by pixel, alpha and all.
local CELL, HEADINGS = 36, 16
local sheet = blank(CELL * HEADINGS, CELL)
for i = 0, HEADINGS - 1 do
    local turned, w, h = x.transform(ship, i * 360 / HEADINGS, 1, 1, true)
    local left, top = i * CELL + math.floor((CELL - w) / 2), math.floor((CELL - h) / 2)
    for py = 0, h - 1 do
        for px = 0, w - 1 do
            local r, g, b, a = x.getpix(px, py, turned)
            z.putpix(left + px, top + py, r, g, b, a, sheet)
        end
    end
    z.freeSurf(turned)
end

local rock = blank(32, 32)
z.draw(16, 16, 15, 0, 130, 110, 90, 255, 2, 2, rock)
z.draw(16, 16, 15, 0, 170, 150, 120, 255, 2, 1, rock)
z.draw(10, 11, 4, 0, 95, 80, 65, 255, 2, 2, rock)
z.draw(21, 20, 3, 0, 95, 80, 65, 255, 2, 2, rock)
z.draw(20, 9, 2, 0, 95, 80, 65, 255, 2, 2, rock)

local glow = blank(48, 48)
for r = 23, 1, -2 do
    z.draw(24, 24, r, 0, 255, 140 + 5 * (23 - r), 60 + 4 * (23 - r), 70 + 8 * (23 - r), 2, 2, glow)
end

local sky = z.makeSurf(W, H)
z.fill(0, 0, 0, 0, 5, 5, 20, 255, sky)
for _ = 1, 150 do
    local c = math.floor(rnd(80, 255))
    z.putpix(rnd(0, W), rnd(0, H), c, c, c, 255, sky)
end

local hud = z.loadFont(FONT, 16)
local big = z.loadFont(FONT, 40)
x.fontStyle(big, 1) -- bold
local function centred(font, text, y, r, g, b)
    local w = x.textSize(font, text)
    z.printFont(font, text, r, g, b, math.floor((W - w) / 2), y)
end

---------------------------------------------------------------------------
-- The game.

local SIZES = { 48, 32, 18 } -- rock sizes: big, medium, small
local ship_x, ship_y, vx, vy, heading, lives, score, wave
local rocks, bullets, booms, state, safe, cooldown, name = {}, {}, {}, "play", 0, 0, ""
local scores = {} -- the high scores: { score =, name = }, best first

local function wrap(v, max) return (v + max) % max end

local function new_wave()
    wave = wave + 1
    for _ = 1, 2 + wave do
        local a = rnd(0, 2 * math.pi)
        rocks[#rocks + 1] = { x = wrap(ship_x + math.cos(a) * 220, W), y = wrap(ship_y + math.sin(a) * 200, H),
                              vx = rnd(-1.2, 1.2), vy = rnd(-1.2, 1.2), size = 1 }
    end
end

local function new_game()
    ship_x, ship_y, vx, vy, heading, lives, score, wave = W / 2, H / 2, 0, 0, 0, 3, 0, 0
    rocks, bullets, booms, state, safe = {}, {}, {}, "play", 120
    new_wave()
    z.playMusic(tune, -1)
end

local function explode(px, py, size)
    booms[#booms + 1] = { x = px, y = py, t = 0, size = size }
    z.playSound(bang_snd, 0)
end

local function fire()
    local a = heading * 2 * math.pi / HEADINGS
    bullets[#bullets + 1] = { x = ship_x, y = ship_y, vx = vx + math.cos(a) * 7, vy = vy - math.sin(a) * 7, t = 50 }
    z.playSound(shot_snd, 0)
    cooldown = 8
end

local atan2 = math.atan2 or math.atan -- two arguments from 5.3 on
-- The autopilot: turn toward the nearest rock, shoot when facing it, and
-- thrust away when it comes close.
local function pilot()
    local best, bd = nil, math.huge
    for _, r in ipairs(rocks) do
        local d = (r.x - ship_x) ^ 2 + (r.y - ship_y) ^ 2
        if d < bd then best, bd = r, d end
    end
    if not best then return 0, false, false end
    local want = math.floor(atan2(ship_y - best.y, best.x - ship_x) * HEADINGS / (2 * math.pi) + 0.5) % HEADINGS
    local diff = (want - heading) % HEADINGS
    local turn = diff == 0 and 0 or (diff < HEADINGS / 2 and 1 or -1)
    return turn, diff == 0, bd < 90 * 90
end

local function hit(a, b, r) return (a.x - b.x) ^ 2 + (a.y - b.y) ^ 2 < r * r end

local turn_step = 0
local function update(frame)
    local turn, shoot, thrust = 0, false, false
    if autopilot then
        turn, shoot, thrust = pilot()
        if frame % 3 ~= 0 then turn = 0 end
    else
        turn = (z.isKeyDown(keys.left) and 1 or 0) - (z.isKeyDown(keys.right) and 1 or 0)
        shoot, thrust = z.isKeyDown(keys.space), z.isKeyDown(keys.up)
        turn_step = turn_step + 1
        if turn_step % 3 ~= 0 then turn = 0 end
    end
    heading = (heading + turn) % HEADINGS
    local a = heading * 2 * math.pi / HEADINGS
    if thrust then vx, vy = vx + math.cos(a) * 0.15, vy - math.sin(a) * 0.15 end
    vx, vy = vx * 0.99, vy * 0.99
    ship_x, ship_y = wrap(ship_x + vx, W), wrap(ship_y + vy, H)
    cooldown, safe = cooldown - 1, safe - 1
    if shoot and cooldown <= 0 then fire() end

    for i = #bullets, 1, -1 do
        local b = bullets[i]
        b.x, b.y, b.t = wrap(b.x + b.vx, W), wrap(b.y + b.vy, H), b.t - 1
        if b.t <= 0 then table.remove(bullets, i) end
    end
    for i = #rocks, 1, -1 do
        local r = rocks[i]
        r.x, r.y = wrap(r.x + r.vx, W), wrap(r.y + r.vy, H)
        local radius = SIZES[r.size] / 2
        for j = #bullets, 1, -1 do
            if rocks[i] == r and hit(r, bullets[j], radius) then
                table.remove(bullets, j)
                table.remove(rocks, i)
                explode(r.x, r.y, SIZES[r.size])
                score = score + 10 * r.size
                if r.size < #SIZES then
                    for _ = 1, 2 do
                        rocks[#rocks + 1] = { x = r.x, y = r.y, vx = r.vx + rnd(-1.5, 1.5), vy = r.vy + rnd(-1.5, 1.5),
                                              size = r.size + 1 }
                    end
                end
            end
        end
        if rocks[i] == r and safe <= 0 and hit(r, { x = ship_x, y = ship_y }, radius + 9) then
            explode(ship_x, ship_y, 60)
            lives, safe = lives - 1, 120
            ship_x, ship_y, vx, vy = W / 2, H / 2, 0, 0
        end
    end
    if #rocks == 0 then new_wave() end
end

-- Game over: the music fades, the player types a name (the autopilot types
-- its own), Return keeps it.
local function game_over()
    state, name = "name", ""
    x.fadeMusic(1500)
    x.textInput(true)
end

local function draw(frame)
    z.blit(sky, 0, 0)
    for _, r in ipairs(rocks) do
        local s = SIZES[r.size]
        x.blitScaled(rock, r.x - s / 2, r.y - s / 2, s, s)
    end
    for _, b in ipairs(bullets) do z.fill(b.x - 1, b.y - 1, 3, 3, 255, 255, 180, 255) end
    for i = #booms, 1, -1 do
        local e = booms[i]
        e.t = e.t + 1
        local opacity = math.floor(255 * (1 - e.t / 40))
        if opacity <= 0 then
            table.remove(booms, i)
        else
            x.blitAlpha(glow, e.x - 24, e.y - 24, opacity)
            z.draw(e.x, e.y, e.size / 2 + e.t, 0, 255, 200, 120, opacity, 2, 1)
        end
    end
    if state == "play" and (safe <= 0 or frame % 8 < 4) then
        x.blitPart(sheet, heading * CELL, 0, CELL, CELL, ship_x - CELL / 2, ship_y - CELL / 2)
    end
    z.printFont(hud, string.format("Score %d   Wave %d   Ships %d", score, wave, lives), 230, 230, 255, 10, 8)
    if state == "name" then
        centred(big, "GAME OVER", 150, 255, 120, 80)
        centred(hud, "Type your name, then Return", 215, 200, 200, 220)
        centred(big, name .. (frame % 40 < 20 and "_" or " "), 250, 255, 255, 255)
    elseif state == "table" then
        centred(big, "HIGH SCORES", 120, 255, 220, 120)
        for i, row in ipairs(scores) do
            centred(hud, string.format("%d. %-10s %6d", i, row.name, row.score), 160 + 24 * i, 230, 230, 255)
        end
    end
end

-- The high-score file: one "score name" a line, best first, five kept.
local function load_scores()
    local f = scores_path and io.open(scores_path)
    if not f then return end
    for line in f:lines() do
        local s, n = line:match("^(%d+) (.*)$")
        if s then scores[#scores + 1] = { score = tonumber(s), name = n } end
    end
    f:close()
end
local function keep_score()
    if state ~= "name" and state ~= "table" then return end
    if state == "name" then
        table.insert(scores, { score = score, name = name == "" and "?" or name })
        table.sort(scores, function(a, b) return a.score > b.score end)
        while #scores > 5 do table.remove(scores) end
        state = "table"
        x.textInput(false)
    end
end
local function save_scores()
    keep_score()
    local f = scores_path and io.open(scores_path, "w")
    if not f then return end
    for _, row in ipairs(scores) do f:write(string.format("%d %s\n", row.score, row.name)) end
    f:close()
end

load_scores()
new_game()
local running, frame, typed_at = true, 0, 0
-- The autopilot plays for most of its frames, then loses and types.
local give_up = autopilot and math.floor(max_frames * 0.6) or math.huge
while running and frame < max_frames do
    local ev, a = z.input()
    while ev ~= keys.event.none do
        if ev == 5 then -- the window was closed: keep the scores, then go
            running = false
        elseif ev == keys.event.keydown then
            if a == keys.escape then
                running = false
            elseif a == keys.f12 then
                x.saveImage(nil, "asteroids.png")
            elseif state == "name" and a == keys.backspace then
                name = name:sub(1, -2)
            elseif state == "name" and a == keys["return"] then
                keep_score()
            elseif state == "name" and x.typed() and #name < 10 then
                name = name .. x.typed()
            end
        end
        ev, a = z.input()
    end

    if state == "play" then
        update(frame)
        if lives == 0 or frame >= give_up then game_over() end
    elseif state == "name" and autopilot and frame - give_up > 20 and frame % 12 == 0 then
        typed_at = typed_at + 1
        if typed_at <= 5 then name = name .. ("PILOT"):sub(typed_at, typed_at) else keep_score() end
    end
    draw(frame)
    z.flip()
    z.timer(60)
    frame = frame + 1
end

save_scores()
print(string.format("asteroids: %s scored %d in wave %d", name ~= "" and name or "nobody", score, wave))
z.freeSurf(ship) z.freeSurf(sheet) z.freeSurf(rock) z.freeSurf(glow) z.freeSurf(sky)
z.freeFont(hud) z.freeFont(big)
z.freeSound(shot_snd) z.freeSound(bang_snd) z.freeMusic(tune)
z.quit()
