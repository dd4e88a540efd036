-- Checked mode's table of mistakes (checked_mute: the same without a sound card).
local x = require "zedodava.extra"
local z = require "zedodava"
dofile((arg[0]:match("^(.*/)") or "./") .. "../checked/mistakes.lua")
