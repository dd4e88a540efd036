-- Timing helpers shared by the Lua workloads: the same measure (process CPU
-- time), repetitions and pseudo-random sequence as the plain-C side
-- (c/bench.h). BENCH_SCALE multiplies every iteration count, BENCH_REPS sets
-- the repetitions, BENCH_ONLY picks one workload, BENCH_SHOW_N adds the
-- iteration count to each line and BENCH_SERVER_PID the X server's CPU time,
-- as there.
local M = {}

local function env(name, default)
    local v = tonumber(os.getenv(name) or "")
    return (v and v > 0) and v or default
end

local SCALE = env("BENCH_SCALE", 1)
local REPS = math.floor(env("BENCH_REPS", 5))
local ONLY = os.getenv("BENCH_ONLY") or ""
local SHOW_N = env("BENCH_SHOW_N", 0) > 0

-- The iteration count for a workload whose full size is n.
function M.n(n)
    return math.max(1, math.floor(n * SCALE))
end

-- Process CPU time, and the X server's where BENCH_SERVER_PID names it (its
-- clock ticks, fields 14 and 15 of /proc/PID/stat), as on the C side.
local SERVER = os.getenv("BENCH_SERVER_PID") or ""
local function now()
    if SERVER == "" then return os.clock() end
    local f = io.open("/proc/" .. SERVER .. "/stat")
    local stat = f and f:read("*a") or ""
    if f then f:close() end
    local fields = {}
    for v in stat:gsub("^.*%) ", ""):gmatch("%S+") do fields[#fields + 1] = v end
    return os.clock() + ((tonumber(fields[12]) or 0) + (tonumber(fields[13]) or 0)) / 100
end

-- Runs fn(n) (n scaled) REPS times and prints "name median_ns_per_op".
function M.report(name, n, fn)
    if ONLY ~= "" and ONLY ~= name then return end
    n = M.n(n)
    local t = {}
    for r = 1, REPS do
        local t0 = now()
        fn(n)
        t[r] = (now() - t0) * 1e9 / n
    end
    table.sort(t)
    local median = t[math.floor(REPS / 2) + 1]
    if SHOW_N then
        io.write(string.format("%s %.1f %d\n", name, median, n))
    else
        io.write(string.format("%s %.1f\n", name, median))
    end
    io.flush()
end

-- The C generator's sequence exactly: the product is split so that no
-- intermediate value passes 2^53, where doubles stop being exact.
local seed = 12345
function M.rand(range)
    local hi = (seed * 16838) % 65536 -- 1103515245 = 16838 * 65536 + 20077
    seed = (hi * 65536 + seed * 20077 + 12345) % 4294967296
    return math.floor(seed / 65536) % 32768 % range
end

-- n positions from the generator, x below w and y below h: the same as
-- bench_positions on the C side.
function M.positions(n, w, h)
    local xs, ys = {}, {}
    for i = 1, n do
        xs[i] = M.rand(w)
        ys[i] = M.rand(h)
    end
    return xs, ys
end

return M
