#pragma once

#include <QJsonObject>
#include <QString>

namespace qw {

// The per-user store of simple settings and recent files: one JSON file
// whose top-level objects play the part of registry keys ("Settings",
// "RecentFiles"), each holding named values.
class UserStore
{
public:
    explicit UserStore(QString path) : m_path(std::move(path)) {}

    const QString& path() const { return m_path; }

    // The whole store; empty when the file is missing, unreadable or not a
    // JSON object.
    QJsonObject read() const;
    // Replaces the file atomically, creating its folder when needed.
    bool write(const QJsonObject& root) const;

private:
    QString m_path;
};

} // namespace qw
