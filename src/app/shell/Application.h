#pragma once

#include <QString>
#include <QStringList>

namespace qw {

class MainWindow;
class SingleInstance;

// Names the application before any window exists. The name only: a display
// name would make the desktop add " — Quenwick" to every window title.
void nameApplication();

// Paths that later starts hand to instance go to window.
void forwardHandOffs(SingleInstance& instance, MainWindow& window);

// SIGTERM, SIGHUP and SIGINT end window's run as a session's end does
// (MainWindow::endSession), with exit status 0. Returns false when the
// signals could not be caught.
bool endSessionOnSignals(MainWindow& window);

// "Quenwick <version>", what --version prints.
QString versionText();

// The whole program: single-instance check, window, event loop.
int runQuenwick(int argc, char** argv);

} // namespace qw
