#include "app/settings/SettingsFeature.h"

#include "app/editor/HighlightTheme.h"
#include "app/services/ActionRegistry.h"
#include "app/services/UiServices.h"
#include "core/settings/AppPaths.h"
#include "core/settings/AppSettings.h"
#include "core/settings/FileAssociation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace qw {

SettingsFeature::SettingsFeature(const FeatureContext& context, QObject* parent)
    : QObject(parent), m_context(context)
{
    m_context.commands.registerAction(u"tools.settings"_s, [this](ActionPlace) { open(); });
}

SettingsDialog& SettingsFeature::dialog()
{
    if (m_dialog == nullptr) {
        m_dialog = new SettingsDialog(m_context.ui, m_context.window);
        m_dialog->setRunner(m_runner);
        connect(m_dialog, &SettingsDialog::okPressed, this, &SettingsFeature::confirm);
        connect(m_dialog, &SettingsDialog::associateRequested, this, &SettingsFeature::associate);
    }
    return *m_dialog;
}

void SettingsFeature::setRunner(SettingsDialog::Runner runner)
{
    m_runner = std::move(runner);
    if (m_dialog != nullptr)
        m_dialog->setRunner(m_runner);
}

void SettingsFeature::open()
{
    SettingsDialog& d = dialog();
    d.fill(m_context.settings, HighlightTheme::shared().styles());
    d.runModal(d);
}

void SettingsFeature::confirm()
{
    SettingsDialog& d = dialog();
    d.commit(m_context.settings);
    // Every document editor follows the shared styles.
    HighlightTheme::shared().setStyles(m_context.settings.styles);
    Q_EMIT applied();
    d.accept();
}

void SettingsFeature::associate(const QStringList& extensions)
{
    const QString program =
        m_programPath.isEmpty() ? QCoreApplication::applicationFilePath() : m_programPath;
    const AssociationResult result = associateFileTypes(
        m_context.paths.configHome(), m_context.paths.dataHome(), program, extensions);
    QWidget* parent = m_dialog;
    if (!result.ok) {
        m_context.ui.notify(parent, UiServices::Icon::Error,
                            u"Asociaci souborů se nepodařilo zapsat do souboru %1."_s.arg(
                                QDir::toNativeSeparators(result.failedPath)));
        return;
    }
    // The desktop's cache of entries, where the desktop keeps one.
    const QString refresh = QStandardPaths::findExecutable(u"update-desktop-database"_s);
    if (!refresh.isEmpty())
        QProcess::startDetached(refresh, {QFileInfo(result.desktopEntryPath).absolutePath()});
    if (!result.unknownExtensions.isEmpty()) {
        m_context.ui.notify(parent, UiServices::Icon::Warning,
                            u"Systém nezná typ souborů s příponou %1; tyto soubory zůstaly "
                            "bez asociace."_s.arg(result.unknownExtensions.join(u", "_s)));
    }
}

} // namespace qw
