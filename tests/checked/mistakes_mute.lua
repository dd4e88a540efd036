-- The mistakes table with no sound card: the same messages.
-- env: SDL_AUDIODRIVER=nosuchdriver
dofile(os.getenv("ZD_TESTS") .. "/checked/mistakes.lua")
