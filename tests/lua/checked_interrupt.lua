-- Ctrl-C in checked mode, most likely to land in timer's wait: reported at
-- the script's line, never inside a wrapper (lua5.1 prints it through
-- debug.traceback). The interrupt comes from a child, whenever it runs.
local x = require "zedodava.extra"
require "zedodava"
local z = require "zedodava.checked"
local pid = assert(io.open("/proc/self/stat")):read("*l"):match("^%d+")
local ok, err = xpcall(function()
    os.execute(("(sleep 0.2; kill -INT %s) &"):format(pid))
    while true do z.timer(4) end
end, debug.traceback)
-- A hook that fires in the script's own code has no line to give, as in the plain module.
local first = err:match("^[^\n]*")
assert(not ok and (first == "interrupted!" or first:find("checked_interrupt%.lua:%d+: interrupted!$")), err)
