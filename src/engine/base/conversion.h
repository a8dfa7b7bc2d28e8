#pragma once

#include <QString>
#include <stdexcept>

// A field text that is not a decimal integer. what() is the text the user sees.
class ConversionError : public std::runtime_error
{
public:
    explicit ConversionError(const QString& text);
    QString message() const { return QString::fromUtf8(what()); }
};

// Decimal conversion of a field text: optional blanks around it, an optional sign, digits.
// Throws ConversionError("'<text>' is not a valid integer value") otherwise.
int StrToInt(const QString& text);

// The same conversion that answers instead of throwing.
bool tryStrToInt(const QString& text, int& value);
