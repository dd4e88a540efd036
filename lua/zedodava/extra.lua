-- zedodava.extra is built by the same library as zedodava, which registers
-- it when it loads: this file answers a require of the extra table that
-- comes before any require of zedodava.
require "zedodava"
return package.preload["zedodava.extra"]("zedodava.extra")
