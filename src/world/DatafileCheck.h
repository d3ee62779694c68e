#pragma once

// The library's datafile loader trusts the file: a data.dat or tracks.dat cut
// short, or with sizes that do not add up, makes it read past its buffers and
// crash. Before either file is loaded it is walked here, object by object, and
// refused unless every object is wholly present and its contents fit its size.
class DatafileCheck {
public:
    static bool isWhole(const char* path);
};
