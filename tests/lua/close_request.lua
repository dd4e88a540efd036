-- The window-close request ends the process at once with status 0.
local z = require "zedodava"
z.init(64, 48)
-- SDL turns SIGTERM into a close request.
os.execute("kill -TERM $PPID")
for _ = 1, 1000 do
    z.input()
    os.execute("sleep 0.01")
end
print("not reached")
