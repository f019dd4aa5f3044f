#include "app/spelling/SpellingFeature.h"

#include "app/editor/ScintillaEditor.h"
#include "app/pages/PageSwitcher.h"
#include "app/services/ActionRegistry.h"
#include "app/services/UiServices.h"
#include "app/spelling/SpellCheckDialog.h"
#include "app/spelling/SpellUnderline.h"
#include "app/spelling/Speller.h"
#include "app/spelling/WebSpelling.h"
#include "core/settings/AppPaths.h"
#include "core/settings/AppSettings.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

constexpr int kSuggestionCount = 5;

} // namespace

QString SpellingFeature::personalListPath(const QString& dataHome)
{
    return dataHome + u"/Quenwick/osobni-slovnik.txt"_s;
}

SpellingFeature::SpellingFeature(const FeatureContext& context, QObject* parent)
    : QObject(parent), m_context(context),
      m_speller(
          new Speller(systemDictionaryFolders(), personalListPath(context.paths.dataHome()), this))
{
    m_context.commands.registerAction(u"tools.spelling"_s,
                                      [this](ActionPlace) { openCheckDialog(); });
    // Before the web engine starts, which happens only on a page that needs it.
    pointWebEngineAt(webDictionaryFolder(m_context.paths.dataHome()));
    connect(&m_context.pages, &PageSwitcher::pageEntered, this, [this](PageMode page) {
        if (page == PageMode::Design && !m_designEntered) {
            m_designEntered = true;
            prepareDesignSpelling();
        }
    });
    applySettings();
}

void SpellingFeature::prepareDesignSpelling()
{
    const AppSettings& s = m_context.settings;
    const QString name = s.spellCheck
                             ? dictionaryForLanguage(s.spellLanguage, m_speller->dictionaryNames())
                             : QString();
    auto publish = [](const QString& ready) {
        qApp->setProperty(kWebSpellLanguagesProperty,
                          ready.isEmpty() ? QStringList() : QStringList{webLanguageName(ready)});
    };
    if (name.isEmpty() || name == m_webReady) {
        publish(name);
        return;
    }
    publish(QString());
    if (name == m_webPreparing)
        return;
    m_webPreparing = name;
    DictionaryFiles files;
    for (const DictionaryFiles& d : m_speller->installed()) {
        if (d.name == name)
            files = d;
    }
    prepareWebDictionary(files, webDictionaryFolder(m_context.paths.dataHome()), this,
                         [this, name](bool ready) {
                             if (m_webPreparing == name)
                                 m_webPreparing.clear();
                             if (!ready)
                                 return;
                             m_webReady = name;
                             // Unless the settings chose otherwise meanwhile.
                             prepareDesignSpelling();
                         });
}

SpellingFeature::~SpellingFeature() = default;

SpellCheckDialog* SpellingFeature::checkDialog() const
{
    return m_dialog;
}

void SpellingFeature::attach(ScintillaEditor* editor)
{
    if (editor == nullptr || SpellUnderline::of(editor) != nullptr)
        return;
    auto* underline = new SpellUnderline(editor, m_speller);
    underline->setEnabled(m_context.settings.spellCheck);
    m_editors.append(editor);
}

void SpellingFeature::applySettings()
{
    const AppSettings& s = m_context.settings;
    m_speller->setDefaultDictionary(s.spellLanguage);
    m_editors.removeAll(nullptr);
    for (const QPointer<ScintillaEditor>& e : std::as_const(m_editors)) {
        if (SpellUnderline* u = SpellUnderline::of(e))
            u->setEnabled(s.spellCheck);
    }
    if (m_designEntered)
        prepareDesignSpelling();
}

void SpellingFeature::preparePopup(QMenu& menu, ScintillaEditor& editor, std::optional<QPoint> at)
{
    for (QAction* a : std::as_const(m_popupEntries)) {
        menu.removeAction(a);
        a->deleteLater();
    }
    m_popupEntries.clear();
    SpellUnderline* underline = SpellUnderline::of(&editor);
    if (underline == nullptr || !underline->isEnabled())
        return;
    long position = editor.SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS);
    if (at.has_value()) {
        position =
            editor.SendScintilla(QsciScintillaBase::SCI_POSITIONFROMPOINTCLOSE,
                                 static_cast<unsigned long>(at->x()), static_cast<long>(at->y()));
        if (position < 0)
            return;
    }
    const std::optional<SpellWord> word = underline->misspeltWordAt(position);
    if (!word.has_value())
        return;
    QAction* first = menu.actions().value(0);
    auto add = [&](QAction* a) {
        menu.insertAction(first, a);
        m_popupEntries.append(a);
    };
    const QStringList suggestions =
        m_speller->suggestions(word->text, word->language, kSuggestionCount);
    for (const QString& s : suggestions) {
        auto* a = new QAction(s, &menu);
        QFont bold = a->font();
        bold.setBold(true);
        a->setFont(bold);
        connect(a, &QAction::triggered, this,
                [underline, w = *word, s] { underline->replaceWord(w, s); });
        add(a);
    }
    if (suggestions.isEmpty()) {
        auto* none = new QAction(u"(žádné návrhy)"_s, &menu);
        none->setEnabled(false);
        add(none);
    }
    auto* addWord = new QAction(u"Přidat do slovníku"_s, &menu);
    connect(addWord, &QAction::triggered, this, [this, text = word->text] {
        QString error;
        if (!m_speller->addToPersonalList(text, &error))
            m_context.ui.notify(m_context.window, UiServices::Icon::Error, error);
    });
    add(addWord);
    auto* ignore = new QAction(u"Ignorovat"_s, &menu);
    connect(ignore, &QAction::triggered, this,
            [this, text = word->text] { m_speller->ignore(text); });
    add(ignore);
    auto* separator = new QAction(&menu);
    separator->setSeparator(true);
    add(separator);
}

void SpellingFeature::openCheckDialog()
{
    // The source page's editor only: the design page holds its own copy of
    // the text until it is left.
    ScintillaEditor* editor = m_context.pages.sourceEditor();
    if (editor == nullptr)
        return;
    attach(editor);
    if (m_dialog == nullptr)
        m_dialog = new SpellCheckDialog(*m_speller, m_context.ui, m_context.window);
    m_dialog->start(editor);
}

} // namespace qw
