#include "core/settings/UserStore.h"

#include "core/text/AtomicFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

namespace qw {

QJsonObject UserStore::read() const
{
    // Only a plain file is opened: a pipe would block the start.
    QFile file(m_path);
    if (!QFileInfo(m_path).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll());
    return doc.isObject() ? doc.object() : QJsonObject();
}

bool UserStore::write(const QJsonObject& root) const
{
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        return false;
    return writeFileAtomically(m_path, QJsonDocument(root).toJson(QJsonDocument::Indented)).ok;
}

} // namespace qw
