#pragma once
#include "objects/GameObject.h"

class World;

// One kind of record of a track file: the letter that starts it, the name
// the reader's messages give it, the fields after x y z in the order the
// file holds them (whole numbers marked), and the object it makes.
struct RecordKind {
    struct Field {
        const char* name;
        bool whole;
    };
    char letter;
    const char* name;
    int fieldCount;
    Field fields[GameObject::kMostRecordFields];
    // A new object of the kind, as the reader starts it before its record is
    // read; a waypoint joins the drivers' route in file order.
    GameObject* (*make)(World& world);
};

// The records a track file holds, one row a kind. The reader, the writer and
// the track check's scan all go by it: a new kind is one more row and one
// more class.
class RecordTable {
public:
    // Ends a track file; nothing after it is read.
    static constexpr char kEndLetter = 'E';
    // Every record begins with the ground point of its object.
    static constexpr const char* kPointFields[3] = {"x", "y", "z"};

    // The row of a letter; null for a character that starts no record.
    static const RecordKind* find(char letter);
};
