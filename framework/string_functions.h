#pragma once

#include <QString>
#include <QStringList>

// The runtime's string and number functions. Fields count from 1.

// Splits on `separator`; a text without it gives one piece, the whole text.
QStringList Split(const QString &text, const QString &separator);
QString Join(const QStringList &parts, const QString &separator);
// Number of fields: a text without the separator is one field; the empty
// text has none.
int CountFields(const QString &text, const QString &separator);
// Field `index` (from 1); the empty text when there is no such field.
QString NthField(const QString &text, const QString &separator, int index);
// Replaces the first occurrence only.
QString Replace(const QString &text, const QString &find, const QString &replacement);
QString ReplaceAll(const QString &text, const QString &find, const QString &replacement);
// The number at the start of the text ("12abc" 12, ".5" 0.5, "-3" -3); 0 when
// the text starts with no number.
double Val(const QString &text);
QString Str(int value);
QString Str(qint64 value);
// Decimal; a whole double prints all its digits, without a point and never
// with an exponent.
QString Str(double value);
// Nearest whole number, halves away from zero.
double Round(double value);
QString Chr(int code);
// The platform's line ending.
QString EndOfLine();
