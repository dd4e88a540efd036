-- Checked mode's table of mistakes (checked_mute: the same without a sound card).
dofile((arg[0]:match("^(.*/)") or "./") .. "../checked/mistakes.lua")
