#include "app/spelling/WebSpelling.h"

#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QProcess>

namespace qw {

QString webDictionaryFolder(const QString& dataHome)
{
    return dataHome + QStringLiteral("/Quenwick/qtwebengine_dictionaries");
}

QString webLanguageName(const QString& dictionaryName)
{
    return QString(dictionaryName).replace(u'_', u'-');
}

void pointWebEngineAt(const QString& folder)
{
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DICTIONARIES_PATH"))
        qputenv("QTWEBENGINE_DICTIONARIES_PATH", QFile::encodeName(folder));
}

void prepareWebDictionary(const DictionaryFiles& dictionary, const QString& folder,
                          QObject* context, std::function<void(bool ready)> done)
{
    const QString target =
        QDir(folder).filePath(webLanguageName(dictionary.name) + QStringLiteral(".bdic"));
    const QFileInfo converted(target);
    if (converted.exists() &&
        converted.lastModified() >= QFileInfo(dictionary.wordFile).lastModified()) {
        done(true);
        return;
    }
    const QString converter = QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) +
                              QStringLiteral("/qwebengine_convert_dict");
    if (!QFileInfo(converter).isExecutable() || !QDir().mkpath(folder)) {
        done(false);
        return;
    }
    // Written beside the target and renamed, so the engine never reads half
    // a dictionary.
    const QString partial = target + QStringLiteral(".part");
    auto* process = new QProcess(context);
    QObject::connect(process, &QProcess::finished, context,
                     [process, partial, target, done](int code, QProcess::ExitStatus status) {
                         process->deleteLater();
                         bool ok = status == QProcess::NormalExit && code == 0 &&
                                   QFileInfo::exists(partial);
                         if (ok) {
                             QFile::remove(target);
                             ok = QFile::rename(partial, target);
                         }
                         QFile::remove(partial);
                         done(ok);
                     });
    QObject::connect(process, &QProcess::errorOccurred, context,
                     [process, done](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart) {
                             process->deleteLater();
                             done(false);
                         }
                     });
    process->start(converter, {dictionary.wordFile, partial});
}

} // namespace qw
