#pragma once

#include <QByteArray>

// Checks a property list before libplist parses it, for what would make
// libplist itself fail hard on hostile data:
// - containers nested very deep: its parsers recurse once per level and run
//   out of stack (and time) at a hundred thousand levels;
// - a binary list whose objects refer to each other in a cycle;
// - a dictionary key stored as UTF-16 with a NUL character: reading such a
//   key aborts the process on an internal assertion.
// Binary lists are walked through their offset table without recursion;
// XML lists are measured by their container tags.
class PlistGuard
{
public:
    // False for data that fails a check above or whose binary tables are
    // malformed. Data that is neither form passes (libplist refuses it).
    static bool accepts(const QByteArray& bytes, int maxDepth);

private:
    static bool binaryAccepted(const QByteArray& bytes, int maxDepth);
    static bool xmlWithinDepth(const QByteArray& bytes, int maxDepth);
};
