#include "core/check/PageCheck.h"

#include "core/check/LinkCheck.h"
#include "core/check/MarkupCheck.h"
#include "core/check/TidyTexts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

#include <atomic>
#include <tidy/tidy.h>

namespace qw {
namespace {

// A site folder: the page being checked is stranka.html in it.
class SiteFolder
{
public:
    SiteFolder()
    {
        touch(QStringLiteral("kontakt.html"));
        touch(QStringLiteral("obrázky/moje foto.png"));
        touch(QStringLiteral("styly/hlavni.css"));
    }
    QString pagePath() const { return m_dir.filePath(QStringLiteral("stranka.html")); }

private:
    void touch(const QString& relative)
    {
        const QString path = m_dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QTemporaryDir m_dir;
};

QString head()
{
    return QStringLiteral(
        "<!DOCTYPE html>\n<html lang=\"cs\"><head><title>t</title></head><body>\n");
}

std::string describe(const QList<PageFinding>& findings)
{
    std::string out;
    for (const PageFinding& f : findings) {
        out += std::to_string(f.line) + ":" + std::to_string(f.column) + " " +
               findingKindText(f.kind).toStdString() + " " + f.message.toStdString() + "\n";
    }
    return out;
}

struct ExpectedFinding
{
    const char* name;
    const char* body; // after head(): its first line is line 3
    FindingKind kind;
    int line;
    int column;
    const char* message;
};

// Each small page must give its finding at exactly this place and in these
// words; the table covers the markup and the addresses alike.
const ExpectedFinding Expected[] = {
    {"missing end tag", "<div><p>Text</p>\n</body></html>\n", FindingKind::Warning, 3, 1,
     "chybí </div>"},
    {"misnested inline elements", "<p><b><i>slovo</b></i></p>\n</body></html>\n",
     FindingKind::Warning, 3, 7, "koncová značka </b> nesedí, prvky jsou překříženy"},
    {"end tag after its parent ended", "<p><b>text</p></b>\n</body></html>\n", FindingKind::Warning,
     3, 4, "chybí </b> před </p>"},
    {"unknown attribute", "<p>a</p>\n<p barva=\"red\">b</p>\n</body></html>\n",
     FindingKind::Warning, 4, 1, "<p>: neznámý atribut „barva“"},
    {"duplicate id", "<p id=\"o\">a</p>\n  <div id=\"o\">b</div>\n</body></html>\n",
     FindingKind::Error, 4, 12, "Identifikátor „o“ je na stránce víckrát (poprvé na řádku 3)."},
    {"missing picture file", "<p>\n\t<img alt=\"\" src=\"obrazek.png\"></p>\n</body></html>\n",
     FindingKind::Error, 4, 19, "Obrázek „obrazek.png“ nebyl nalezen."},
    {"link to a missing page", "<p><a href=\"cenik.html#ceny\">Ceník</a></p>\n</body></html>\n",
     FindingKind::Error, 3, 13, "Odkaz vede na neexistující soubor „cenik.html#ceny“."},
    {"missing anchor",
     "<p><a href=\"#dole\">dolů</a> <a href=\"#nahore\">x</a></p>\n<h2 id=\"nahore\">N</h2>\n"
     "</body></html>\n",
     FindingKind::Error, 3, 13, "Záložka „#dole“ na stránce není (žádné id ani name toho jména)."},
    {"blank written as %20 in a missing name",
     "<p><img alt=\"\" src=\"obrázky/moje%20fotka.png\"></p>\n</body></html>\n", FindingKind::Error,
     3, 21, "Obrázek „obrázky/moje%20fotka.png“ nebyl nalezen."},
    {"missing folder", "<p><a href=\"archiv/\">Archiv</a></p>\n</body></html>\n",
     FindingKind::Error, 3, 13, "Složka „archiv/“ neexistuje."},
    {"srcset candidate",
     "<p><img alt=\"\" src=\"obrázky/moje%20foto.png\"\n srcset=\"obrázky/moje%20foto.png 1x, "
     "velky.png 2x\"></p>\n</body></html>\n",
     FindingKind::Error, 4, 38, "Obrázek „velky.png“ nebyl nalezen."},
    {"form action", "<form action=\"odeslat.php\"><p>x</p></form>\n</body></html>\n",
     FindingKind::Error, 3, 15, "Soubor „odeslat.php“ neexistuje."},
    {"background", "<table background=\"pozadi.gif\"><tr><td>x</td></tr></table>\n</body></html>\n",
     FindingKind::Error, 3, 20, "Obrázek „pozadi.gif“ nebyl nalezen."},
    {"picture without alt is a note",
     "<p><img src=\"obrázky/moje foto.png\"></p>\n</body></html>\n", FindingKind::Note, 3, 4,
     "Obrázek nemá náhradní text (atribut alt)."},
    {"column counts characters, not bytes",
     "<p>Žluťoučký kůň <img alt=\"\" src=\"kůň.png\"></p>\n</body></html>\n", FindingKind::Error, 3,
     35, "Obrázek „kůň.png“ nebyl nalezen."},
};

class PageCheckTable : public ::testing::TestWithParam<ExpectedFinding>
{
};

TEST_P(PageCheckTable, GivesTheFindingAtItsPlace)
{
    const ExpectedFinding& row = GetParam();
    SiteFolder site;
    const QString page = head() + QString::fromUtf8(row.body);
    const PageCheck result = checkPage(page.toUtf8(), site.pagePath());
    ASSERT_EQ(result.outcome, CheckOutcome::Done);
    bool found = false;
    for (const PageFinding& f : result.findings) {
        if (f.message == QString::fromUtf8(row.message)) {
            found = true;
            EXPECT_EQ(f.kind, row.kind) << row.name;
            EXPECT_EQ(f.line, row.line) << row.name;
            EXPECT_EQ(f.column, row.column) << row.name;
        }
    }
    EXPECT_TRUE(found) << row.name << ": expected \"" << row.message << "\" in\n"
                       << describe(result.findings);
}

INSTANTIATE_TEST_SUITE_P(Pages, PageCheckTable, ::testing::ValuesIn(Expected));

// Addresses that name what exists, or that are not files at all, must give
// nothing: a checker that cries wolf is not trusted.
TEST(PageCheck, CleanPageWithExistingAndForeignAddressesGivesNothing)
{
    SiteFolder site;
    const QString page =
        head() +
        QStringLiteral(
            "<p id=\"top-odstavec\"><a href=\"kontakt.html\">Kontakt</a>\n"
            "<a href=\"./kontakt.html?x=1&amp;y=2#mapa\">Mapa</a>\n"
            "<img alt=\"Foto\" src=\"obr%C3%A1zky/moje%20foto.png\">\n"
            "<a href=\"styly/\">styly</a> <a href=\"#top-odstavec\">nahoru</a> <a "
            "href=\"#\">x</a>\n"
            "<a href=\"https://example.org/chybi.html\">web</a> <a "
            "href=\"mailto:a@b.cz\">pošta</a>\n"
            "<a href=\"//cdn.example.org/x.js\">cdn</a> <a href=\"/z-korene.html\">kořen</a>\n"
            "<a href=\"javascript:void(0)\">skript</a></p>\n"
            "<script>var s = '<img src=\"neni.png\">';</script>\n"
            "<!-- <img src=\"taky-neni.png\"> -->\n"
            "</body></html>\n");
    const PageCheck result = checkPage(page.toUtf8(), site.pagePath());
    EXPECT_EQ(result.outcome, CheckOutcome::Done);
    EXPECT_TRUE(result.findings.isEmpty()) << describe(result.findings);
}

TEST(PageCheck, AddressWrittenWithRawBlankFindsItsFile)
{
    SiteFolder site;
    const QString page =
        head() + QStringLiteral("<p><img alt=\"\" src=\"obrázky/moje foto.png\">"
                                "<img alt=\"\" src=\"obrázky/moje fotka.png\"></p>\n"
                                "</body></html>\n");
    const QList<PageFinding> findings = checkLinks(page, site.pagePath());
    ASSERT_EQ(findings.size(), 1) << describe(findings);
    EXPECT_EQ(findings[0].message,
              QStringLiteral("Obrázek „obrázky/moje fotka.png“ nebyl nalezen."));
}

TEST(PageCheck, FileAddressesAreLookedUp)
{
    SiteFolder site;
    const QString folder = QFileInfo(site.pagePath()).absolutePath();
    const QString page = head() + QStringLiteral("<p><a href=\"") +
                         QUrl::fromLocalFile(folder + QStringLiteral("/kontakt.html")).toString() +
                         QStringLiteral("\">k</a> <a href=\"") +
                         QUrl::fromLocalFile(folder + QStringLiteral("/pryc.html")).toString() +
                         QStringLiteral("\">p</a></p>\n</body></html>\n");
    const QList<PageFinding> findings = checkLinks(page, site.pagePath());
    ASSERT_EQ(findings.size(), 1) << describe(findings);
    EXPECT_TRUE(findings[0].message.contains(QStringLiteral("pryc.html")));
}

TEST(PageCheck, PageWithoutFileChecksNamesButNoFiles)
{
    const QString page =
        head() + QStringLiteral("<p><img alt=\"\" src=\"neni.png\"><a href=\"#nic\">x</a></p>\n"
                                "</body></html>\n");
    const QList<PageFinding> findings = checkLinks(page, QString());
    ASSERT_EQ(findings.size(), 1) << describe(findings);
    EXPECT_TRUE(findings[0].message.contains(QStringLiteral("#nic")));
}

TEST(PageCheck, AbsoluteBaseLeavesRelativeAddressesAlone)
{
    SiteFolder site;
    const QString page = QStringLiteral(
        "<!DOCTYPE html>\n<html><head><title>t</title><base href=\"https://example.org/\">"
        "</head><body>\n<p><img alt=\"\" src=\"neni.png\"></p>\n</body></html>\n");
    EXPECT_TRUE(checkLinks(page, site.pagePath()).isEmpty());
}

TEST(PageCheck, FindingsComeInTheOrderOfThePage)
{
    SiteFolder site;
    const QString page = head() + QStringLiteral("<p><img alt=\"\" src=\"a.png\"><b>x</p>\n"
                                                 "<p bad=\"1\">y</p>\n</body></html>\n");
    const PageCheck result = checkPage(page.toUtf8(), site.pagePath());
    ASSERT_GE(result.findings.size(), 3) << describe(result.findings);
    for (qsizetype i = 1; i < result.findings.size(); ++i) {
        const PageFinding& a = result.findings[i - 1];
        const PageFinding& b = result.findings[i];
        EXPECT_TRUE(a.line < b.line || (a.line == b.line && a.column <= b.column))
            << describe(result.findings);
    }
}

// The library's messages by code in Czech, their arguments in place.
struct CzechRow
{
    const char* body;
    const char* code;
    const char* message;
};

const CzechRow CzechRows[] = {
    {"<p><b>x</p>\n", "MISSING_ENDTAG_BEFORE", "chybí </b> před </p>"},
    {"<p>x</b></p>\n", "DISCARDING_UNEXPECTED", "nečekaná značka </b>"},
    {"<p>&copy x</p>\n", "MISSING_SEMICOLON", "entita „&copy“ nekončí středníkem"},
    {"<p>&nic;</p>\n", "UNKNOWN_ENTITY", "samotný znak & nebo neznámá entita „&nic“"},
    {"<p><xyz>a</xyz></p>\n", "UNKNOWN_ELEMENT", "<xyz> je neznámý prvek"},
    {"<p><blink>x</blink></p>\n", "PROPRIETARY_ELEMENT", "<blink> není ve standardu W3C"},
    {"<p>x</p></span>\n", "DISCARDING_UNEXPECTED", "nečekaná značka </span>"},
    {"<center>x</center>\n", "REMOVED_HTML5", "prvek <center> v HTML5 není"},
    {"<p><a href=\"a b.html\">x</a></p>\n", "ILLEGAL_URI_CODEPOINT",
     "<a>: nepovolené znaky v adrese"},
    {"<p>x</p>\n<p align=\"middle\">y</p>\n", "BAD_ATTRIBUTE_VALUE",
     "<p>: atribut align má neplatnou hodnotu „middle“"},
    {"<p><p>\n", "TRIM_EMPTY_ELEMENT", "prázdný prvek <p>"},
};

TEST(MarkupCheck, CommonMessagesAreCzechWithTheirArguments)
{
    for (const CzechRow& row : CzechRows) {
        const QString page =
            head() + QString::fromUtf8(row.body) + QStringLiteral("</body></html>\n");
        const MarkupCheck result = checkMarkup(page.toUtf8());
        bool found = false;
        for (const PageFinding& f : result.findings) {
            if (f.code == QLatin1String(row.code)) {
                found = true;
                EXPECT_TRUE(f.czech) << row.code;
                EXPECT_EQ(f.message, QString::fromUtf8(row.message)) << row.code;
            }
        }
        EXPECT_TRUE(found) << row.code << " not given for " << row.body << "\n"
                           << describe(result.findings);
    }
}

TEST(MarkupCheck, CodeWithoutCzechTextShowsTheLibrarysText)
{
    bool czech = true;
    EXPECT_EQ(markupMessageText(BAD_SURROGATE_PAIR, {QStringLiteral("U+D800")},
                                QStringLiteral("Have out-of-range surrogate pair"), &czech),
              QStringLiteral("Have out-of-range surrogate pair"));
    EXPECT_FALSE(czech);
    // An argument holding a placeholder stays as written.
    EXPECT_EQ(markupMessageText(PROPRIETARY_ATTRIBUTE,
                                {QStringLiteral("<p>"), QStringLiteral("x%1")}, QString(), &czech),
              QStringLiteral("<p>: neznámý atribut „x%1“"));
    EXPECT_TRUE(czech);
}

TEST(MarkupCheck, DoctypeRulesFollowThePage)
{
    const QByteArray body = "<html><head><title>t</title></head><body>\n<center>x</center>\n"
                            "</body></html>\n";
    const auto codes = [](const QByteArray& page) {
        QStringList out;
        for (const PageFinding& f : checkMarkup(page).findings)
            out << f.code;
        return out;
    };
    // <center> left HTML5 but is an element of HTML 4 Transitional.
    EXPECT_TRUE(codes("<!DOCTYPE html>\n" + body).contains(QStringLiteral("REMOVED_HTML5")));
    EXPECT_FALSE(codes("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
                       "\"http://www.w3.org/TR/html4/loose.dtd\">\n" +
                       body)
                     .contains(QStringLiteral("REMOVED_HTML5")));
}

// Pages the library cannot be trusted with give one finding, never a crash
// or a hang.
TEST(PageCheck, TooDeeplyNestedPageIsGivenUp)
{
    QByteArray page = "<!DOCTYPE html><title>t</title>";
    for (int i = 0; i < 200000; ++i)
        page += "<div>";
    const PageCheck result = checkPage(page, QString());
    EXPECT_EQ(result.outcome, CheckOutcome::GaveUp);
    ASSERT_EQ(result.findings.size(), 1);
    EXPECT_EQ(
        result.findings[0].message,
        QStringLiteral(
            "Stránku se nepodařilo zkontrolovat: prvky jsou do sebe vnořeny příliš hluboko."));
}

TEST(PageCheck, PastItsTimeTheCheckStopsWithOneFinding)
{
    QByteArray page = "<!DOCTYPE html><title>t</title><body>";
    for (int i = 0; i < 20000; ++i)
        page += "<p><b>odstavec</p></b>\n";
    CheckControl control;
    control.deadline = std::chrono::steady_clock::now() - std::chrono::seconds(1);
    const PageCheck result = checkPage(page, QString(), control);
    EXPECT_EQ(result.outcome, CheckOutcome::TimedOut);
    ASSERT_EQ(result.findings.size(), 1) << describe(result.findings);
    EXPECT_EQ(result.findings[0].message,
              QStringLiteral("Stránku se nepodařilo zkontrolovat: kontrola trvala příliš dlouho."));
}

TEST(PageCheck, CancelledCheckGivesNothing)
{
    QByteArray page = "<!DOCTYPE html><title>t</title><body>";
    for (int i = 0; i < 20000; ++i)
        page += "<p><b>odstavec</p></b>\n";
    std::atomic<bool> cancel{true};
    CheckControl control;
    control.cancel = &cancel;
    const PageCheck result = checkPage(page, QString(), control);
    EXPECT_EQ(result.outcome, CheckOutcome::Cancelled);
    EXPECT_TRUE(result.findings.isEmpty());
}

struct DepthRow
{
    const char* page;
    int depth;
};

TEST(MarkupCheck, OpenElementDepthCountsOnlyWhatStaysOpen)
{
    const DepthRow rows[] = {
        {"<div><div><span>x</span></div></div>", 3},
        {"<ul><li>a<li>b<li>c</ul>", 1},        // optional end tags
        {"<p>a<p>b<p>c<br><img src=x><hr>", 0}, // void and optional
        {"<div/><div/><div/>", 0},              // self-closed
        {"<DIV><Div></div></DIV><div>", 2},     // any case
        {"a < b, 3<4 </ x", 0},                 // not tags
    };
    for (const DepthRow& row : rows)
        EXPECT_EQ(openElementDepth(row.page), row.depth) << row.page;
}

} // namespace
} // namespace qw
