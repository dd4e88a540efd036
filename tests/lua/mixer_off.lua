-- env: SDL_AUDIODRIVER=no-such-driver
-- An unusable audio device is reported and the engine runs on.
local z = require "zedodava"
z.init(64, 48)
z.flip()
print("running")
z.quit()
