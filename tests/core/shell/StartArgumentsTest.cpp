#include "core/shell/StartArguments.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace qw {
namespace {

// A working folder with a few pages, one of them named like an option.
class StartArgumentsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QDir(m_dir.path()).mkdir(QStringLiteral("sub"));
        for (const char* name : {"a.html", "b.html", "c d.html", "-dash.html", "sub/e.html"}) {
            QFile f(m_dir.filePath(QString::fromLatin1(name)));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
    }
    StartRequest parse(const QStringList& afterProgram) const
    {
        return parseStartArguments(QStringList{QStringLiteral("quenwick")} + afterProgram,
                                   m_dir.path());
    }
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir m_dir;
};

TEST_F(StartArgumentsTest, FilesOpenInTheOrderNamedAndAbsolute)
{
    struct Case
    {
        QStringList arguments;
        QStringList files;
    };
    const Case cases[] = {
        {{}, {}},
        {{QStringLiteral("a.html")}, {path("a.html")}},
        // The shell expands "*.html" in its own order; that order is kept.
        {{QStringLiteral("b.html"), QStringLiteral("a.html"), QStringLiteral("c d.html")},
         {path("b.html"), path("a.html"), path("c d.html")}},
        {{QStringLiteral("sub/../sub/e.html"), path("a.html")},
         {path("sub/e.html"), path("a.html")}},
        // Names of nothing, or of a folder, open nothing; the rest still open.
        {{QStringLiteral("missing.html"), QStringLiteral("sub"), QStringLiteral("b.html")},
         {path("b.html")}},
        {{QStringLiteral("--"), QStringLiteral("-dash.html"), QStringLiteral("a.html")},
         {path("-dash.html"), path("a.html")}},
    };
    for (const Case& c : cases) {
        const StartRequest r = parse(c.arguments);
        EXPECT_EQ(r.action, StartRequest::Action::Run) << c.arguments.join(u' ').toStdString();
        EXPECT_EQ(r.files, c.files) << c.arguments.join(u' ').toStdString();
    }
}

TEST_F(StartArgumentsTest, OptionsAnswerInsteadOfOpening)
{
    struct Case
    {
        QStringList arguments;
        StartRequest::Action action;
        QString unknown;
    };
    const Case cases[] = {
        {{QStringLiteral("--version")}, StartRequest::Action::Version, {}},
        {{QStringLiteral("a.html"), QStringLiteral("--version")},
         StartRequest::Action::Version,
         {}},
        {{QStringLiteral("--help")}, StartRequest::Action::Help, {}},
        {{QStringLiteral("-h"), QStringLiteral("a.html")}, StartRequest::Action::Help, {}},
        {{QStringLiteral("--bogus"), QStringLiteral("a.html")},
         StartRequest::Action::Unknown,
         QStringLiteral("--bogus")},
        // After "--" nothing is an option any more.
        {{QStringLiteral("--"), QStringLiteral("--version")}, StartRequest::Action::Run, {}},
    };
    for (const Case& c : cases) {
        const StartRequest r = parse(c.arguments);
        EXPECT_EQ(r.action, c.action) << c.arguments.join(u' ').toStdString();
        EXPECT_EQ(r.unknownOption, c.unknown) << c.arguments.join(u' ').toStdString();
        if (c.action != StartRequest::Action::Run) {
            EXPECT_TRUE(r.files.isEmpty()) << c.arguments.join(u' ').toStdString();
        }
    }
}

TEST(StartUsage, NamesEveryOptionInCzech)
{
    const QString usage = startUsageText();
    EXPECT_TRUE(usage.startsWith(QStringLiteral("Použití: quenwick")));
    for (const char* option : {"--help", "-h", "--version", "SOUBOR"})
        EXPECT_TRUE(usage.contains(QString::fromLatin1(option))) << option;
}

} // namespace
} // namespace qw
