// The titles the window system receives for the main window and dialogs are
// exactly their captions: read back from the X server (xprop) with the
// program's own application set-up on the xcb platform.

#include "app/dialogs/FindDialog.h"
#include "app/dialogs/ReplaceDialog.h"
#include "app/dialogs/SearchController.h"
#include "app/elements/ElementDialogs.h"
#include "app/services/ActionRegistry.h"
#include "app/shell/Application.h"
#include "app/shell/MainWindow.h"
#include "support/FakeUiServices.h"
#include "support/TestInstallation.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QProcess>
#include <QTest>

using namespace qw;

namespace {

// The value of a text property of a top-level window, as xprop prints it
// ("_NET_WM_NAME = "Quenwick - dokument1""); empty when there is none.
QString windowProperty(const QWidget& window, const char* property)
{
    QProcess xprop;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    xprop.setProcessEnvironment(env);
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-id"), QString::number(window.winId()), QStringLiteral("-notype"),
                 QString::fromLatin1(property)});
    if (!xprop.waitForFinished(10000) || xprop.exitCode() != 0)
        return QStringLiteral("<xprop failed>");
    const QString line = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
    const qsizetype open = line.indexOf(QStringLiteral(" = \""));
    if (open < 0 || !line.endsWith(u'"'))
        return QString();
    QString value = line.mid(open + 4, line.size() - open - 5);
    value.replace(QStringLiteral("\\\""), QStringLiteral("\""));
    value.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
    return value;
}

} // namespace

class WindowTitleTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QStringLiteral("xcb"))
            QSKIP("no X display");
        QProcess probe;
        probe.start(QStringLiteral("xprop"), {QStringLiteral("-version")});
        QVERIFY2(probe.waitForFinished(10000), "xprop (x11-utils) is needed");
    }

    void titlesAreTheCaptionsExactly()
    {
        test::FakeUiServices ui;
        const test::TestInstallation installation;
        const auto context = installation.context(ui);
        MainWindow window(*context);
        window.resize(1000, 700);
        window.show();
        window.openStartFile(QString());
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        window.commands().action(QStringLiteral("edit.find"), ActionPlace::MainMenu)->trigger();
        QDialog* shownElement = nullptr;
        window.elementDialogs().setShowHook([&shownElement](QDialog& d) {
            // Shown without a modal loop, so that the test can read it.
            d.show();
            shownElement = &d;
        });
        window.commands().action(QStringLiteral("tag.link"), ActionPlace::MainMenu)->trigger();
        QVERIFY(shownElement != nullptr);

        const QList<QPair<QWidget*, QString>> windows = {
            {&window, QStringLiteral("Quenwick - dokument1")},
            {window.findChild<FindDialog*>(), QStringLiteral("Najít")},
            {shownElement, QStringLiteral("Vložit odkaz")},
        };
        for (const auto& [widget, caption] : windows) {
            QVERIFY(widget != nullptr);
            QVERIFY(QTest::qWaitForWindowExposed(widget));
            for (const char* property : {"_NET_WM_NAME", "WM_NAME"})
                QTRY_COMPARE(windowProperty(*widget, property), caption);
        }
    }
};

int main(int argc, char** argv)
{
    // The titles are the X server's: the xcb platform whenever there is a
    // display, whatever the test environment asks for.
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    else
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    qw::nameApplication();
    WindowTitleTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_window_titles.moc"
