#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// How a cell's text is adapted to a file format.
namespace CellText {

// A text that a spreadsheet would run as a formula when the file is opened: it begins with
// "=", "+", "-" or "@", or with a tab or carriage return (which spreadsheets skip before
// reading the rest as a formula).
bool looksLikeFormula(const QString& text);

// For CSV: such a text gets a leading apostrophe, which spreadsheets read as "this is text"
// and which keeps the rest of it exactly; any other text is returned as it is.
QString neutralised(const QString& text);

// For formats that store C strings: the text as UTF-8 with each NUL character (which such a
// file cannot hold) replaced by U+FFFD, cut at a character boundary to at most maxBytes bytes.
QByteArray boundedUtf8(const QString& text, int maxBytes);

// The value of a text that is exactly a whole number as the program writes it ("72", "-3");
// nothing for any other text (empty, blanks, letters, a fraction).
std::optional<double> wholeNumber(const QString& text);

} // namespace CellText
