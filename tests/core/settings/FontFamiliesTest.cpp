#include "core/settings/FontFamilies.h"

#include <gtest/gtest.h>

namespace qw {
namespace {

TEST(FontFamilies, EachFamilyOnceWithoutItsFoundry)
{
    struct Case
    {
        const char* what;
        QStringList families;
        QStringList choices;
    };
    const Case cases[] = {
        {"one family from two foundries",
         {QStringLiteral("Nimbus Sans [UKWN]"), QStringLiteral("Nimbus Sans [urw]")},
         {QStringLiteral("Nimbus Sans")}},
        {"a bare name and a foundry's copy of it",
         {QStringLiteral("DejaVu Sans"), QStringLiteral("DejaVu Sans [PfEd]"),
          QStringLiteral("Verdana")},
         {QStringLiteral("DejaVu Sans"), QStringLiteral("Verdana")}},
        {"order first met is kept",
         {QStringLiteral("Z Font [a]"), QStringLiteral("A Font"), QStringLiteral("Z Font [b]")},
         {QStringLiteral("Z Font"), QStringLiteral("A Font")}},
        {"letter case does not make another family",
         {QStringLiteral("Liberation Mono"), QStringLiteral("liberation mono [1ASC]")},
         {QStringLiteral("Liberation Mono")}},
        {"brackets that are part of the name stay",
         {QStringLiteral("[Bracket]"), QStringLiteral("Name]")},
         {QStringLiteral("[Bracket]"), QStringLiteral("Name]")}},
        {"empty names are dropped", {QString(), QStringLiteral(" [x]")}, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fontFamilyChoices(c.families), c.choices) << c.what;
}

} // namespace
} // namespace qw
