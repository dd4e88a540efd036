-- Timing helpers shared by the Lua workloads: the same measure, repetitions
-- and pseudo-random sequence as the plain-C side (c/bench.h).
local M = {}

local REPS = 5

-- Runs fn(n) REPS times and prints "name median_ns_per_op".
function M.report(name, n, fn)
    local t = {}
    for r = 1, REPS do
        local t0 = os.clock()
        fn(n)
        t[r] = (os.clock() - t0) * 1e9 / n
    end
    table.sort(t)
    io.write(string.format("%s %.1f\n", name, t[math.floor(REPS / 2) + 1]))
    io.flush()
end

local seed = 12345
function M.rand(range)
    seed = (seed * 1103515245 + 12345) % 4294967296
    return math.floor(seed / 65536) % 32768 % range
end

return M
