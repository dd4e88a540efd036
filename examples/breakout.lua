-- Breakout: clear the wall of bricks with the ball, and keep the ball in
-- play with the paddle.
--
-- A whole zedodava game in one file: a frame loop paced at 60 frames per
-- second, keyboard and mouse input, shapes, a sprite drawn pixel by pixel at
-- start-up, text in a TrueType font, and sound effects that the script
-- writes itself as WAV files.
--
--   Left / Right or the mouse   move the paddle
--   Space                       launch the ball
--   A                           let the computer play (and take over again)
--   Escape, or close the window quit
--
--   luajit examples/breakout.lua               play
--   luajit examples/breakout.lua --frames 600  the computer plays 600 frames, then quits
local z = require "zedodava"
local keys = require "zedodava.keys"

local max_frames, autopilot = math.huge, false
for i = 1, #arg do
    if arg[i] == "--frames" then
        max_frames, autopilot = tonumber(arg[i + 1]) or 0, true
    end
end

local W, H = 640, 480
local FONTS = "/usr/share/fonts/truetype/dejavu/"

z.init(W, H)

---------------------------------------------------------------------------
-- Sound effects: short tones written as 16-bit mono WAV files, loaded into
-- memory, and the files removed again. With no audio device loadSound gives
-- nil, playSound(nil) does nothing, and the game runs silently.

local function u16(n) return string.char(n % 256, math.floor(n / 256) % 256) end
local function u32(n) return u16(n % 65536) .. u16(math.floor(n / 65536)) end

