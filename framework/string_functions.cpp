#include "string_functions.h"

#include <charconv>
#include <cmath>
#include <limits>

QStringList Split(const QString &text, const QString &separator)
{
    if (separator.isEmpty())
        return {text};
    return text.split(separator);
}

QString Join(const QStringList &parts, const QString &separator)
{
    return parts.join(separator);
}

int CountFields(const QString &text, const QString &separator)
{
    if (text.isEmpty())
        return 0;
    return int(Split(text, separator).size());
}

QString NthField(const QString &text, const QString &separator, int index)
{
    if (index < 1)
        return QString();
    const QStringList fields = Split(text, separator);
    return index <= fields.size() ? fields.at(index - 1) : QString();
}

QString Replace(const QString &text, const QString &find, const QString &replacement)
{
    if (find.isEmpty())
        return text;
    const int at = int(text.indexOf(find));
    if (at < 0)
        return text;
    QString result = text;
    result.replace(at, find.size(), replacement);
    return result;
}

QString ReplaceAll(const QString &text, const QString &find, const QString &replacement)
{
    if (find.isEmpty())
        return text;
    QString result = text;
    result.replace(find, replacement);
    return result;
}

double Val(const QString &text)
{
    // Longest prefix of the form [blanks][sign]digits[.digits][e[sign]digits],
    // read with "." as the decimal point whatever the desktop's number format.
    int i = 0;
    const int n = int(text.size());
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    const int start = i;
    int digits = 0;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    int end = i;
    bool tiny = false; // a negative exponent: out of range means too small
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        int j = i + 1;
        const bool minus = j < n && text[j] == QLatin1Char('-');
        if (j < n && (text[j] == QLatin1Char('+') || minus))
            ++j;
        int expDigits = 0;
        while (j < n && text[j].isDigit() && text[j].unicode() < 128) {
            ++j;
            ++expDigits;
        }
        if (expDigits > 0) {
            end = j;
            tiny = minus;
        }
    }
    const QByteArray number = text.mid(start, end - start).toLatin1();
    double value = 0.0;
    const std::from_chars_result read = std::from_chars(number.constData(), number.constData() + number.size(), value);
    if (read.ec == std::errc::result_out_of_range)
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    return negative ? -value : value;
}

QString Str(int value)
{
    return QString::number(value);
}

QString Str(qint64 value)
{
    return QString::number(value);
}

QString Str(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (value == std::floor(value)) {
        const QString whole = QString::number(value, 'f', 0);
        return whole == QLatin1String("-0") ? QStringLiteral("0") : whole;
    }
    return QString::number(value, 'g', 15);
}

double Round(double value)
{
    return std::round(value);
}

QString Chr(int code)
{
    return QString(QChar(char16_t(code)));
}

QString EndOfLine()
{
#ifdef Q_OS_WIN
    return QStringLiteral("\r\n");
#else
    return QStringLiteral("\n");
#endif
}
