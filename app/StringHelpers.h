#pragma once

#include <QString>

// String helpers. Positions and lengths count UTF-16 code units, as QString
// does. None changes its argument.

// Removes white space, line ends, control and format characters from both
// ends, in any mix ("\u200B Ann \x01" gives "Ann").
QString Trim_Str(const QString& s);

// Removes the characters / \ ? % * | " < > from both ends (not from inside),
// then applies Trim_Str.
QString Remove_Reserve_Char_In_File_Name(const QString& name);

// The same as Trim_Str.
QString Replace_Char_For_valid(const QString& s);

// Every occurrence of `find` replaced by `replacement`; an empty `find`
// changes nothing.
QString Replace_char_in_string(const QString& s, const QString& find, const QString& replacement);

// The first n characters: "" for n < 0, the whole string for n >= length.
QString Left_Str_substringToIndex(const QString& s, int n);

// The last n characters: "" for n < 0, the whole string for n >= length.
QString Right_Str_substringFromIndex(const QString& s, int n);

// The characters from index i to the end: "" for i < 0 or i > length.
QString Read_Str_FromIndex(const QString& s, int i);

// The first i characters: "" for i < 0 or i > length.
QString Read_Str_Upto_Index(const QString& s, int i);

// True when `part` occurs in `s` (exact, case-sensitive); false for an empty part.
bool Find_Str(const QString& s, const QString& part);

// True when `part` occurs in `s` ignoring case; false when either is empty.
bool Find_Str_Case_Insensitive(const QString& s, const QString& part);

// A text quoted in a message, such as a column title from a workbook: at
// most `most` characters, the rest cut and an ellipsis ("\u2026") put in its
// place. A surrogate pair is never cut in two.
QString shortenedText(const QString& text, int most = 60);
