#include "app/shell/HandOffQueue.h"

#include "app/shell/DocumentManager.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace qw {

HandOffQueue::HandOffQueue(DocumentManager& documents, QObject* parent)
    : QObject(parent), m_documents(documents)
{
    // Queued: the command that asked finishes with its own document first.
    connect(&m_documents, &DocumentManager::questionAnswered, this, &HandOffQueue::openWaiting,
            Qt::QueuedConnection);
}

void HandOffQueue::deliver(const QString& path)
{
    if (path.isEmpty())
        return;
    m_waiting.append(path);
    openWaiting();
}

void HandOffQueue::openWaiting()
{
    while (!m_waiting.isEmpty()) {
        // Any modal dialog of the program (an element dialog, a message box)
        // holds the document it was opened for.
        if (QWidget* modal = QApplication::activeModalWidget()) {
            watchModal(modal);
            return;
        }
        if (m_documents.questionOpen())
            return; // questionAnswered comes back here
        // Opening may itself ask (an unreadable file, one open already);
        // paths that arrive meanwhile wait behind this one.
        m_documents.openDocument(m_waiting.takeFirst());
    }
}

void HandOffQueue::watchModal(QWidget* modal)
{
    if (m_watched == modal)
        return;
    if (m_watched != nullptr)
        m_watched->removeEventFilter(this);
    m_watched = modal;
    modal->installEventFilter(this);
    connect(modal, &QObject::destroyed, this, &HandOffQueue::openWaiting, Qt::QueuedConnection);
}

bool HandOffQueue::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_watched && event->type() == QEvent::Hide) {
        m_watched->removeEventFilter(this);
        disconnect(m_watched, &QObject::destroyed, this, nullptr);
        m_watched = nullptr;
        QMetaObject::invokeMethod(this, &HandOffQueue::openWaiting, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace qw
