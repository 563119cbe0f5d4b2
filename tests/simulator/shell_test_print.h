#pragma once
// Readable rectangles and points in the messages of the shell tests.
#include "simulator/shell_layout.h"

#include <ostream>

namespace shell {

inline void PrintTo(const Rect &r, std::ostream *os) {
    *os << "(" << r.left << ", " << r.top << ", " << r.width << " x " << r.height << ")";
}

inline void PrintTo(const Point &p, std::ostream *os) {
    *os << "(" << p.x << ", " << p.y << ")";
}

} // namespace shell
