#pragma once

#include "app/shell/AppContext.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <optional>

namespace qw::test {

// A program folder of its own, so settings written by one window are read
// back by the next exactly as at a restart. html.dat is written when given
// (also empty); tag.dat is copied from tagDatSource when one is named.
class TestInstallation
{
public:
    explicit TestInstallation(const std::optional<QByteArray>& htmlDat = std::nullopt,
                              const QString& tagDatSource = QString())
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("prog/Data/Settings"));
        if (htmlDat.has_value()) {
            QFile f(m_dir.filePath(QStringLiteral("prog/Data/Settings/html.dat")));
            if (f.open(QIODevice::WriteOnly))
                f.write(*htmlDat);
        }
        if (!tagDatSource.isEmpty())
            QFile::copy(tagDatSource, m_dir.filePath(QStringLiteral("prog/Data/Settings/tag.dat")));
    }

    std::unique_ptr<AppContext> context(UiServices& ui) const
    {
        AppPaths paths(
            m_dir.filePath(QStringLiteral("prog")), m_dir.filePath(QStringLiteral("cfg")),
            m_dir.filePath(QStringLiteral("data")), m_dir.filePath(QStringLiteral("tmp")));
        auto c = std::make_unique<AppContext>(paths, ui);
        c->loadSettings();
        return c;
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

} // namespace qw::test
