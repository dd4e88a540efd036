-- The breakout example plays itself for 200 frames, headless: its autopilot
-- scores, and the same game comes out under every interpreter.
arg = { "--frames", "200" }
dofile(os.getenv("ZD_TESTS") .. "/../examples/breakout.lua")
