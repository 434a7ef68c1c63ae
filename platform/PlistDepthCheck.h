#pragma once

#include <QByteArray>

// Measures how deep the arrays and dictionaries of a property list nest
// before it is handed to libplist, whose parsers recurse once per level and
// so run out of stack (and time) on hostile data nested a hundred thousand
// levels deep. Binary property lists are walked through their offset table
// without recursion; XML ones by their container tags.
class PlistDepthCheck
{
public:
    // False when the containers nest deeper than maxDepth, when a binary
    // list refers to itself in a cycle, or when its tables are malformed.
    // Data that is neither form passes (libplist refuses it itself).
    static bool withinDepth(const QByteArray& bytes, int maxDepth);

private:
    static bool binaryWithinDepth(const QByteArray& bytes, int maxDepth);
    static bool xmlWithinDepth(const QByteArray& bytes, int maxDepth);
};
