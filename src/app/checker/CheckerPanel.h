#pragma once

#include "core/check/PageFinding.h"

#include <QList>
#include <QWidget>

class QLabel;
class QTreeWidget;

namespace qw {

// The panel "Kontrola": the findings of the last check, one row each with
// its kind (and icon), "Řádek", "Sloupec" and the message.
class CheckerPanel : public QWidget
{
    Q_OBJECT
public:
    // A list this long is more than anyone reads, and filling it costs the
    // window's thread a while on every run: the rest are only counted.
    static constexpr int kMaxRows = 2000;

    explicit CheckerPanel(QWidget* parent = nullptr);

    // Shows findings (the first kMaxRows of them); the row selected before stays selected where the
    // same finding is still there (else the row at the same place).
    void setFindings(const QList<PageFinding>& findings);
    const QList<PageFinding>& findings() const { return m_findings; }
    // While a check runs the panel says so.
    void setRunning(bool running);

    // The selected row, or -1.
    int currentRow() const;
    void selectRow(int row);

    QTreeWidget* list() const { return m_list; }

Q_SIGNALS:
    // A double-click or Enter on the row.
    void findingActivated(int row);

private:
    void updateStatus();

    QLabel* m_status = nullptr;
    QTreeWidget* m_list = nullptr;
    QList<PageFinding> m_findings;
    qsizetype m_total = 0;
    // Of every finding, shown or only counted: chyba, varování, poznámka.
    qsizetype m_counts[3] = {0, 0, 0};
    bool m_running = false;
};

} // namespace qw
