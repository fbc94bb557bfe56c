#include "infofile_reader.h"

#include "platform.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace infofile {

void IniReader::NextLine() {
    if (pos >= text.size())
        throw LoadError{platform::ErrInputPastEnd};
    const char *data = text.constData();
    qsizetype end = text.indexOf('\n', pos);
    qsizetype next = end + 1;
    if (end < 0)
        end = next = text.size();
    qsizetype lineEnd = end;
    if (lineEnd > pos && data[lineEnd - 1] == '\r')
        --lineEnd;
    line = QByteArrayView(data + pos, lineEnd - pos);
    pos = next;
}

QByteArrayView IniReader::Token() {
    const qsizetype bar = line.indexOf('|');
    if (bar < 0)
        throw LoadError{ErrInvalidCall};
    const QByteArrayView token = line.first(bar);
    line = line.sliced(bar + 1);
    return token;
}

QByteArrayView IniReader::Rest() {
    const QByteArrayView rest = line;
    line = QByteArrayView();
    return rest;
}

namespace {

QByteArrayView Trimmed(QByteArrayView field) {
    while (!field.isEmpty() && field.front() == ' ')
        field = field.sliced(1);
    while (!field.isEmpty() && field.back() == ' ')
        field.chop(1);
    return field;
}

bool ParseDouble(QByteArrayView field, double *value) {
    field = Trimmed(field);
    if (!field.isEmpty() && field.front() == '+')
        field = field.sliced(1);
    if (field.isEmpty())
        return false;
    const auto result = std::from_chars(field.data(), field.data() + field.size(), *value);
    // "nan" and "inf" read as numbers, but no count, size or index of the file may be one.
    return result.ec == std::errc() && result.ptr == field.data() + field.size() &&
           std::isfinite(*value);
}

} // namespace

bool IniReader::IsNumber(QByteArrayView field) {
    double value;
    return ParseDouble(field, &value);
}

int IniReader::ToInt(QByteArrayView field) {
    double value;
    if (!ParseDouble(field, &value))
        throw LoadError{ErrTypeMismatch};
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        throw LoadError{ErrOverflow};
    return int(value < 0 ? value - 0.5 : value + 0.5);
}

double IniReader::ToDouble(QByteArrayView field) {
    double value;
    if (!ParseDouble(field, &value))
        throw LoadError{ErrTypeMismatch};
    return value;
}

bool IniReader::ToBool(QByteArrayView field) {
    const QByteArrayView trimmed = Trimmed(field);
    if (trimmed.compare("True", Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare("False", Qt::CaseInsensitive) == 0)
        return false;
    double value;
    if (!ParseDouble(trimmed, &value))
        throw LoadError{ErrTypeMismatch};
    return value != 0;
}

} // namespace infofile
