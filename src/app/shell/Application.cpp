#include "app/shell/Application.h"

#include "app/services/UiServices.h"
#include "app/shell/AppContext.h"
#include "app/shell/EndSignals.h"
#include "app/shell/MainWindow.h"
#include "app/shell/SingleInstance.h"
#include "app/web/WebModule.h"
#include "core/recovery/RecoveryStore.h"
#include "core/shell/StartArguments.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>
#include <optional>

namespace qw {

namespace {

// --version and --help answer before any window or display is needed, so
// they work in a terminal without a desktop too. Only these two are looked
// for here: the toolkit's own options are not known before it starts.
std::optional<int> answerWithoutWindow(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const StartRequest request = parseStartArguments(arguments, QDir::currentPath());
    if (request.action == StartRequest::Action::Version) {
        std::fputs(qPrintable(versionText() + u'\n'), stdout);
        return 0;
    }
    if (request.action == StartRequest::Action::Help) {
        std::fputs(startUsageText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    return std::nullopt;
}

} // namespace

QString versionText()
{
    return QStringLiteral("Quenwick " QW_VERSION);
}

void nameApplication()
{
    QApplication::setApplicationName(QStringLiteral("Quenwick"));
}

void forwardHandOffs(SingleInstance& instance, MainWindow& window)
{
    QObject::connect(&instance, &SingleInstance::pathsReceived, &window,
                     &MainWindow::receiveHandOffs);
}

bool endSessionOnSignals(MainWindow& window)
{
    auto* watcher = new EndSignals(&window);
    QObject::connect(watcher, &EndSignals::endRequested, &window, [&window] {
        window.endSession();
        QApplication::exit(0);
    });
    return watcher->isActive();
}

int runQuenwick(int argc, char** argv)
{
    if (const std::optional<int> answered = answerWithoutWindow(argc, argv))
        return *answered;
    const bool openGlOff = openGlOffBeforeStart();
    QApplication app(argc, argv);
    settleOpenGlOff(openGlOff);
    nameApplication();

    // The toolkit has taken its own options out by now.
    const StartRequest request =
        parseStartArguments(QApplication::arguments(), QDir::currentPath());
    if (request.action == StartRequest::Action::Unknown) {
        const QString text =
            QStringLiteral("quenwick: neznámá volba „%1“\n\n").arg(request.unknownOption) +
            startUsageText();
        std::fputs(text.toLocal8Bit().constData(), stderr);
        return 2;
    }

    SingleInstance instance;
    if (instance.start(request.files) == SingleInstance::Role::HandedOff)
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
    endSessionOnSignals(window);
    window.showMaximized();
    window.openStartFiles(request.files);
    // After the first document, so a document given back never takes the
    // number the start's new one has; hand-offs meanwhile wait for the answer.
    window.startRecovery(recoveryFolder());
    return QApplication::exec();
}

} // namespace qw
