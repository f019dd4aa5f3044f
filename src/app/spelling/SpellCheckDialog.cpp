#include "app/spelling/SpellCheckDialog.h"

#include "app/editor/ScintillaEditor.h"
#include "app/services/UiServices.h"
#include "app/spelling/SpellUnderline.h"
#include "app/spelling/Speller.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace qw {

SpellCheckDialog::SpellCheckDialog(Speller& speller, UiServices& ui, QWidget* parent)
    : QDialog(parent), m_speller(speller), m_ui(ui)
{
    setWindowTitle(u"Kontrola pravopisu"_s);
    setModal(false);
    auto* grid = new QGridLayout(this);
    // Made in the order they are seen, each field with its label as buddy.
    auto* wordLabel = new QLabel(u"&Chybné slovo:"_s);
    m_wordField = new QLineEdit;
    m_wordField->setReadOnly(true);
    wordLabel->setBuddy(m_wordField);
    auto* replacementLabel = new QLabel(u"Nahradit &za:"_s);
    m_replacement = new QLineEdit;
    replacementLabel->setBuddy(m_replacement);
    auto* suggestionsLabel = new QLabel(u"&Návrhy:"_s);
    m_suggestions = new QListWidget;
    suggestionsLabel->setBuddy(m_suggestions);
    // A list is not named by its buddy label: it says so itself.
    m_suggestions->setAccessibleName(u"Návrhy"_s);
    m_replace = new QPushButton(u"Nahradit"_s);
    m_replaceAll = new QPushButton(u"Nahradit vše"_s);
    m_skip = new QPushButton(u"Přeskočit"_s);
    m_add = new QPushButton(u"Přidat do slovníku"_s);
    m_close = new QPushButton(u"Zavřít"_s);
    m_status = new QLabel;

    grid->addWidget(wordLabel, 0, 0);
    grid->addWidget(m_wordField, 1, 0);
    grid->addWidget(replacementLabel, 2, 0);
    grid->addWidget(m_replacement, 3, 0);
    grid->addWidget(suggestionsLabel, 4, 0);
    grid->addWidget(m_suggestions, 5, 0);
    // Below the fields, so the keyboard meets them in reading order.
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {m_replace, m_replaceAll, m_skip, m_add, m_close}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    grid->addLayout(buttons, 6, 0);
    grid->addWidget(m_status, 7, 0);
    m_replace->setDefault(true);

    connect(m_suggestions, &QListWidget::currentTextChanged, m_replacement, &QLineEdit::setText);
    connect(m_suggestions, &QListWidget::itemDoubleClicked, this, &SpellCheckDialog::replace);
    connect(m_replace, &QPushButton::clicked, this, &SpellCheckDialog::replace);
    connect(m_replaceAll, &QPushButton::clicked, this, &SpellCheckDialog::replaceAll);
    connect(m_skip, &QPushButton::clicked, this, &SpellCheckDialog::skip);
    connect(m_add, &QPushButton::clicked, this, &SpellCheckDialog::addToList);
    connect(m_close, &QPushButton::clicked, this, &QDialog::hide);
}

void SpellCheckDialog::start(ScintillaEditor* editor)
{
    m_editor = editor;
    m_next = 0;
    QDialog::show();
    raise();
    findNext();
}

QString SpellCheckDialog::currentWord() const
{
    return m_word.has_value() ? m_word->text : QString();
}

void SpellCheckDialog::findNext()
{
    SpellUnderline* underline = SpellUnderline::of(m_editor);
    m_word = underline != nullptr ? underline->nextMisspelt(m_next) : std::nullopt;
    if (!m_word.has_value()) {
        m_wordField->clear();
        m_replacement->clear();
        m_suggestions->clear();
        m_status->setText(m_speller.isLoading() ? u"Slovník se ještě načítá."_s
                                                : u"Kontrola pravopisu je dokončena."_s);
        for (QPushButton* b : {m_replace, m_replaceAll, m_skip, m_add})
            b->setEnabled(false);
        m_close->setFocus();
        return;
    }
    show(*m_word);
}

void SpellCheckDialog::show(const SpellWord& word)
{
    for (QPushButton* b : {m_replace, m_replaceAll, m_skip, m_add})
        b->setEnabled(true);
    m_status->clear();
    m_wordField->setText(word.text);
    m_suggestions->clear();
    m_suggestions->addItems(m_speller.suggestions(word.text, word.language, 10));
    if (m_suggestions->count() > 0)
        m_suggestions->setCurrentRow(0);
    else
        m_replacement->setText(word.text);
    m_editor->SendScintilla(QsciScintillaBase::SCI_SETSEL, word.start, word.end);
    m_editor->SendScintilla(QsciScintillaBase::SCI_SCROLLCARET);
}

void SpellCheckDialog::replace()
{
    SpellUnderline* underline = SpellUnderline::of(m_editor);
    if (!m_word.has_value() || underline == nullptr)
        return;
    const QString text = m_replacement->text();
    underline->replaceWord(*m_word, text);
    m_next = m_word->start + text.toUtf8().size();
    findNext();
}

void SpellCheckDialog::replaceAll()
{
    SpellUnderline* underline = SpellUnderline::of(m_editor);
    if (!m_word.has_value() || underline == nullptr)
        return;
    const QByteArray text = m_replacement->text().toUtf8();
    const QList<SpellWord> all = underline->occurrences(m_word->text);
    // The pass goes on after the current word's replacement, wherever the
    // replacements before it moved it.
    long next = m_word->start + text.size();
    m_editor->beginUndoAction();
    for (auto it = all.crbegin(); it != all.crend(); ++it) {
        m_editor->SendScintilla(QsciScintillaBase::SCI_SETTARGETRANGE, it->start, it->end);
        m_editor->SendScintilla(QsciScintillaBase::SCI_REPLACETARGET, text.size(),
                                text.constData());
        if (it->start < m_word->start)
            next += text.size() - (it->end - it->start);
    }
    m_editor->endUndoAction();
    m_next = next;
    findNext();
}

void SpellCheckDialog::skip()
{
    if (!m_word.has_value())
        return;
    m_next = m_word->end;
    findNext();
}

void SpellCheckDialog::addToList()
{
    if (!m_word.has_value())
        return;
    QString error;
    if (!m_speller.addToPersonalList(m_word->text, &error)) {
        m_ui.notify(this, UiServices::Icon::Error, error);
        return;
    }
    m_next = m_word->end;
    findNext();
}

} // namespace qw
