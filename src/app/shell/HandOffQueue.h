#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>

class QWidget;

namespace qw {

class DocumentManager;

// Files handed over by later starts (or a file manager) open at once, unless
// a modal question is open: then they wait until it is answered, so that the
// answer acts on the document it was asked about and not on a tab that
// appeared under it.
class HandOffQueue : public QObject
{
    Q_OBJECT
public:
    HandOffQueue(DocumentManager& documents, QObject* parent = nullptr);

    // Opens path now or after the open question; an empty path opens nothing.
    void deliver(const QString& path);
    const QStringList& waiting() const { return m_waiting; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openWaiting();
    void watchModal(QWidget* modal);

    DocumentManager& m_documents;
    QStringList m_waiting;
    QPointer<QWidget> m_watched;
};

} // namespace qw
