// Random and hostile text against the tag reader and the tag search. Both are
// compared with plain, obviously literal versions of the same steps (slow,
// quadratic, reading the whole text), so the fast versions must give the same
// answers, and nothing may crash or hang (this also runs under the sanitizers).

#include "TagPrinters.h"
#include "core/editor/MemoryEditor.h"
#include "core/markup/TagAtCaret.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

std::vector<TagAttribute> literalParse(const QString& tag)
{
    QString s = tag;
    s.remove(u'\r');
    s.remove(u'\n');
    if (const qsizetype lt = s.indexOf(u'<'); lt >= 0)
        s.remove(lt, 1);
    if (const qsizetype sp = s.indexOf(u' '); sp >= 0) {
        s.remove(0, sp + 1);
    } else if (const qsizetype gt = s.indexOf(u'>'); gt >= 0) {
        s.remove(0, gt + 1);
    }
    if (const qsizetype gt = s.indexOf(u'>'); gt >= 0)
        s.remove(gt, 1);

    QStringList entries;
    const qsizetype passes = s.size() + 1;
    for (qsizetype pass = 0; pass < passes; ++pass) {
        const qsizetype eq = s.indexOf(u'=');
        const qsizetype q = s.indexOf(u'"');
        const qsizetype sp = s.indexOf(u' ');
        QString entry;
        if (eq >= 0 && q == eq + 1 && sp > eq) {
            s.remove(q, 1);
            const qsizetype close = s.indexOf(u'"');
            if (close >= 0) {
                entry = s.left(close);
                s.remove(0, close + 1);
            }
        } else if (sp >= 0) {
            entry = s.left(sp + 1);
            s.remove(0, sp + 1);
        } else {
            entry = s;
            s.clear();
        }
        if (entry.isEmpty())
            s.remove(0, 1);
        else
            entries.append(entry);
    }

    std::vector<TagAttribute> out;
    for (QString e : entries) {
        qsizetype removed = 0;
        while (e.contains(u'"')) {
            e.remove(e.indexOf(u'"'), 1);
            if (++removed > e.size())
                break;
        }
        removed = 0;
        while (!e.isEmpty() && e.indexOf(u' ') == e.size() - 1) {
            e.chop(1);
            if (++removed > e.size())
                break;
        }
        const qsizetype eq = e.indexOf(u'=');
        if (eq >= 0)
            out.push_back({asciiLower(e.left(eq)), e.mid(eq + 1)});
        else if (!e.isEmpty())
            out.push_back({asciiLower(e), std::nullopt});
    }
    return out;
}

TagAtCaret literalLocate(const QString& t, qsizetype k)
{
    TagAtCaret r;
    qsizetype i = k - 1;
    while (i >= 0 && t[i] != u'<' && t[i] != u'>')
        --i;
    if (i < 0 || t[i] != u'<')
        return r;
    r.found = true;
    r.start = i;
    qsizetype j = k - 1;
    const qsizetype last = t.size() - 1;
    while (j < last && t[j] != u'>')
        ++j;
    r.end = j;
    r.text = u'<' + t.mid(r.start + 1, r.end - r.start - 1) + u'>';
    return r;
}

class Hostile
{
public:
    explicit Hostile(unsigned seed) : m_rng(seed) {}

    QString text(int maxLength)
    {
        static const QChar alphabet[] = {u'<',  u'>',  u'"',     u'=',  u' ', u' ',
                                         u'\r', u'\n', QChar(0), u'\'', u'a', u'B',
                                         u'ž',  u'\t', u'/',     u'!',  u'-', u'x'};
        std::uniform_int_distribution<int> len(0, maxLength);
        std::uniform_int_distribution<int> pick(0, std::size(alphabet) - 1);
        QString s;
        for (int n = len(m_rng); n > 0; --n)
            s += alphabet[pick(m_rng)];
        return s;
    }
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }

private:
    std::mt19937 m_rng;
};

TEST(RandomTagText, ParseMatchesTheLiteralSteps)
{
    Hostile gen(20240611);
    for (int round = 0; round < 4000; ++round) {
        const QString tag = (round % 3 ? u"<"_s : QString()) + gen.text(40);
        TagAttributeList list;
        list.parseTagText(tag, TagCaseOptions{});
        const std::vector<TagAttribute> got(list.attributes().begin(), list.attributes().end());
        ASSERT_EQ(got, literalParse(tag)) << "tag: " << tag.toStdString();
    }
}

TEST(RandomTagText, VeryLongTagsParseInLinearTime)
{
    // Quadratic reading would take minutes on these; linear takes milliseconds.
    const qsizetype n = 120000;
    const QString shapes[] = {
        u"<img "_s + u"a "_s.repeated(n / 2) + u">"_s,
        u"<img alt=\""_s + u"x "_s.repeated(n / 2) + u">"_s,
        u"<img "_s + u"\""_s.repeated(n) + u">"_s,
        u"<img v=\""_s + u"a b"_s.repeated(n / 3) + u"\">"_s,
        u"<img "_s + u"=\" "_s.repeated(n / 3) + u">"_s,
        u"<"_s + u"x"_s.repeated(n),
    };
    for (const QString& tag : shapes) {
        TagAttributeList list;
        list.parseTagText(tag, TagCaseOptions{});
        EXPECT_TRUE(list.holdsTag() || list.tagName().isEmpty());
    }
    TagAttributeList bare;
    bare.parseTagText(shapes[0], TagCaseOptions{});
    EXPECT_EQ(bare.attributes().size(), n / 2);
    TagAttributeList open;
    open.parseTagText(shapes[1], TagCaseOptions{});
    ASSERT_EQ(open.attributes().size(), n / 2);
    EXPECT_EQ(open.attributes()[0], (TagAttribute{u"lt"_s, u"x"_s}))
        << "the unclosed quote costs one character";
}

TEST(RandomTagText, SearchMatchesTheWholeTextScan)
{
    Hostile gen(777);
    // Mostly short hostile documents; some with long runs of plain text so the
    // search has to read past its first and largest windows.
    for (int round = 0; round < 3000; ++round) {
        QString doc = gen.text(60);
        if (round % 150 == 0) {
            const qsizetype at = gen.below(static_cast<int>(doc.size()) + 1);
            doc.insert(at, u"plain text "_s.repeated(round % 300 == 0 ? 8000 : 40));
        }
        MemoryEditor editor(doc);
        const QString text = editor.text(); // line breaks as CR LF
        for (int probe = 0; probe < 4; ++probe) {
            const qsizetype caret = gen.below(static_cast<int>(text.size()) + 1);
            editor.setSelectionStart(caret);
            const TagAtCaret want = literalLocate(text, caret);
            const TagAtCaret got = locateTagAtCaret(editor);
            ASSERT_EQ(got.found, want.found) << caret;
            if (!want.found)
                continue;
            ASSERT_EQ(got.start, want.start);
            ASSERT_EQ(got.end, want.end);
            ASSERT_EQ(got.text, want.text);

            CaretTagState state;
            const TagAtCaret full = findTagAtCaret(editor, probe % 2 == 0, state, TagCaseOptions{});
            EXPECT_EQ(full.parsed, caret <= want.end);
        }
    }
}

} // namespace
} // namespace qw