-- A tone sliding from freq1 to freq2 Hz, with a quick attack and a decay.
local function tone(freq1, freq2, seconds, level)
    local rate = 22050
    local n = math.floor(rate * seconds)
    local bytes, phase = {}, 0
    for i = 0, n - 1 do
        local t = i / rate
        phase = phase + 2 * math.pi * (freq1 + (freq2 - freq1) * i / n) / rate
        local v = level * math.min(1, t * 400) * math.exp(-t * 30) * math.sin(phase)
        bytes[#bytes + 1] = u16(math.floor(v * 32767) % 65536)
    end
    local data = table.concat(bytes)
    local path = os.tmpname()
    local f = assert(io.open(path, "wb"))
    f:write("RIFF", u32(36 + #data), "WAVE",
            "fmt ", u32(16), u16(1), u16(1), u32(rate), u32(rate * 2), u16(2), u16(16),
            "data", u32(#data), data)
    f:close()
    local sound = z.loadSound(path)
    os.remove(path)
    return sound
end

local sounds = {
    paddle = tone(440, 660, 0.10, 0.5),
    brick = tone(990, 990, 0.08, 0.4),
    wall = tone(220, 220, 0.05, 0.3),
    lost = tone(330, 80, 0.50, 0.6),
}

---------------------------------------------------------------------------
-- The ball sprite: a 16x16 surface, transparent around a shaded disc whose
-- edge pixels are partly transparent, so that blit blends it smoothly.

local BALL = 16
local R = BALL / 2
local ball_sprite = z.makeSurf(BALL, BALL)
z.fill(0, 0, 0, 0, 0, 0, 0, 0, ball_sprite) -- width 0: the whole surface
for y = 0, BALL - 1 do
    for x = 0, BALL - 1 do
        local dx, dy = x + 0.5 - R, y + 0.5 - R
        local d = math.sqrt(dx * dx + dy * dy)
        if d < R then
            -- Lit from the top left: brighter towards that side.
            local light = math.max(0, 1 - math.sqrt((dx + 3) ^ 2 + (dy + 3) ^ 2) / (BALL * 0.8))
            local alpha = math.min(1, (R - d) * 1.5)
            z.putpix(x, y, 160 + 95 * light, 180 + 75 * light, 200 + 55 * light, 255 * alpha,
                     ball_sprite)
        end
    end
end

---------------------------------------------------------------------------
-- Fonts and the texts that never change, rendered once into surfaces
-- ("keep" mode) and blitted each frame.

local hud_font = z.loadFont(FONTS .. "DejaVuSansMono-Bold.ttf", 18)
local big_font = z.loadFont(FONTS .. "DejaVuSans-Bold.ttf", 40)
local help_font = z.loadFont(FONTS .. "DejaVuSans.ttf", 15)

local function keep(font, text, r, g, b)
    local surface, w, h = z.printFont(font, text, r, g, b, 0, 0, nil, true)
    return {surface = surface, w = w, h = h}
end
local banners = {
    serve = keep(help_font, "Space launches the ball   A: autopilot   Esc: quit", 200, 210, 230),
    over = keep(big_font, "GAME OVER", 255, 90, 80),
    clear = keep(big_font, "LEVEL CLEAR", 120, 255, 140),
}

local function show_centred(banner, y)
    z.blit(banner.surface, math.floor((W - banner.w) / 2), y)
end

---------------------------------------------------------------------------
-- A small random generator of our own, so that every Lua version plays the
-- same game from the same seed.

local seed = 12345
local function random(n) -- a whole number from 0 to n - 1
    seed = seed * 16807 % 2147483647
    return seed % n
end

---------------------------------------------------------------------------
-- The game state.

local TOP = 50 -- the score bar above the playfield
local COLS, ROWS = 10, 6
local BRICK_W, BRICK_H, GAP = 56, 20, 4
local ROW_COLOURS = {
    {230, 70, 70}, {240, 150, 50}, {240, 220, 60},
    {90, 210, 90}, {70, 160, 240}, {170, 110, 240},
}
local PADDLE_W, PADDLE_H, PADDLE_Y, PADDLE_SPEED = 84, 12, H - 40, 9

local score, lives, level = 0, 3, 1
local bricks, bricks_left -- bricks[i] = {x =, y =, row =}, or false once broken
local paddle_x = (W - PADDLE_W) / 2
local ball = {x = 0, y = 0, vx = 0, vy = 0, stuck = true}
local shards = {} -- bits of broken bricks, flying and fading
local state, state_timer = "play", 0 -- "play", "over" or "clear"

local function build_wall()
    bricks, bricks_left = {}, 0
    for row = 1, ROWS do
        for col = 1, COLS do
            bricks[#bricks + 1] = {
                x = 20 + (col - 1) * (BRICK_W + GAP),
                y = TOP + 30 + (row - 1) * (BRICK_H + GAP),
                row = row,
            }
            bricks_left = bricks_left + 1
        end
    end
end

local function ball_speed() return 5 + level * 0.75 end

-- The ball waits on the paddle until it is launched.
local function serve()
    ball.stuck, ball.vx, ball.vy = true, 0, 0
end

local function launch()
    ball.stuck = false
    ball.vx, ball.vy = ball_speed() * 0.6, -ball_speed() * 0.8
end

local function new_game()
    score, lives, level = 0, 3, 1
    build_wall()
    serve()
end

local function break_brick(b)
    for _ = 1, 6 do
        shards[#shards + 1] = {
            x = b.x + random(BRICK_W), y = b.y + random(BRICK_H),
            vx = (random(61) - 30) / 10, vy = (random(41) - 30) / 10,
            life = 40, colour = ROW_COLOURS[b.row],
        }
    end
    score = score + (ROWS - b.row + 1) * 10
    bricks_left = bricks_left - 1
    z.playSound(sounds.brick, 0)
end

---------------------------------------------------------------------------
-- Moving things, one frame at a time. Speeds are in pixels per frame, so a
-- game plays the same, move for move, however fast the machine runs it.

-- Where the falling ball will cross the paddle's line, bouncing off the
-- side walls on the way: the autopilot's aim.
local function landing_x()
    if ball.vy <= 0 then return ball.x end
    local t = (PADDLE_Y - R - ball.y) / ball.vy
    local x = ball.x + ball.vx * t
    local span = W - BALL
    x = (x - R) % (2 * span) -- unfold the bounces
    if x > span then x = 2 * span - x end
    return x + R
end

-- The autopilot's paddle position: under where the ball will land, shifted
-- so that the bounce sends the ball towards the lowest brick left.
local function autopilot_target()
    if ball.stuck then return W / 2 end
    local x = landing_x()
    if ball.vy <= 0 then return x end
    local goal
    for _, b in ipairs(bricks) do
        if b and (not goal or b.y > goal.y or (b.y == goal.y and
                math.abs(b.x - x) < math.abs(goal.x - x))) then
            goal = b
        end
    end
    if not goal then return x end
    -- The slope the bounce needs, and the paddle offset that gives it (the
    -- inverse of the paddle's rule in move_ball).
    local q = (goal.x + BRICK_W / 2 - x) / (PADDLE_Y - goal.y - BRICK_H)
    local offset = math.max(-0.9, math.min(0.9, q / (0.8 * math.sqrt(1 + q * q))))
    return x - offset * (PADDLE_W / 2 + R)
end

local function move_paddle(dx)
    paddle_x = math.max(0, math.min(W - PADDLE_W, paddle_x + dx))
end

-- Moves the paddle's centre towards x, no faster than the paddle can go.
local function steer_paddle(x)
    local dx = x - (paddle_x + PADDLE_W / 2)
    move_paddle(math.max(-PADDLE_SPEED, math.min(PADDLE_SPEED, dx)))
end

local function move_ball()
    if ball.stuck then
        ball.x, ball.y = paddle_x + PADDLE_W / 2, PADDLE_Y - R - 1
        return
    end
    local px, py = ball.x, ball.y
    ball.x, ball.y = ball.x + ball.vx, ball.y + ball.vy

    -- The walls and the ceiling.
    if ball.x < R or ball.x > W - R then
        ball.vx = -ball.vx
        ball.x = math.max(R, math.min(W - R, ball.x))
        z.playSound(sounds.wall, 0)
    end
    if ball.y < TOP + R then
        ball.vy = -ball.vy
        ball.y = TOP + R
        z.playSound(sounds.wall, 0)
    end

    -- The paddle: where the ball lands on it sets the angle it leaves at.
    if ball.vy > 0 and ball.y + R >= PADDLE_Y and py + R < PADDLE_Y + ball.vy
        and ball.x >= paddle_x - R and ball.x <= paddle_x + PADDLE_W + R then
        local offset = (ball.x - (paddle_x + PADDLE_W / 2)) / (PADDLE_W / 2 + R)
        local speed = ball_speed()
        ball.vx = speed * 0.8 * offset
        ball.vy = -math.sqrt(speed * speed - ball.vx * ball.vx)
        ball.y = PADDLE_Y - R
        z.playSound(sounds.paddle, 0)
    end

    -- One brick per frame: the side the ball came from decides the bounce.
    for i, b in ipairs(bricks) do
        if b and ball.x + R > b.x and ball.x - R < b.x + BRICK_W
            and ball.y + R > b.y and ball.y - R < b.y + BRICK_H then
            if px + R <= b.x or px - R >= b.x + BRICK_W then
                ball.vx = -ball.vx
            else
                ball.vy = -ball.vy
            end
            bricks[i] = false
            break_brick(b)
            break
        end
    end

    -- Off the bottom: a life lost.
    if ball.y > H + BALL then
        lives = lives - 1
        z.playSound(sounds.lost, 0)
        if lives == 0 then state, state_timer = "over", 150 end
        serve()
    end
end

local function move_shards()
    local kept = {}
    for _, s in ipairs(shards) do
        s.x, s.y, s.vy, s.life = s.x + s.vx, s.y + s.vy, s.vy + 0.15, s.life - 1
        if s.life > 0 then kept[#kept + 1] = s end
    end
    shards = kept
end

---------------------------------------------------------------------------
-- Drawing. Everything is drawn again each frame, back to front.

local function draw_background()
    -- A vertical gradient in bands, then a faint grid of single pixels.
    for i = 0, 15 do
        local y = TOP + i * (H - TOP) / 16
        z.fill(0, y, W, (H - TOP) / 16 + 1, 12 + i, 14 + i, 32 + i * 2, 255)
    end
    for y = TOP + 20, H - 1, 40 do
        for x = 20, W - 1, 40 do z.putpix(x, y, 60, 70, 110, 255) end
    end
end

local function draw_bricks()
    for _, b in ipairs(bricks) do
        if b then
            local c = ROW_COLOURS[b.row]
            z.fill(b.x, b.y, BRICK_W, BRICK_H, c[1], c[2], c[3], 255)
            -- kind 0 line, style 0 plain: a highlight along the top edge
            z.draw(b.x, b.y, b.x + BRICK_W - 1, b.y, 255, 255, 255, 120, 0, 0)
            -- kind 1 rectangle, style 0 outline: a darker rim
            z.draw(b.x, b.y, b.x + BRICK_W - 1, b.y + BRICK_H - 1, 0, 0, 0, 90, 1, 0)
        end
    end
end

local function draw_paddle()
    local x, y = paddle_x, PADDLE_Y
    -- kind 1, style 2: a filled box; its rounded ends are filled circles (kind 2)
    z.draw(x + 6, y, x + PADDLE_W - 6, y + PADDLE_H, 200, 210, 230, 255, 1, 2)
    z.draw(x + 6, y + 6, 6, 0, 200, 210, 230, 255, 2, 2)
    z.draw(x + PADDLE_W - 6, y + 6, 6, 0, 200, 210, 230, 255, 2, 2)
    z.draw(x + 6, y + 2, x + PADDLE_W - 6, y + 2, 255, 255, 255, 200, 0, 1)
end

local function draw_shards()
    for _, s in ipairs(shards) do
        local c, a = s.colour, s.life * 6
        -- drawTri style 2: a filled triangle, fading as its life runs out
        z.drawTri(s.x, s.y, s.x + 8, s.y + 3, s.x + 2, s.y + 9, c[1], c[2], c[3], a, 2)
    end
end

local function draw_hud()
    z.fill(0, 0, W, TOP, 20, 22, 40, 255)
    z.draw(0, TOP - 1, W - 1, TOP - 1, 90, 100, 160, 255, 0, 0)
    z.printFont(hud_font, string.format("SCORE %05d", score), 255, 255, 255, 16, 14)
    z.printFont(hud_font, string.format("LEVEL %d", level), 180, 200, 255, 250, 14)
    if autopilot then z.printFont(help_font, "autopilot", 120, 255, 140, 380, 17) end
    for i = 1, lives do z.blit(ball_sprite, W - 16 - i * 22, 17) end
end

local function draw()
    draw_background()
    draw_bricks()
    draw_shards()
    draw_paddle()
    if state ~= "over" then z.blit(ball_sprite, ball.x - R, ball.y - R) end
    draw_hud()
    if state == "over" then
        show_centred(banners.over, 260)
    elseif state == "clear" then
        show_centred(banners.clear, 260)
    elseif ball.stuck and not autopilot then
        show_centred(banners.serve, 300)
    end
end

---------------------------------------------------------------------------
-- The frame loop.

new_game()
local running, frame = true, 0
local mouse_x = z.mouse(keys.button.left)
while running and frame < max_frames do
    -- 1. Events: drain every pending one.
    local ev, a = z.input()
    while ev ~= keys.event.none do
        if ev == keys.event.keydown then
            if a == keys.escape then
                running = false
            elseif a == keys.space and ball.stuck and state == "play" then
                launch()
            elseif a == keys.a then
                autopilot = not autopilot
            end
        elseif ev == keys.event.mousedown and ball.stuck and state == "play" then
            launch()
        end
        ev, a = z.input()
    end

    -- 2. Update.
    if autopilot then
        steer_paddle(autopilot_target())
        if ball.stuck and state == "play" and frame % 60 == 59 then launch() end
    else
        local x = z.mouse(keys.button.left)
        if x ~= mouse_x then -- the mouse moved: the paddle follows it
            mouse_x = x
            steer_paddle(x)
        end
        if z.isKeyDown(keys.left) then move_paddle(-PADDLE_SPEED) end
        if z.isKeyDown(keys.right) then move_paddle(PADDLE_SPEED) end
    end
    if state == "play" then
        move_ball()
        if bricks_left == 0 then state, state_timer = "clear", 120 end
    else
        -- A banner shows for a while, then the game goes on.
        state_timer = state_timer - 1
        if state_timer == 0 then
            if state == "over" then
                new_game()
            else
                level = level + 1
                build_wall()
                serve()
            end
            state = "play"
        end
    end
    move_shards()

    -- 3. Draw, show, and wait for the next frame's turn.
    draw()
    z.flip()
    z.timer(60)
    frame = frame + 1
end

print(string.format("final score %d, level %d", score, level))

for _, b in pairs(banners) do z.freeSurf(b.surface) end
z.freeSurf(ball_sprite)
z.freeFont(hud_font)
z.freeFont(big_font)
z.freeFont(help_font)
for _, s in pairs(sounds) do z.freeSound(s) end
z.quit()
