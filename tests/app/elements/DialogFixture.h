#pragma once

// A real Scintilla editor in a shown window and the element dialogs working on
// it, for the tests of the font, rule, list, colour, frame, form, script,
// pop-up window and applet dialogs. Dialogs are shown without a modal loop;
// a test fills the fields and presses OK through runOk() or the button.

#include "app/editor/ScintillaEditor.h"
#include "app/elements/ElementDialogs.h"
#include "support/FakeUiServices.h"

#include <QDialog>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

namespace qw::test {

class DialogFixture
{
public:
    DialogFixture()
    {
        window = std::make_unique<QWidget>();
        window->resize(600, 400);
        auto* layout = new QVBoxLayout(window.get());
        editor = new ScintillaEditor(window.get());
        layout->addWidget(editor);

        ElementDialogContext context;
        context.ui = &ui;
        context.attributes = &tagState.attributes;
        context.sourceEditor = [this]() -> EditorWidget* {
            return onSourcePage ? editor : nullptr;
        };
        context.tagCase = [this] {
            return TagCaseOptions{lowerCase};
        };
        context.linkOptions = [] {
            return LinkOptions{};
        };
        context.documentPath = [this] {
            return documentPath;
        };
        context.fileFilter = [this](bool reset) {
            if (reset)
                fileFilter = userFilter;
            return fileFilter;
        };
        context.setFileFilter = [this](const QString& filter) { fileFilter = filter; };
        dialogs = std::make_unique<ElementDialogs>(std::move(context), window.get());
        dialogs->setShowHook([this](QDialog& dialog) {
            shown = &dialog;
            ++showCount;
            dialog.show();
        });
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    ~DialogFixture()
    {
        dialogs.reset();
        window.reset();
    }

    // The text with the selection from..from+length (a negative length
    // selects backwards).
    void setText(const QString& text, qsizetype from = 0, qsizetype length = 0)
    {
        editor->setText(text);
        editor->setSelectionStart(from);
        editor->setSelectionLength(length);
    }

    // Selects the tag around the caret and parses it, as the edit-tag command
    // does before it opens a dialog.
    EditTagTarget findTag(qsizetype caret)
    {
        editor->setSelectionStart(caret);
        editor->setSelectionLength(0);
        return runEditTagSearch(*editor, tagState, TagCaseOptions{lowerCase});
    }

    FakeUiServices ui;
    CaretTagState tagState;
    bool lowerCase = false; // upper-case tags: the written names are easy to tell apart
    bool onSourcePage = true;
    QString documentPath;
    QString userFilter = QStringLiteral("HTML (*.html)");
    QString fileFilter = userFilter;
    std::unique_ptr<QWidget> window;
    ScintillaEditor* editor = nullptr;
    std::unique_ptr<ElementDialogs> dialogs;
    QDialog* shown = nullptr;
    int showCount = 0;
};

} // namespace qw::test
