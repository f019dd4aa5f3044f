#pragma once

#include "app/services/FeatureContext.h"
#include "app/settings/SettingsDialog.h"

#include <QObject>
#include <QPointer>

namespace qw {

// "Nástroje" > "Nastavení...": the settings dialog and the file association
// it offers. "OK" writes the dialog into the settings and the shared styles,
// then says so with applied(): the window takes the settings into its
// documents and dialogs and rebuilds the browsers' menu.
class SettingsFeature : public QObject
{
    Q_OBJECT
public:
    SettingsFeature(const FeatureContext& context, QObject* parent = nullptr);

    // Made on first use and kept for the run.
    SettingsDialog& dialog();
    // Fills the dialog from the settings and shows it on its first page.
    void open();
    // What "OK" does: the dialog into the settings and the window, then closes.
    void confirm();
    // The program the desktop entry starts (this executable unless set).
    void setProgramPath(const QString& path) { m_programPath = path; }
    // How the dialogs are shown; tests replace exec() so no loop runs.
    void setRunner(SettingsDialog::Runner runner);

Q_SIGNALS:
    // The settings took what "OK" confirmed.
    void applied();

private:
    void associate(const QStringList& extensions);

    FeatureContext m_context;
    QPointer<SettingsDialog> m_dialog;
    SettingsDialog::Runner m_runner;
    QString m_programPath;
};

} // namespace qw
