#pragma once

#include "app/services/FeatureContext.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <optional>

class QAction;
class QMenu;
class QPoint;

namespace qw {

class ScintillaEditor;
class SpellCheckDialog;
class Speller;

// Spelling of the page's text: the underlines in every editor, the entries
// the editor's pop-up menu begins with on a misspelt word and
// "Kontrola pravopisu..." (F7), a pass through the page in a small dialog.
class SpellingFeature : public QObject
{
    Q_OBJECT
public:
    SpellingFeature(const FeatureContext& context, QObject* parent = nullptr);
    ~SpellingFeature() override;

    // Underlines an editor's misspelt words from now on (once per editor).
    void attach(ScintillaEditor* editor);
    // The settings' switch and language, taken into every editor.
    void applySettings();
    // Puts the entries for the misspelt word under `at` (a point of the
    // editor's viewport; none: the caret) at the start of `menu`, after
    // taking away the ones the last showing put there.
    void preparePopup(QMenu& menu, ScintillaEditor& editor, std::optional<QPoint> at);
    // "Kontrola pravopisu...": the dialog over the current document.
    void openCheckDialog();

    Speller& speller() { return *m_speller; }
    SpellCheckDialog* checkDialog() const;
    // The design page's engine gets the source editor's dictionary, converted
    // into its own format the first time the page is entered.
    void prepareDesignSpelling();
    // Where the personal word list lies in a data home.
    static QString personalListPath(const QString& dataHome);

private:
    FeatureContext m_context;
    Speller* m_speller = nullptr;
    QList<QPointer<ScintillaEditor>> m_editors;
    QList<QAction*> m_popupEntries;
    QPointer<SpellCheckDialog> m_dialog;
    bool m_designEntered = false;
    QString m_webReady;     // the dictionary the engine has a copy of
    QString m_webPreparing; // the one being converted
};

} // namespace qw
