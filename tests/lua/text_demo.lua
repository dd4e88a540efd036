-- The text and sound demo runs a few frames headless and shuts down cleanly.
arg = { "--frames", "20" }
dofile(os.getenv("ZD_TESTS") .. "/../examples/text_sound_demo.lua")
