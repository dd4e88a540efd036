// The slow path of the number-to-integer reader.
#include "args.h"

#include <cmath>

int32_t to_i32_wide(double d)
{
    if (!std::isfinite(d))
        return 0;
    double m = std::fmod(std::trunc(d), 4294967296.0); // exact
    if (m < 0)
        m += 4294967296.0;
    return static_cast<int32_t>(static_cast<uint32_t>(m));
}
