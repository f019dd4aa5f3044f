#include "core/transform/TextCase.h"

#include "core/transform/CzechLetters.h"
#include "core/transform/LocaleCase.h"

namespace qw {

namespace {

bool startsWord(QChar previous)
{
    return previous == u' ' || previous == u'\n' || previous == u'>';
}

// Appends text[from, to), a stretch outside tags, changed.
void appendChanged(QString& out, QStringView text, qsizetype from, qsizetype to, CaseChange change)
{
    const QStringView run = text.mid(from, to - from);
    switch (change) {
    case CaseChange::Upper:
        appendInCase(out, run, LetterCase::Upper);
        return;
    case CaseChange::Lower:
        appendInCase(out, run, LetterCase::Lower);
        return;
    case CaseChange::Invert:
        appendCaseInverted(out, run);
        return;
    case CaseChange::FirstCapital:
        break;
    }
    // Words start at the first character of the text and after a space, a
    // line feed or ">"; a stretch outside tags always begins at one of those
    // (the text's start or a tag's ">"). The first code point of a word goes
    // up, the rest of the word down, each as one run.
    qsizetype i = from;
    while (i < to) {
        const bool upper = i == 0 || startsWord(text[i - 1]);
        qsizetype end = i + 1;
        if (upper) {
            if (text[i].isHighSurrogate() && end < to && text[end].isLowSurrogate())
                ++end;
        } else {
            while (end < to && !startsWord(text[end - 1]))
                ++end;
        }
        appendInCase(out, text.mid(i, end - i), upper ? LetterCase::Upper : LetterCase::Lower);
        i = end;
    }
}

} // namespace

QString changeCaseOutsideTags(QStringView text, CaseChange change)
{
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        qsizetype tag = text.indexOf(u'<', i);
        if (tag < 0)
            tag = n;
        appendChanged(out, text, i, tag, change);
        if (tag == n)
            break;
        const qsizetype close = text.indexOf(u'>', tag + 1);
        const qsizetype tagEnd = close < 0 ? n : close + 1;
        out += text.mid(tag, tagEnd - tag);
        i = tagEnd;
    }
    return out;
}

} // namespace qw
