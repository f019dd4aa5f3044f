#include "core/transform/CzechLetters.h"

#include "core/text/Windows1250.h"

#include <array>

namespace qw {

namespace {

// Every character either table changes lies below this code point.
constexpr char16_t TableEnd = 0x180;
using LetterTable = std::array<char16_t, TableEnd>;

LetterTable identityTable()
{
    LetterTable table{};
    for (char16_t c = 0; c < TableEnd; ++c)
        table[c] = c;
    return table;
}

void setFromBytes(LetterTable& table, unsigned char from, char16_t to)
{
    const char16_t c = windows1250Char(from);
    Q_ASSERT(c < TableEnd);
    table[c] = to;
}

const LetterTable& diacriticsTable()
{
    static const LetterTable table = [] {
        struct Row
        {
            unsigned char byte;
            char plain;
        };
        static constexpr Row rows[] = {
            {0x8A, 'S'}, {0x8D, 'T'}, {0x8E, 'Z'}, {0x9A, 's'}, {0x9D, 't'}, {0x9E, 'z'},
            {0xC1, 'A'}, {0xC8, 'C'}, {0xC9, 'E'}, {0xCC, 'E'}, {0xCD, 'I'}, {0xD2, 'N'},
            {0xD8, 'R'}, {0xD9, 'U'}, {0xDA, 'U'}, {0xDD, 'Y'}, {0xE1, 'a'}, {0xE8, 'c'},
            {0xE9, 'e'}, {0xEC, 'e'}, {0xED, 'i'}, {0xF2, 'n'}, {0xF8, 'r'}, {0xF9, 'u'},
            {0xFA, 'u'}, {0xFD, 'y'},
        };
        LetterTable t = identityTable();
        for (const Row& r : rows)
            setFromBytes(t, r.byte, static_cast<char16_t>(r.plain));
        return t;
    }();
    return table;
}

const LetterTable& caseInversionTable()
{
    static const LetterTable table = [] {
        struct Pair
        {
            unsigned char upper;
            unsigned char lower;
        };
        static constexpr Pair pairs[] = {
            {0x8A, 0x9A}, {0x8D, 0x9D}, {0x8E, 0x9E}, {0xC1, 0xE1}, {0xC8, 0xE8}, {0xC9, 0xE9},
            {0xCC, 0xEC}, {0xCD, 0xED}, {0xCF, 0xEF}, {0xD2, 0xF2}, {0xD8, 0xF8}, {0xDD, 0xFD},
        };
        LetterTable t = identityTable();
        for (char16_t c = u'A'; c <= u'Z'; ++c) {
            t[c] = static_cast<char16_t>(c + 0x20);
            t[c + 0x20] = c;
        }
        for (const Pair& p : pairs) {
            setFromBytes(t, p.upper, windows1250Char(p.lower));
            setFromBytes(t, p.lower, windows1250Char(p.upper));
        }
        return t;
    }();
    return table;
}

} // namespace

QChar withoutDiacritics(QChar c)
{
    return c.unicode() < TableEnd ? QChar(diacriticsTable()[c.unicode()]) : c;
}

QString removeDiacritics(QStringView text)
{
    const LetterTable& table = diacriticsTable();
    QString out(text.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    for (QChar c : text)
        *dst++ = c.unicode() < TableEnd ? QChar(table[c.unicode()]) : c;
    return out;
}

void appendCaseInverted(QString& out, QStringView text)
{
    const LetterTable& table = caseInversionTable();
    const qsizetype at = out.size();
    out.resize(at + text.size());
    QChar* dst = out.data() + at;
    for (QChar c : text)
        *dst++ = c.unicode() < TableEnd ? QChar(table[c.unicode()]) : c;
}

QChar withCaseInverted(QChar c)
{
    return c.unicode() < TableEnd ? QChar(caseInversionTable()[c.unicode()]) : c;
}

} // namespace qw
