#include "core/check/PageCheck.h"

#include "core/check/LinkCheck.h"

namespace qw {

using namespace Qt::StringLiterals;

QString uncheckedPageText(CheckOutcome outcome, bool tooDeep)
{
    if (outcome == CheckOutcome::TimedOut)
        return u"Stránku se nepodařilo zkontrolovat: kontrola trvala příliš dlouho."_s;
    if (tooDeep)
        return u"Stránku se nepodařilo zkontrolovat: prvky jsou do sebe vnořeny příliš hluboko."_s;
    return u"Stránku se nepodařilo zkontrolovat."_s;
}

PageCheck checkPage(const QByteArray& utf8, const QString& documentPath,
                    const CheckControl& control)
{
    PageCheck result;
    MarkupCheck markup = checkMarkup(utf8, control);
    result.outcome = markup.outcome;
    if (markup.outcome == CheckOutcome::Done && control.stopped()) {
        result.outcome = control.cancel != nullptr && control.cancel->load()
                             ? CheckOutcome::Cancelled
                             : CheckOutcome::TimedOut;
    }
    if (result.outcome == CheckOutcome::Cancelled)
        return result;
    if (result.outcome != CheckOutcome::Done) {
        PageFinding f;
        f.kind = FindingKind::Error;
        f.message = uncheckedPageText(result.outcome, markup.tooDeep);
        result.findings.append(f);
        return result;
    }
    result.findings = std::move(markup.findings);
    result.findings.append(checkLinks(QString::fromUtf8(utf8), documentPath));
    sortFindings(result.findings);
    return result;
}

} // namespace qw
