-- The console example walks itself for 90 frames, headless: its autopilot
-- picks up gold, and the same dungeon comes out under every interpreter.
arg = { "--frames", "90" }
dofile(os.getenv("ZD_TESTS") .. "/../examples/roguelike.lua")
