#pragma once

#include "app/editor/HighlightTheme.h"
#include "core/settings/AppSettings.h"

#include <QDialog>

#include <functional>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QToolButton;
class QTreeWidget;

namespace qw {

class BrowserDialog;
class ColorCombo;
class ScintillaEditor;
class UiServices;

// "Nastavení": the settings on five pages. Refilled from the settings at each
// opening; writes back only through commit() (what "OK" does), so "Storno"
// leaves everything as it was. The style page edits the dialog's own copy of
// the colouring styles, which its sample text and template editors show.
class SettingsDialog : public QDialog
{
    Q_OBJECT
public:
    // Shows a dialog modally. exec() unless replaced; tests replace it so no
    // modal loop ever runs.
    using Runner = std::function<void(QDialog&)>;

    enum Page { EditorPage, DialogsPage, TemplatePage, BrowsersPage, StylePage };

    SettingsDialog(UiServices& ui, QWidget* parent = nullptr);

    void setRunner(Runner runner) { m_run = std::move(runner); }
    void runModal(QDialog& dialog);

    // Everything the dialog shows, from the settings and the window's styles;
    // the first page is shown.
    void fill(const AppSettings& settings, const HighlightStyles& styles);
    // "OK": the rows, styles and fields into the settings.
    void commit(AppSettings& settings) const;
    const HighlightStyles& styles() const { return m_theme.styles(); }

    // The filter buttons.
    void newFilter();
    void editFilter();
    void deleteFilter();
    void moveFilter(int delta);
    // The browser buttons.
    void addBrowser();
    void editBrowser();
    void deleteBrowser();
    void moveBrowser(int delta);

    QTabWidget* pages() const { return m_pages; }
    QComboBox* fontName() const { return m_fontName; }
    ColorCombo* fontColor() const { return m_fontColor; }
    ColorCombo* backColor() const { return m_backColor; }
    QSpinBox* fontSize() const { return m_fontSize; }
    QSpinBox* tabWidth() const { return m_tabWidth; }
    QComboBox* saveFormat() const { return m_saveFormat; }
    QLineEdit* defaultExt() const { return m_defaultExt; }
    QCheckBox* spellCheck() const { return m_spellCheck; }
    // Items: the installed dictionaries, each one's name as its data.
    QComboBox* spellLanguage() const { return m_spellLanguage; }
    QTreeWidget* filterList() const { return m_filters; }
    QListWidget* extensionList() const { return m_extensions; }
    QPushButton* associateButton() const { return m_associate; }
    QTreeWidget* browserList() const { return m_browsers; }
    QListWidget* styleList() const { return m_styleList; }
    ColorCombo* styleColor() const { return m_styleColor; }
    QCheckBox* styleBold() const { return m_bold; }
    QCheckBox* styleItalic() const { return m_italic; }
    QCheckBox* styleUnderline() const { return m_underline; }
    ScintillaEditor* sample() const { return m_sample; }
    ScintillaEditor* templateHead() const { return m_head; }
    ScintillaEditor* templateFoot() const { return m_foot; }
    BrowserDialog& browserDialog() const { return *m_browserDialog; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }
    // A button of the filter or browser lists by its hint or caption.
    QAbstractButton* button(const QString& hintOrCaption) const;

Q_SIGNALS:
    // "OK" was pressed: whoever opened the dialog takes it into the settings.
    void okPressed();
    // "Asociovat soubory" with these extensions (".htm", ...), in list order.
    void associateRequested(const QStringList& extensions);

protected:
    // The template editors pass Tab on, as the program's memos do, and take
    // Ctrl+Tab as a tab character: the keyboard is never caught in them.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildEditorPage();
    QWidget* buildDialogsPage();
    QWidget* buildTemplatePage();
    QWidget* buildBrowsersPage();
    QWidget* buildStylePage();
    ScintillaEditor* makeHtmlEditor();
    void showStyle(int row);
    void changeStyle();
    void requestAssociation();

    UiServices& m_ui;
    Runner m_run;
    HighlightTheme m_theme;
    BrowserDialog* m_browserDialog = nullptr;
    bool m_showingStyle = false;

    QTabWidget* m_pages = nullptr;
    QComboBox* m_fontName = nullptr;
    ColorCombo* m_fontColor = nullptr;
    ColorCombo* m_backColor = nullptr;
    QSpinBox* m_fontSize = nullptr;
    QSpinBox* m_tabWidth = nullptr;
    QCheckBox* m_upperTag = nullptr;
    QCheckBox* m_completeMarkup = nullptr;
    QCheckBox* m_autoCloseTags = nullptr;
    QCheckBox* m_highlightPartnerTag = nullptr;
    QCheckBox* m_renamePartnerTag = nullptr;
    QCheckBox* m_docFromTemplate = nullptr;
    QCheckBox* m_lowerFileName = nullptr;
    QCheckBox* m_relativePath = nullptr;
    QCheckBox* m_zpetneLomitko = nullptr;
    QComboBox* m_saveFormat = nullptr;
    QCheckBox* m_spellCheck = nullptr;
    QComboBox* m_spellLanguage = nullptr;
    QLineEdit* m_defaultExt = nullptr;
    QTreeWidget* m_filters = nullptr;
    QListWidget* m_extensions = nullptr;
    QPushButton* m_associate = nullptr;
    ScintillaEditor* m_head = nullptr;
    ScintillaEditor* m_foot = nullptr;
    QTreeWidget* m_browsers = nullptr;
    QListWidget* m_styleList = nullptr;
    ScintillaEditor* m_sample = nullptr;
    ColorCombo* m_styleColor = nullptr;
    QCheckBox* m_bold = nullptr;
    QCheckBox* m_italic = nullptr;
    QCheckBox* m_underline = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    // Colours that "Žádná" in a colour field leaves as they were.
    ColorRef m_shownFontColor = 0;
    ColorRef m_shownBackColor = 0xFFFFFF;
};

} // namespace qw
