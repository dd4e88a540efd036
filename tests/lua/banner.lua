-- The start-up banners; ends in the OpenGL mode the dummy driver cannot set.
local z = require "zedodava"
z.init(640, 480) z.flip() z.quit()
z.init(320.9, 200.2, true) z.quit()
z.init(64, 48, nil, false) z.quit()
z.init(640, 480, 0, 0)
