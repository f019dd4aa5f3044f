#pragma once

#include "app/services/FeatureContext.h"
#include "core/check/PageFinding.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

class QDockWidget;

namespace qw {

class CheckRunner;
class CheckerPanel;
class ScintillaEditor;

// "Zkontrolovat stránku" (with "Další nález" and "Předchozí nález"): the
// current document checked off the window's thread, the findings in the
// panel "Kontrola" below the editor and marked under the text. While the
// panel is shown the check runs again a second after typing stops.
class CheckerFeature : public QObject
{
    Q_OBJECT
public:
    // Scintilla's indicator that marks the places of the findings.
    static constexpr int kIndicator = 24;

    CheckerFeature(const FeatureContext& context, QObject* parent = nullptr);

    // Shows the panel and checks the current document now.
    void checkPage();
    // Moves to the finding after (before) the caret, round at the end.
    void goToNextFinding(bool forward);
    // Another document became the current one.
    void followCurrentDocument();

    CheckerPanel* panel() const { return m_panel; }
    QDockWidget* dock() const { return m_dock; }
    CheckRunner* runner() const { return m_runner; }
    QTimer& typingTimer() { return m_typingTimer; }

Q_SIGNALS:
    // The findings of a check are shown.
    void checked();

private:
    void startCheck();
    void showFindings(const QList<PageFinding>& findings);
    void watch(ScintillaEditor* editor);
    void goToFinding(int row);
    void markFindings();
    void clearMarksAround(ScintillaEditor* editor, long position, long length);
    long positionOf(const PageFinding& finding) const;

    FeatureContext m_context;
    QDockWidget* m_dock = nullptr;
    CheckerPanel* m_panel = nullptr;
    CheckRunner* m_runner = nullptr;
    QTimer m_typingTimer;
    // The document the findings are of, and whether its text has changed
    // since the copy that was checked.
    QPointer<ScintillaEditor> m_checked;
    bool m_changedSinceCopy = false;
};

} // namespace qw
