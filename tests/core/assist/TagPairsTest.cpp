#include "core/assist/TagPairs.h"

#include "AssistTestSupport.h"
#include "core/assist/TagEdits.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

struct PairCase
{
    const char* what;
    // "|" is the caret, "^" stands before the partner's "<"; no "^": none.
    QString marked;
};

void PrintTo(const PairCase& c, std::ostream* os)
{
    *os << c.what;
}

class PartnerTable : public testing::TestWithParam<PairCase>
{
};

TEST_P(PartnerTable, FindsThePartnerTag)
{
    const PairCase& c = GetParam();
    QString text = c.marked;
    qsizetype partner = text.indexOf(u'^');
    if (partner >= 0)
        text.remove(partner, 1);
    const qsizetype caret = text.indexOf(u'|');
    text.remove(caret, 1);
    if (partner > caret)
        --partner;
    const std::optional<TagPair> pair = partnerTagAt(text, caret);
    if (partner < 0) {
        EXPECT_FALSE(pair.has_value()) << c.what;
        return;
    }
    ASSERT_TRUE(pair.has_value()) << c.what;
    EXPECT_EQ(pair->partner.start, partner) << c.what;
    EXPECT_LT(pair->at.start, caret) << c.what;
    EXPECT_NE(pair->at.endTag, pair->partner.endTag) << c.what;
    EXPECT_EQ(pair->at.name, pair->partner.name) << c.what;
    // The name spans are what a rename rewrites.
    const TagSpan& p = pair->partner;
    EXPECT_EQ(text.sliced(p.nameStart, p.nameEnd - p.nameStart).toLower(), p.name) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Pages, PartnerTable,
    testing::Values(
        PairCase{"start tag across a nested one of the same name", u"<d|iv><div></div>x^</div>"_s},
        PairCase{"end tag across a nested one", u"^<div><div><p></p></div>x</d|iv>"_s},
        PairCase{"inner start tag", u"<div><div |class=a>^</div></div>"_s},
        PairCase{"caret right after the <", u"<|ul><li>a</li>^</ul>"_s},
        PairCase{"caret just before the >", u"<ul|>^</ul>"_s},
        PairCase{"a comment holding a fake end tag", u"<d|iv><!-- </div> -->^</div>"_s},
        PairCase{"a comment holding a fake start tag", u"^<div><!-- <div> --></di|v>"_s},
        PairCase{"a script holding a fake end tag", u"<p|><script>'</p>'</script>^</p>"_s},
        PairCase{"names in another case", u"<D|IV>x^</div>"_s},
        PairCase{"attributes holding a > in quotes", u"<a| title=\"a>b\">x^</a>"_s},
        PairCase{"unbalanced page: the start tag has no partner", u"<d|iv><div></div>"_s},
        PairCase{"unbalanced page: the end tag has no partner", u"<div></div></di|v>"_s},
        PairCase{"void element", u"<b|r><br>"_s},
        PairCase{"self-closed element", u"<di|v/></div>"_s},
        PairCase{"caret inside a comment", u"<!-- <d|iv></div> -->"_s},
        PairCase{"caret inside a script", u"<script>x='<d|iv></div>'</script>"_s},
        PairCase{"caret before the <", u"|<div></div>"_s},
        PairCase{"caret after the >", u"<div>|</div>"_s},
        PairCase{"caret in text", u"<div>a|b</div>"_s}),
    [](const testing::TestParamInfo<PairCase>& info) {
        return "case" + std::to_string(info.index);
    });

TEST(PartnerTag, APageLargerThanTheWindowGivesNothing)
{
    // The caller's window ends before the partner: nothing, not a guess.
    const QString page = u"<div>"_s + QString(100000, u'x') + u"</div>"_s;
    EXPECT_TRUE(partnerTagAt(page, 2).has_value());
    EXPECT_FALSE(partnerTagAt(QStringView(page).first(50000), 2).has_value());
}

