// The readers of a page's addresses, fed any text: the preview's copy either
// is the page or the page with one base element put in or one base address
// made absolute; the first save's rewrites are sorted, apart, in bounds and
// each replaces exactly a remembered address.

#include "FuzzSupport.h"
#include "core/links/FirstSaveLinks.h"
#include "core/preview/PreviewFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    qw::fuzz::Input input(data, size);
    const std::uint8_t choice = input.byte();
    const QString link = qw::fuzz::textOf(input.part('\n'), 0);
    const QString text = qw::fuzz::textOf(input.rest(), choice);
    const QString document = QStringLiteral("/web/index.html");

    const QString copy = qw::previewPageText(text, document);
    const QString base = QStringLiteral("<base href=\"file:///web/index.html\">");
    if (copy.size() == text.size() + base.size()) {
        const qsizetype at = copy.indexOf(base);
        QW_FUZZ_CHECK(at >= 0);
        QW_FUZZ_CHECK(QString(copy).remove(at, base.size()) == text);
    }
    QW_FUZZ_CHECK(qw::previewPageText(text, QString()) == text);

    QList<qw::InsertedLink> links;
    qw::rememberInsertedLink(links, {u'/' + link, QStringLiteral("/web/img/a.png")});
    qw::LinkOptions options;
    options.lowerFileName = (choice & 8) != 0;
    const QList<qw::TextReplacement> replacements =
        qw::firstSaveLinkReplacements(text, links, document, options);
    qsizetype end = 0;
    for (const qw::TextReplacement& r : replacements) {
        QW_FUZZ_CHECK(r.start >= end && r.start + r.length <= text.size());
        QW_FUZZ_CHECK(QStringView(text).sliced(r.start, r.length) == links.constFirst().link);
        end = r.start + r.length;
    }
    return 0;
}
