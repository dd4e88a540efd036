-- The drawing tour runs 60 frames headless and shuts down cleanly.
arg = { "--frames", "60" }
dofile(os.getenv("ZD_TESTS") .. "/../examples/shapes.lua")
