#include "core/shell/DocumentList.h"

#include "core/shell/ShellTexts.h"

#include <algorithm>

namespace qw {

const DocumentList::Entry* DocumentList::active() const
{
    if (m_active < 0 || m_active >= count())
        return nullptr;
    return &m_entries.at(m_active);
}

const DocumentList::Entry& DocumentList::add(const QString& path)
{
    Entry e;
    e.key = m_counter;
    e.path = path.isEmpty() ? QStringLiteral("dokument%1").arg(m_counter) : path;
    ++m_counter;
    // A new document given back under its old name: later new ones must not
    // take that name again.
    if (isUntitled(path)) {
        bool numbered = false;
        const int number = QStringView(path).sliced(8).toInt(&numbered);
        if (numbered && number >= m_counter)
            m_counter = number + 1;
    }
    m_entries.append(e);
    m_active = count() - 1;
    return m_entries.constLast();
}

int DocumentList::indexOfPath(const QString& path) const
{
    for (int i = 0; i < count(); ++i) {
        if (m_entries.at(i).path == path)
            return i;
    }
    return -1;
}

void DocumentList::setPath(int index, const QString& path)
{
    if (index >= 0 && index < count())
        m_entries[index].path = path;
}

void DocumentList::setReadOnly(int index, bool readOnly)
{
    if (index >= 0 && index < count())
        m_entries[index].readOnly = readOnly;
}

void DocumentList::setActiveIndex(int index)
{
    if (index >= 0 && index < count())
        m_active = index;
}

void DocumentList::removeActive()
{
    if (m_active < 0 || m_active >= count())
        return;
    m_entries.removeAt(m_active);
    m_active = isEmpty() ? -1 : std::min(m_active, count() - 1);
}

void DocumentList::stepRightAfterClose()
{
    if (count() >= 2)
        m_active = nextIndex(m_active);
}

int DocumentList::nextIndex(int index) const
{
    if (isEmpty())
        return -1;
    return (index + 1) % count();
}

DocumentList::Navigation DocumentList::navigation() const
{
    Navigation n;
    if (m_active < 0)
        return n;
    n.first = m_active != 0;
    n.previous = m_active > 0;
    n.next = m_active != count() - 1;
    n.last = n.next;
    return n;
}

bool DocumentList::isUntitled(const QString& path)
{
    return path.startsWith(QLatin1StringView("dokument"));
}

QString DocumentList::tabCaption(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash < 0 ? path : path.mid(slash + 1);
}

QString DocumentList::tabText(const Entry& entry)
{
    const QString caption = tabCaption(entry.path);
    return entry.readOnly ? readOnlyText(caption) : caption;
}

QString DocumentList::windowText(const Entry& entry)
{
    const QString caption = windowCaption(entry.path);
    return entry.readOnly ? readOnlyText(caption) : caption;
}

DocumentList::SaveTarget DocumentList::saveTarget(const Entry& entry, bool modified)
{
    if (isUntitled(entry.path))
        return SaveTarget::NewName;
    if (entry.readOnly)
        return modified ? SaveTarget::NewName : SaveTarget::Nothing;
    return SaveTarget::OwnFile;
}

bool DocumentList::mayWriteTo(const Entry& entry, const QString& path)
{
    return !entry.readOnly || path != entry.path;
}

} // namespace qw
