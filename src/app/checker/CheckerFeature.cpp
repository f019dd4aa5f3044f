#include "app/checker/CheckerFeature.h"

#include "app/checker/CheckRunner.h"
#include "app/checker/CheckerPanel.h"
#include "app/editor/ScintillaEditor.h"
#include "app/services/ActionRegistry.h"
#include "app/services/DocumentAccess.h"

#include <QDockWidget>
#include <QMainWindow>
#include <QTreeWidget>

namespace qw {

namespace {
// Typing has stopped when no key came for this long.
constexpr int kTypingPauseMs = 1000;
} // namespace

CheckerFeature::CheckerFeature(const FeatureContext& context, QObject* parent)
    : QObject(parent), m_context(context)
{
    m_runner = new CheckRunner(this);
    m_panel = new CheckerPanel;
    m_dock = new QDockWidget(QStringLiteral("Kontrola"), context.window);
    m_dock->setObjectName(QStringLiteral("CheckerDock"));
    m_dock->setAccessibleName(QStringLiteral("Kontrola"));
    m_dock->setAllowedAreas(Qt::BottomDockWidgetArea | Qt::TopDockWidgetArea);
    m_dock->setWidget(m_panel);
    if (auto* window = qobject_cast<QMainWindow*>(context.window))
        window->addDockWidget(Qt::BottomDockWidgetArea, m_dock);
    m_dock->hide();

    m_typingTimer.setSingleShot(true);
    m_typingTimer.setInterval(kTypingPauseMs);
    connect(&m_typingTimer, &QTimer::timeout, this, [this] {
        if (m_dock->isVisible())
            startCheck();
    });
    connect(m_runner, &CheckRunner::finished, this, &CheckerFeature::showFindings);
    connect(m_panel, &CheckerPanel::findingActivated, this, &CheckerFeature::goToFinding);

    ActionRegistry& commands = context.commands;
    commands.registerAction(QStringLiteral("tools.checkPage"),
                            [this](ActionPlace) { checkPage(); });
    commands.registerAction(QStringLiteral("tools.nextFinding"),
                            [this](ActionPlace) { goToNextFinding(true); });
    commands.registerAction(QStringLiteral("tools.previousFinding"),
                            [this](ActionPlace) { goToNextFinding(false); });
}

void CheckerFeature::checkPage()
{
    m_dock->show();
    m_dock->raise();
    startCheck();
}

void CheckerFeature::followCurrentDocument()
{
    m_typingTimer.stop();
    if (!m_dock->isVisible())
        return;
    startCheck();
}

void CheckerFeature::startCheck()
{
    m_typingTimer.stop();
    ScintillaEditor* editor = m_context.documents.current();
    if (editor == nullptr) {
        m_runner->cancel();
        m_checked = nullptr;
        m_panel->setRunning(false);
        m_panel->setFindings({});
        return;
    }
    watch(editor);
    if (m_checked != editor)
        m_panel->setFindings({});
    m_checked = editor;
    m_changedSinceCopy = false;
    m_panel->setRunning(true);
    // One copy of the bytes; the worker decodes what it needs.
    m_runner->start(editor->utf8Text(), m_context.documents.currentFilePath());
}

void CheckerFeature::watch(ScintillaEditor* editor)
{
    if (editor->property("qwCheckerWatched").toBool())
        return;
    editor->setProperty("qwCheckerWatched", true);
    editor->SendScintilla(QsciScintillaBase::SCI_INDICSETSTYLE, kIndicator,
                          QsciScintillaBase::INDIC_SQUIGGLE);
    editor->SendScintilla(QsciScintillaBase::SCI_INDICSETFORE, kIndicator, 0x0000C0L);
    QPointer<ScintillaEditor> guard(editor);
    connect(editor, &QsciScintillaBase::SCN_MODIFIED, this,
            [this, guard](int position, int type, const char*, int length, int, int, int, int, int,
                          int) {
                if (guard == nullptr || !(type & (QsciScintillaBase::SC_MOD_INSERTTEXT |
                                                  QsciScintillaBase::SC_MOD_DELETETEXT)))
                    return;
                if (guard == m_checked) {
                    m_changedSinceCopy = true;
                    if (m_dock->isVisible())
                        m_typingTimer.start();
                }
                clearMarksAround(guard, position,
                                 (type & QsciScintillaBase::SC_MOD_INSERTTEXT) ? length : 0);
            });
}

void CheckerFeature::clearMarksAround(ScintillaEditor* editor, long position, long length)
{
    // The mark of a place goes once the text there changes: the runs that
    // touch the edit go whole, the rest stay.
    const long total = editor->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
    long from = std::max(0L, position - 1);
    long to = std::min(total, position + length + 1);
    if (from < total &&
        editor->SendScintilla(QsciScintillaBase::SCI_INDICATORVALUEAT, kIndicator, from) != 0)
        from = editor->SendScintilla(QsciScintillaBase::SCI_INDICATORSTART, kIndicator, from);
    if (to > 0 && to <= total &&
        editor->SendScintilla(QsciScintillaBase::SCI_INDICATORVALUEAT, kIndicator, to - 1) != 0)
        to = editor->SendScintilla(QsciScintillaBase::SCI_INDICATOREND, kIndicator, to - 1);
    if (to <= from)
        return;
    editor->SendScintilla(QsciScintillaBase::SCI_SETINDICATORCURRENT, kIndicator);
    editor->SendScintilla(QsciScintillaBase::SCI_INDICATORCLEARRANGE, from, to - from);
}

void CheckerFeature::showFindings(const QList<PageFinding>& findings)
{
    m_panel->setRunning(false);
    m_panel->setFindings(findings);
    markFindings();
    Q_EMIT checked();
}

long CheckerFeature::positionOf(const PageFinding& finding) const
{
    ScintillaEditor* editor = m_checked;
    if (editor == nullptr || finding.line < 1)
        return -1;
    const long lines = editor->SendScintilla(QsciScintillaBase::SCI_GETLINECOUNT);
    if (finding.line > lines)
        return -1;
    const long lineStart =
        editor->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, finding.line - 1);
    const long lineEnd =
        editor->SendScintilla(QsciScintillaBase::SCI_GETLINEENDPOSITION, finding.line - 1);
    const long pos = editor->SendScintilla(QsciScintillaBase::SCI_POSITIONRELATIVE, lineStart,
                                           std::max(0, finding.column - 1));
    // A column past the line's end (or a text that changed since) stays on the line.
    return (pos <= 0 && finding.column > 1) || pos > lineEnd ? lineEnd : pos;
}

