-- The checked form of zedodava.extra is built by checked mode, which shares
-- its handle tracking with it: this file answers a require of it that comes
-- before any require of zedodava.checked.
require "zedodava.checked"
return package.preload["zedodava.extra.checked"]("zedodava.extra.checked")
