#pragma once
#include "datafile/ByteReader.h"
#include "datafile/DatafileObject.h"

// The contents of one datafile object, read the way the library's loader for
// its type will read them. The loaders trust what they read: a bitmap's
// depth, a font's range count or a music track's events steer them, and a
// wrong one makes them (or the game drawing and playing the result) crash.
// Contents are sound when every field is one the loader handles and the
// object's bytes hold exactly what its fields describe.
class DatafileContents {
public:
    // Checks `body`, the whole contents of an object of `type` (not a nested
    // datafile: the walk looks inside those itself), and fills in `object`.
    static bool check(int type, ByteReader body, DatafileObject& object);
};