struct CloseCase
{
    const char* what;
    QString marked; // "|" is the caret, right after the typed ">"
    bool lowerCase;
    QString endTag;
};

void PrintTo(const CloseCase& c, std::ostream* os)
{
    *os << c.what;
}

class AutoCloseTable : public testing::TestWithParam<CloseCase>
{
};

TEST_P(AutoCloseTable, InsertsTheEndTagOfAStartTag)
{
    const CloseCase& c = GetParam();
    qsizetype caret = 0;
    const QString text = test::withoutCaret(c.marked, caret);
    TagCaseOptions tagCase;
    tagCase.upperTag = c.lowerCase;
    EXPECT_EQ(endTagAfterGreaterThan(text, caret, tagCase), c.endTag) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Tags, AutoCloseTable,
    testing::Values(CloseCase{"a normal element", u"<p>|"_s, true, u"</p>"_s},
                    CloseCase{"with attributes, in lower case", u"<TABLE border=\"1\">|x"_s, true,
                              u"</table>"_s},
                    CloseCase{"in upper case", u"<table border=1>|"_s, false, u"</TABLE>"_s},
                    CloseCase{"a void element", u"<br>|"_s, true, QString()},
                    CloseCase{"a void element with attributes", u"<img src=\"a.png\">|"_s, true,
                              QString()},
                    CloseCase{"self-closed", u"<span/>|"_s, true, QString()},
                    CloseCase{"an end tag", u"<p></p>|"_s, true, QString()},
                    CloseCase{"a > inside a value", u"<p title=\"a>|"_s, true, QString()},
                    CloseCase{"in a comment", u"<!-- <p>|"_s, true, QString()},
                    CloseCase{"in a script", u"<script>if (a <b>|"_s, true, QString()},
                    CloseCase{"a > in text", u"a > b>|"_s, true, QString()},
                    CloseCase{"the end tag follows already", u"<p>|</P>"_s, true, QString()}),
    [](const testing::TestParamInfo<CloseCase>& info) {
        return "case" + std::to_string(info.index);
    });

// Types `typed` at the caret of `marked` and gives the partner's new name.
std::optional<QString> renamedPartner(const QString& marked, const QString& typed,
                                      qsizetype erased = 0)
{
    qsizetype caret = 0;
    QString text = test::withoutCaret(marked, caret);
    const std::optional<TagPair> before = partnerTagAt(text, caret);
    if (!before)
        return std::nullopt;
    text.remove(caret - erased, erased);
    caret -= erased;
    text.insert(caret, typed);
    caret += typed.size();
    const std::optional<NameReplacement> r =
        partnerRename(text, caret, *before, typed.size() - erased);
    if (!r)
        return std::nullopt;
    text.replace(r->from, r->to - r->from, r->name);
    return text;
}

TEST(PartnerRename, FollowsTheEditedName)
{
    EXPECT_EQ(renamedPartner(u"<div|>a</div>"_s, u"x"_s), u"<divx>a</divx>"_s);
    EXPECT_EQ(renamedPartner(u"<di|v class=a><div></div>a</div>"_s, u"V"_s),
              u"<diVv class=a><div></div>a</diVv>"_s);
    EXPECT_EQ(renamedPartner(u"<div|>a</div>"_s, QString(), 3), std::nullopt); // empty name
    EXPECT_EQ(renamedPartner(u"<ul|>a</ul>"_s, QString(), 1), u"<u>a</u>"_s);
    // From the end tag, the start tag follows.
    EXPECT_EQ(renamedPartner(u"<b>x</b|>"_s, u"ig"_s), u"<big>x</big>"_s);
    // Leaving the name (a blank) is no rename.
    EXPECT_EQ(renamedPartner(u"<p|>a</p>"_s, u" "_s), std::nullopt);
    // A name that is not a name any more is not copied.
    EXPECT_EQ(renamedPartner(u"<p|>a</p>"_s, u"\""_s), std::nullopt);
}

} // namespace
} // namespace qw
