#include "core/findinfiles/FileReplace.h"

#include "core/editor/EditorWidget.h"
#include "core/text/AtomicFileWriter.h"
#include "core/text/Utf8.h"
#include "core/text/Windows1250.h"

#include <QFile>

#include <sys/stat.h>

namespace qw {
namespace {

const QString kChangedSince = QStringLiteral("Soubor se od hledání změnil, nebyl přepsán.");

bool inFileOrder(QByteArrayView bytes, const QList<TextMatch>& chosen)
{
    qint64 end = 0;
    for (const TextMatch& m : chosen) {
        if (m.byteStart < end || m.byteLength < 0 || m.byteStart + m.byteLength > bytes.size())
            return false;
        end = m.byteStart + m.byteLength;
    }
    return true;
}

} // namespace

QByteArray replacedBytes(QByteArrayView bytes, TextEncoding encoding,
                         const QList<TextMatch>& chosen)
{
    QByteArray out;
    out.reserve(bytes.size() + bytes.size() / 16 + 64);
    qint64 at = 0;
    for (const TextMatch& m : chosen) {
        out.append(bytes.sliced(at, m.byteStart - at));
        if (encoding == TextEncoding::Windows1250)
            appendWindows1250(out, m.replacement);
        else
            appendUtf8(out, m.replacement);
        at = m.byteStart + m.byteLength;
    }
    out.append(bytes.sliced(at));
    return out;
}

ReplaceOutcome replaceInFile(const FileResult& searched, const QList<TextMatch>& chosen)
{
    ReplaceOutcome outcome;
    if (chosen.isEmpty()) {
        outcome.ok = true;
        return outcome;
    }
    QFile file(searched.path);
    if (!file.open(QIODevice::ReadOnly)) {
        outcome.errorText = QStringLiteral("Soubor nelze číst: %1").arg(file.errorString());
        return outcome;
    }
    const QByteArray bytes = file.readAll();
    file.close();
    struct stat st = {};
    if (::stat(QFile::encodeName(searched.path).constData(), &st) != 0) {
        outcome.errorText = kChangedSince;
        return outcome;
    }
    const qint64 modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    if (fileVersionOf(bytes, modifiedNs) != searched.version || !inFileOrder(bytes, chosen)) {
        outcome.errorText = kChangedSince;
        return outcome;
    }
    const FileWriteResult written =
        writeFileAtomically(searched.path, replacedBytes(bytes, searched.encoding, chosen));
    if (!written.ok) {
        outcome.errorText = QStringLiteral("Soubor nelze zapsat: %1").arg(written.errorText);
        return outcome;
    }
    outcome.ok = true;
    outcome.replaced = chosen.size();
    return outcome;
}

ReplaceOutcome replaceInEditor(EditorWidget& editor, const QList<TextMatch>& chosen)
{
    ReplaceOutcome outcome;
    QList<EditorWidget::Range> ranges;
    ranges.reserve(chosen.size());
    bool oneReplacement = true;
    qsizetype end = 0;
    for (const TextMatch& m : chosen) {
        const qsizetype from =
            m.line < editor.lineCount() ? editor.lineStart(m.line) + m.column : -1;
        if (from < end || editor.textRange(from, from + m.length) != m.matched) {
            outcome.errorText =
                QStringLiteral("Dokument se od hledání změnil, nic v něm nebylo nahrazeno.");
            return outcome;
        }
        ranges.append({from, from + m.length});
        end = from + m.length;
        oneReplacement = oneReplacement && m.replacement == chosen.first().replacement;
    }
    if (ranges.isEmpty()) {
        outcome.ok = true;
        return outcome;
    }
    if (oneReplacement) {
        editor.replaceRanges(ranges, chosen.first().replacement);
    } else {
        UndoGroup group(editor);
        for (qsizetype i = ranges.size() - 1; i >= 0; --i)
            replaceRange(editor, ranges[i].from, ranges[i].to, chosen[i].replacement);
    }
    outcome.ok = true;
    outcome.replaced = chosen.size();
    return outcome;
}

} // namespace qw
