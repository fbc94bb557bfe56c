#pragma once
// Reads the information file's text line by line and field by field. A missing line or field,
// or a value of the wrong kind, ends the load with the number of the run-time error it stands
// for (62 input past end of file, 5 a line without its separator, 13 not a number, 6 overflow,
// 9 an index outside what the file holds).

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace infofile {

struct LoadError {
    int number;
};

inline constexpr int ErrInvalidCall = 5;
inline constexpr int ErrOverflow = 6;
inline constexpr int ErrSubscriptRange = 9;
inline constexpr int ErrTypeMismatch = 13;

class IniReader {
public:
    explicit IniReader(QByteArray text) : text(std::move(text)) {}

    // Moves to the next line; throws LoadError{62} when the file has ended.
    void NextLine();

    // The field before the next '|' of the current line.
    QByteArrayView Token();
    // What remains of the current line.
    QByteArrayView Rest();

    QString TextToken() { return QString::fromUtf8(Token()); }
    QString TextRest() { return QString::fromUtf8(Rest()); }
    int IntToken() { return ToInt(Token()); }
    double DoubleToken() { return ToDouble(Token()); }
    bool BoolToken() { return ToBool(Token()); }

    static bool IsNumber(QByteArrayView field);
    static int ToInt(QByteArrayView field);
    static double ToDouble(QByteArrayView field);
    // Any non-zero number or "True" in any letter case is true.
    static bool ToBool(QByteArrayView field);

private:
    QByteArray text;
    qsizetype pos = 0;
    QByteArrayView line;
};

} // namespace infofile
