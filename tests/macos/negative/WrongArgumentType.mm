// Transfer tables of doubles where Core Graphics takes floats.
// expect: no known conversion from 'double[256]' to 'const CGGammaValue * _Nullable'
#include <CoreGraphics/CoreGraphics.h>

CGError restore(CGDirectDisplayID display) {
    double table[256] = {};
    return CGSetDisplayTransferByTable(display, 256, table, table, table);
}
