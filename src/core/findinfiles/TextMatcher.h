#pragma once

#include "core/text/DocumentText.h"
#include "core/text/TextEncoding.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringView>

namespace qw {

// What to look for in the files of a folder, and what to put in its place.
struct SearchQuery
{
    QString text;
    QString replacement;
    bool matchCase = false;
    bool wholeWords = false;
    // Qt's regular expressions; \0 to \9 in the replacement stand for the
    // captures and \\ for a backslash.
    bool regularExpression = false;
};

// One match in a file's text as decoded (the file's own line breaks kept).
struct TextMatch
{
    int line = 0;          // from 0
    qsizetype column = 0;  // UTF-16 units from the line's start
    qsizetype length = 0;  // UTF-16 units
    qint64 byteStart = 0;  // in the file, a byte-order mark counted
    qint64 byteLength = 0; // the bytes the match takes in the file
    QString matched;
    // What replaces it (captures put in for a regular expression).
    QString replacement;
    // The line as shown in the results: the whole line, or the part of a
    // long one around the match; the match starts at excerptMatch in it.
    QString excerpt;
    qsizetype excerptMatch = 0;
};

// A query made ready for many files. Plain text follows the find dialog's
// rules: without matchCase only A-Z and a-z compare ignoring case (Č and č
// differ); a whole word is bounded by a line's start or end or by one of the
// find dialog's separators; no match spans a line break. Plain text is first
// looked for in the raw bytes, as Windows-1250 and as UTF-8 (both keep ASCII
// as it is), so a file that cannot hold it is never decoded.
class TextMatcher
{
public:
    explicit TextMatcher(const SearchQuery& query);

    // Empty when the query can be run, else why not (in Czech).
    const QString& errorText() const { return m_error; }
    bool isValid() const { return m_error.isEmpty(); }

    // False when bytes surely hold no match, so decoding them can be skipped.
    bool mayMatch(QByteArrayView bytes) const;

    // The matches in a file's bytes read in encoding. Reuses its own buffer,
    // so searching many files allocates only for what is found.
    QList<TextMatch> findInFile(QByteArrayView bytes, TextEncoding encoding);
    // The same for bytes whose encoding detectDocumentEncoding gave (so UTF-8
    // ones are valid). A plain needle is looked for in the bytes in the
    // file's encoding and only the lines holding it are decoded.
    QList<TextMatch> findInFile(QByteArrayView bytes, const DetectedEncoding& detected);

    // The matches in a decoded text (line breaks of any kind); encoding gives
    // the byte positions, which start at byteOffset (after a byte-order mark).
    QList<TextMatch> findInText(QStringView text, TextEncoding encoding, qint64 byteOffset) const;

private:
    struct Span
    {
        qsizetype start = 0;
        qsizetype length = 0;
    };
    bool wholeWordAt(QStringView text, qsizetype start, qsizetype length) const;
    qsizetype nextPlain(QStringView text, qsizetype from) const;
    QString expand(const QRegularExpressionMatch& match) const;
    QList<TextMatch> findPlainInBytes(QByteArrayView content, qint64 offset, bool oneByte);

    SearchQuery m_query;
    QString m_error;
    QRegularExpression m_regex;
    QByteArray m_windowsNeedle;
    QByteArray m_utf8Needle;
    bool m_windowsWhole = false; // the needle has a Windows-1250 form
    bool m_bytePath = false;     // a plain needle that can be found in bytes
    bool m_asciiFolded = false;  // needles compared with ASCII case folded
    QString m_decoded;           // reused buffer
};

// Whether needle is in bytes; when asciiFolded the needle is given in lower
// case and A-Z in bytes compare as a-z.
bool containsBytes(QByteArrayView bytes, QByteArrayView needle, bool asciiFolded);

} // namespace qw
