#include "app/shell/Application.h"

#include "app/services/UiServices.h"
#include "app/shell/AppContext.h"
#include "app/shell/MainWindow.h"
#include "app/shell/SingleInstance.h"
#include "app/web/WebModule.h"
#include "core/recovery/RecoveryStore.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace qw {

QString startFileFromArguments(const QStringList& arguments)
{
    if (arguments.size() < 2)
        return {};
    const QFileInfo info(arguments.at(1));
    if (!info.isFile())
        return {};
    return info.absoluteFilePath();
}

void nameApplication()
{
    QApplication::setApplicationName(QStringLiteral("Quenwick"));
}

void forwardHandOffs(SingleInstance& instance, MainWindow& window)
{
    QObject::connect(&instance, &SingleInstance::pathReceived, &window,
                     &MainWindow::receiveHandOff);
}

int runQuenwick(int argc, char** argv)
{
    const bool openGlOff = openGlOffBeforeStart();
    QApplication app(argc, argv);
    settleOpenGlOff(openGlOff);
    nameApplication();

    const QString startFile = startFileFromArguments(QApplication::arguments());

    SingleInstance instance;
    if (instance.start(startFile) == SingleInstance::Role::HandedOff)
        return 0;

    // Standard buttons and dialogs speak Czech.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Czech), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    DesktopUiServices ui;
    AppContext context(AppPaths::fromEnvironment(QApplication::applicationDirPath()), ui);
    context.loadSettings();
    MainWindow window(context);
    forwardHandOffs(instance, window);
    window.showMaximized();
    window.openStartFile(startFile);
    // After the first document, so a document given back never takes the
    // number the start's new one has; hand-offs meanwhile wait for the answer.
    window.startRecovery(recoveryFolder());
    return QApplication::exec();
}

} // namespace qw
