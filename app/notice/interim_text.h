#pragma once

#include <QByteArray>
#include <QList>

// Stand-in until the shared text helpers land: GBK character scan, separator at character
// starts only; the piece after the last separator counts only when not empty.
inline QList<QByteArray> SplitLines(const QByteArray& text, const QByteArray& separator) {
    QList<QByteArray> pieces;
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        if (text.mid(i, separator.size()) == separator) {
            pieces.append(text.mid(start, i - start));
            i += separator.size();
            start = i;
        } else {
            i += (static_cast<unsigned char>(text[i]) & 0x80) ? 2 : 1;
        }
    }
    if (start < text.size()) pieces.append(text.mid(start));
    return pieces;
}

// Stand-in: full-width GBK forms folded to ASCII, then an optional sign and decimal digits.
inline int ToInteger(const QByteArray& text) {
    QByteArray folded;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const auto trail = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
            folded.append(static_cast<char>(trail - 0x80));
            ++i;
        } else if (lead == 0xA1 &&
                   (trail == 0xA1 || trail == 0xAB || trail == 0xEE || trail == 0xEF)) {
            folded.append(trail == 0xA1 ? ' ' : trail == 0xAB ? '~' : '*');
            ++i;
        } else {
            folded.append(static_cast<char>(lead));
        }
    }
    qsizetype i = 0;
    while (i < folded.size() && (folded[i] == ' ' || (folded[i] >= '\t' && folded[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < folded.size() && (folded[i] == '+' || folded[i] == '-')) negative = folded[i++] == '-';
    long long value = 0;
    while (i < folded.size() && folded[i] >= '0' && folded[i] <= '9' && value < (1LL << 32))
        value = value * 10 + (folded[i++] - '0');
    return static_cast<int>(negative ? -value : value);
}