void CheckerFeature::markFindings()
{
    ScintillaEditor* editor = m_checked;
    if (editor == nullptr)
        return;
    editor->SendScintilla(QsciScintillaBase::SCI_SETINDICATORCURRENT, kIndicator);
    editor->SendScintilla(QsciScintillaBase::SCI_INDICATORCLEARRANGE, 0,
                          editor->SendScintilla(QsciScintillaBase::SCI_GETLENGTH));
    // Findings of a text typed over meanwhile would mark the wrong places;
    // the next run marks the right ones.
    if (m_changedSinceCopy)
        return;
    for (const PageFinding& f : m_panel->findings()) {
        const long from = positionOf(f);
        if (from < 0)
            continue;
        long to = editor->SendScintilla(QsciScintillaBase::SCI_POSITIONRELATIVE, from,
                                        std::max(1, f.length));
        if (to <= from)
            to = editor->SendScintilla(QsciScintillaBase::SCI_GETLINEENDPOSITION, f.line - 1);
        if (to > from)
            editor->SendScintilla(QsciScintillaBase::SCI_INDICATORFILLRANGE, from, to - from);
    }
}

void CheckerFeature::goToFinding(int row)
{
    if (row < 0 || row >= m_panel->findings().size())
        return;
    ScintillaEditor* editor = m_checked;
    if (editor == nullptr)
        return;
    const long pos = positionOf(m_panel->findings().at(row));
    if (pos < 0)
        return;
    editor->SendScintilla(QsciScintillaBase::SCI_GOTOPOS, pos);
    editor->setFocus(Qt::OtherFocusReason);
}

void CheckerFeature::goToNextFinding(bool forward)
{
    const QList<PageFinding>& findings = m_panel->findings();
    ScintillaEditor* editor = m_checked;
    if (findings.isEmpty() || editor == nullptr)
        return;
    const long caret = editor->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS);
    // Findings are in the order of the page: the first one past the caret.
    int row = -1;
    if (forward) {
        for (int i = 0; i < findings.size(); ++i) {
            const long pos = positionOf(findings.at(i));
            if (pos > caret) {
                row = i;
                break;
            }
        }
        if (row < 0)
            row = 0;
    } else {
        for (int i = int(findings.size()) - 1; i >= 0; --i) {
            const long pos = positionOf(findings.at(i));
            if (pos >= 0 && pos < caret) {
                row = i;
                break;
            }
        }
        if (row < 0)
            row = int(findings.size()) - 1;
    }
    m_panel->selectRow(row);
    goToFinding(row);
}

} // namespace qw
