#include "app/settings/SettingsDialog.h"

#include "app/editor/ColorRef.h"
#include "app/editor/ScintillaEditor.h"
#include "app/services/ColorCombo.h"
#include "app/services/UiServices.h"
#include "app/settings/BrowserDialog.h"
#include "core/settings/FontFamilies.h"
#include "core/settings/SettingsEdits.h"
#include "core/spelling/SpellDictionary.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace qw {

namespace {

const QString quenwick = u"Quenwick"_s;

QStringList associationExtensions()
{
    return {u"htm"_s, u"html"_s, u"css"_s, u"asp"_s,  u"shtm"_s, u"shtml"_s, u"js"_s,   u"vb"_s,
            u"vbs"_s, u"bas"_s,  u"cgi"_s, u"txt"_s,  u"sql"_s,  u"vtm"_s,   u"vtml"_s, u"wml"_s,
            u"xml"_s, u"xsl"_s,  u"jsp"_s, u"java"_s, u"php"_s,  u"php3"_s};
}

const QString sampleText = u"<!-- Ukázka barev -->\r\n"
                           "<html>\r\n"
                           "<head>\r\n"
                           "<title>Ukázka</title>\r\n"
                           "<script language=\"JavaScript\">\r\n"
                           "<!--\r\n"
                           "function pozdrav() { alert(\"Ahoj\"); }\r\n"
                           "// -->\r\n"
                           "</script>\r\n"
                           "<style type=\"text/css\">\r\n"
                           "body { color: black; }\r\n"
                           "</style>\r\n"
                           "</head>\r\n"
                           "<body bgcolor=\"#FFFFFF\" onload=\"pozdrav()\">\r\n"
                           "<p align=\"center\">Text&nbsp;&copy; 2024</p>\r\n"
                           "<neznamy>neznámý tag</neznamy>\r\n"
                           "<form action=\"odeslat.php\" method=\"post\">\r\n"
                           "<input type=\"text\" name=\"jmeno\" value=\"\">\r\n"
                           "<input type=\"submit\" value=\"Odeslat\">\r\n"
                           "</form>\r\n"
                           "</body>\r\n"
                           "</html>"_s;

QTreeWidget* makeTwoColumnList(const QString& first, const QString& second)
{
    auto* list = new QTreeWidget;
    list->setColumnCount(2);
    list->setHeaderLabels({first, second});
    list->setRootIsDecorated(false);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setAllColumnsShowFocus(true);
    list->header()->setStretchLastSection(true);
    list->setColumnWidth(0, 160);
    return list;
}

QToolButton* makeHintButton(const QString& hint, QStyle::StandardPixmap icon, QWidget* owner)
{
    auto* b = new QToolButton;
    b->setIcon(owner->style()->standardIcon(icon));
    b->setToolTip(hint);
    b->setAccessibleName(hint);
    return b;
}

QList<QStringList> rowsOf(const QTreeWidget* list)
{
    QList<QStringList> rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list->topLevelItem(i);
        rows.append({item->text(0), item->text(1)});
    }
    return rows;
}

void addRow(QTreeWidget* list, const QString& first, const QString& second)
{
    new QTreeWidgetItem(list, QStringList{first, second});
}

int selectedRow(const QTreeWidget* list)
{
    const QList<QTreeWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->indexOfTopLevelItem(selected.constFirst());
}

void selectRow(QTreeWidget* list, int row)
{
    if (QTreeWidgetItem* item = list->topLevelItem(row)) {
        list->setCurrentItem(item);
        item->setSelected(true);
    }
}

void moveSelected(QTreeWidget* list, int delta)
{
    QList<QStringList> rows = rowsOf(list);
    const int from = selectedRow(list);
    const auto to = static_cast<int>(moveRow(rows, from, delta));
    if (to == from)
        return;
    QTreeWidgetItem* item = list->takeTopLevelItem(from);
    list->insertTopLevelItem(to, item);
    list->clearSelection();
    selectRow(list, to);
}

void deleteSelected(QTreeWidget* list)
{
    const int row = selectedRow(list);
    if (row >= 0)
        delete list->takeTopLevelItem(row);
}

// A text editor's lines as the settings hold them: no line for an empty
// editor, none for the break after the last line.
QStringList editorLines(const ScintillaEditor* e)
{
    QString text = e->text();
    if (text.isEmpty())
        return {};
    if (text.endsWith(u"\r\n"_s))
        text.chop(2);
    return text.split(u"\r\n"_s);
}

void showColor(ColorCombo* combo, ColorRef color)
{
    combo->setValueText(toQColor(color).name(QColor::HexRgb).toUpper());
}

ColorRef colorOf(const ColorCombo* combo, ColorRef fallback)
{
    const QColor c = combo->color();
    return c.isValid() ? fromQColor(c) : fallback;
}

} // namespace

SettingsDialog::SettingsDialog(UiServices& ui, QWidget* parent) : QDialog(parent), m_ui(ui)
{
    setObjectName(u"frmSettings"_s);
    setWindowTitle(u"Nastavení"_s);
    m_browserDialog = new BrowserDialog(ui, this);
    auto* layout = new QVBoxLayout(this);
    m_pages = new QTabWidget;
    m_pages->addTab(buildEditorPage(), u"Nastavení editoru"_s);
    m_pages->addTab(buildDialogsPage(), u"Dialogy"_s);
    m_pages->addTab(buildTemplatePage(), u"HTML šablona"_s);
    m_pages->addTab(buildBrowsersPage(), u"Prohlížeče"_s);
    m_pages->addTab(buildStylePage(), u"Nastavení písma"_s);
    layout->addWidget(m_pages);
    auto* buttons = new QDialogButtonBox;
    m_ok = buttons->addButton(u"OK"_s, QDialogButtonBox::AcceptRole);
    m_cancel = buttons->addButton(u"Storno"_s, QDialogButtonBox::RejectRole);
    m_ok->setDefault(true);
    layout->addWidget(buttons);
    // A box of one size, as the pages are laid out for it.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(m_ok, &QPushButton::clicked, this, &SettingsDialog::okPressed);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pages, &QTabWidget::currentChanged, this, [this](int index) {
        if (index != StylePage)
            return;
        m_styleList->setFocus();
        m_styleList->setCurrentRow(0);
        showStyle(0);
    });
}

void SettingsDialog::runModal(QDialog& dialog)
{
    if (m_run)
        m_run(dialog);
    else
        dialog.exec();
}

QWidget* SettingsDialog::buildEditorPage()
{
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    m_fontName = new QComboBox;
    m_fontName->setEditable(true);
    m_fontName->setInsertPolicy(QComboBox::NoInsert);
    m_fontName->setMinimumWidth(220);
    m_fontColor = new ColorCombo(m_ui);
    m_backColor = new ColorCombo(m_ui);
    m_fontSize = new QSpinBox;
    m_fontSize->setRange(0, 72);
    m_tabWidth = new QSpinBox;
    m_tabWidth->setRange(0, 60);
    form->addRow(u"Písmo :"_s, m_fontName);
    form->addRow(u"Barva :"_s, m_fontColor);
    form->addRow(u"Pozadí:"_s, m_backColor);
    form->addRow(u"Velikost :"_s, m_fontSize);
    form->addRow(u"Tabulátor :"_s, m_tabWidth);
    m_upperTag = new QCheckBox(u"vkládat HTML malými písmeny"_s);
    m_docFromTemplate = new QCheckBox(u"nový soubor podle HTML šablony"_s);
    m_lowerFileName = new QCheckBox(u"jména souborů malými písmeny"_s);
    m_relativePath = new QCheckBox(u"relativní cesta"_s);
    m_zpetneLomitko = new QCheckBox(u"Zaměňovat \\ za /"_s);
    for (QCheckBox* box :
         {m_upperTag, m_docFromTemplate, m_lowerFileName, m_relativePath, m_zpetneLomitko})
        form->addRow(box);
    m_completeMarkup = new QCheckBox(u"Nabízet tagy, atributy a entity"_s);
    m_autoCloseTags = new QCheckBox(u"Automaticky uzavírat tagy"_s);
    m_highlightPartnerTag = new QCheckBox(u"Zvýrazňovat párový tag"_s);
    m_renamePartnerTag = new QCheckBox(u"Přejmenovat párový tag"_s);
    for (QCheckBox* box :
         {m_completeMarkup, m_autoCloseTags, m_highlightPartnerTag, m_renamePartnerTag})
        form->addRow(box);
    m_saveFormat = new QComboBox;
    m_saveFormat->addItems({u"WIN"_s, u"UNIX"_s, u"MAC"_s});
    form->addRow(u"Formát souboru:"_s, m_saveFormat);
    m_defaultExt = new QLineEdit;
    form->addRow(u"Přípona souborů :"_s, m_defaultExt);
    m_spellCheck = new QCheckBox(u"Kontrolovat pravopis"_s);
    form->addRow(m_spellCheck);
    m_spellLanguage = new QComboBox;
    for (const DictionaryFiles& d : installedDictionaries(systemDictionaryFolders())) {
        const QString language = QLocale(d.name).nativeLanguageName();
        m_spellLanguage->addItem(language.isEmpty() ? d.name : language + u" ("_s + d.name + u')',
                                 d.name);
    }
    form->addRow(u"Jazyk pravopisu:"_s, m_spellLanguage);
    return page;
}

QWidget* SettingsDialog::buildDialogsPage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    m_filters = makeTwoColumnList(u"Název"_s, u"Filtr"_s);
    m_filters->setAccessibleName(u"Filtry"_s);
    grid->addWidget(m_filters, 0, 0);
    auto* buttons = new QVBoxLayout;
    QToolButton* up = makeHintButton(u"Nahoru"_s, QStyle::SP_ArrowUp, this);
    QToolButton* down = makeHintButton(u"Dolů"_s, QStyle::SP_ArrowDown, this);
    QToolButton* add = makeHintButton(u"Nový filtr"_s, QStyle::SP_FileIcon, this);
    QToolButton* remove = makeHintButton(u"Smazat filtr"_s, QStyle::SP_TrashIcon, this);
    QToolButton* edit = makeHintButton(u"Upravit filtr"_s, QStyle::SP_FileDialogDetailedView, this);
    for (QToolButton* b : {up, down, add, remove, edit})
        buttons->addWidget(b);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 1);
    connect(up, &QToolButton::clicked, this, [this] { moveFilter(-1); });
    connect(down, &QToolButton::clicked, this, [this] { moveFilter(+1); });
    connect(add, &QToolButton::clicked, this, &SettingsDialog::newFilter);
    connect(remove, &QToolButton::clicked, this, &SettingsDialog::deleteFilter);
    connect(edit, &QToolButton::clicked, this, &SettingsDialog::editFilter);

    m_extensions = new QListWidget;
    m_extensions->setAccessibleName(u"Přípony"_s);
    m_extensions->setSelectionMode(QAbstractItemView::MultiSelection);
    m_extensions->addItems(associationExtensions());
    m_extensions->setMaximumWidth(110);
    grid->addWidget(m_extensions, 0, 2);
    m_associate = new QPushButton(u"Asociovat soubory"_s);
    m_associate->setAutoDefault(false);
    grid->addWidget(m_associate, 1, 2);
    connect(m_associate, &QPushButton::clicked, this, &SettingsDialog::requestAssociation);
    return page;
}

bool SettingsDialog::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == m_head || watched == m_foot) && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && key->modifiers() == Qt::ControlModifier) {
            static_cast<ScintillaEditor*>(watched)->replaceSelectedText(u"\t"_s);
            return true;
        }
        if (tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            focusNextPrevChild(key->key() == Qt::Key_Tab &&
                               !(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

ScintillaEditor* SettingsDialog::makeHtmlEditor()
{
    auto* e = new ScintillaEditor;
    e->setHighlightTheme(&m_theme);
    return e;
}

QWidget* SettingsDialog::buildTemplatePage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    m_head = makeHtmlEditor();
    m_foot = makeHtmlEditor();
    auto* headLabel = new QLabel(u"Hlavička :"_s);
    auto* footLabel = new QLabel(u"Zápatí : "_s);
    headLabel->setBuddy(m_head);
    footLabel->setBuddy(m_foot);
    m_head->setAccessibleName(u"Hlavička"_s);
    m_foot->setAccessibleName(u"Zápatí"_s);
    m_head->installEventFilter(this);
    m_foot->installEventFilter(this);
    layout->addWidget(headLabel);
    layout->addWidget(m_head);
    layout->addWidget(footLabel);
    layout->addWidget(m_foot);
    return page;
}

QWidget* SettingsDialog::buildBrowsersPage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    m_browsers = makeTwoColumnList(u"Název"_s, u"Cesta"_s);
    m_browsers->setAccessibleName(u"Prohlížeče"_s);
    grid->addWidget(m_browsers, 0, 0, 1, 4);
    QToolButton* up = makeHintButton(u"Nahoru"_s, QStyle::SP_ArrowUp, this);
    QToolButton* down = makeHintButton(u"Dolů"_s, QStyle::SP_ArrowDown, this);
    up->setObjectName(u"browserUp"_s);
    down->setObjectName(u"browserDown"_s);
    auto* moves = new QVBoxLayout;
    moves->addWidget(up);
    moves->addWidget(down);
    moves->addStretch();
    grid->addLayout(moves, 0, 4);
    auto* add = new QPushButton(u"Přidat..."_s);
    auto* edit = new QPushButton(u"Upravit..."_s);
    auto* remove = new QPushButton(u"Smazat"_s);
    for (QPushButton* b : {add, edit, remove})
        b->setAutoDefault(false);
    grid->addWidget(add, 1, 1);
    grid->addWidget(edit, 1, 2);
    grid->addWidget(remove, 1, 3);
    connect(up, &QToolButton::clicked, this, [this] { moveBrowser(-1); });
    connect(down, &QToolButton::clicked, this, [this] { moveBrowser(+1); });
    connect(add, &QPushButton::clicked, this, &SettingsDialog::addBrowser);
    connect(edit, &QPushButton::clicked, this, &SettingsDialog::editBrowser);
    connect(remove, &QPushButton::clicked, this, &SettingsDialog::deleteBrowser);
    return page;
}

QWidget* SettingsDialog::buildStylePage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    m_styleList = new QListWidget;
    m_styleList->setAccessibleName(u"Styly"_s);
    for (const StyleEntry& entry : styleEntries())
        m_styleList->addItem(entry.caption);
    m_styleList->setMaximumWidth(200);
    grid->addWidget(m_styleList, 0, 0);
    auto* group = new QGroupBox(u"Nastavení"_s);
    auto* form = new QFormLayout(group);
    m_styleColor = new ColorCombo(m_ui);
    m_bold = new QCheckBox(u"Tučné"_s);
    m_italic = new QCheckBox(u"Kurzíva"_s);
    m_underline = new QCheckBox(u"Podtržené"_s);
    form->addRow(u"Barva písma :"_s, m_styleColor);
    form->addRow(m_bold);
    form->addRow(m_italic);
    form->addRow(m_underline);
    grid->addWidget(group, 0, 1);
    m_sample = makeHtmlEditor();
    m_sample->setAccessibleName(u"Ukázka"_s);
    m_sample->setText(sampleText);
    m_sample->setReadOnly(true);
    m_sample->setMinimumSize(560, 260);
    grid->addWidget(m_sample, 1, 0, 1, 2);
    connect(m_styleList, &QListWidget::currentRowChanged, this, &SettingsDialog::showStyle);
    connect(m_styleColor, &ColorCombo::valueChanged, this, [this] {
        if (!m_showingStyle)
            changeStyle();
    });
    // A box that changes while an entry is shown counts as the user's change
    // too: the entry's styles then all take the shown look.
    for (QCheckBox* box : {m_bold, m_italic, m_underline})
        connect(box, &QCheckBox::toggled, this, &SettingsDialog::changeStyle);
    return page;
}

void SettingsDialog::fill(const AppSettings& s, const HighlightStyles& styles)
{
    const QString font = s.fontName;
    m_fontName->clear();
    m_fontName->addItems(fontFamilyChoices(QFontDatabase::families()));
    m_fontName->setEditText(font);

    m_filters->clear();
    for (const QString& text : s.filters) {
        const FilterRow row = FilterRow::fromText(text);
        addRow(m_filters, row.name, row.mask);
    }

    m_shownFontColor = s.fontColor;
    m_shownBackColor = s.backColor;
    showColor(m_fontColor, s.fontColor);
    showColor(m_backColor, s.backColor);
    m_fontSize->setValue(s.fontSize);
    m_tabWidth->setValue(s.tabWidth);

    m_upperTag->setChecked(s.upperTag);
    m_completeMarkup->setChecked(s.completeMarkup);
    m_autoCloseTags->setChecked(s.autoCloseTags);
    m_highlightPartnerTag->setChecked(s.highlightPartnerTag);
    m_renamePartnerTag->setChecked(s.renamePartnerTag);
    m_docFromTemplate->setChecked(s.docFromTemplate);
    m_lowerFileName->setChecked(s.lowerFileName);
    m_relativePath->setChecked(s.relativePath);
    m_zpetneLomitko->setChecked(s.zpetneLomitko);
    m_spellCheck->setChecked(s.spellCheck);
    // A dictionary no longer installed stays chosen until another is.
    if (m_spellLanguage->findData(s.spellLanguage) < 0)
        m_spellLanguage->addItem(s.spellLanguage, s.spellLanguage);
    m_spellLanguage->setCurrentIndex(m_spellLanguage->findData(s.spellLanguage));
    m_defaultExt->setText(s.defaultExt);
    m_head->setText(s.templateHead.join(u"\r\n"_s));
    m_foot->setText(s.templateFoot.join(u"\r\n"_s));

    m_theme.setStyles(styles);

    m_browsers->clear();
    for (const BrowserEntry& b : s.browsers)
        addRow(m_browsers, b.caption, b.path);

    const int format = m_saveFormat->findText(s.saveFormat, Qt::MatchExactly);
    if (format >= 0)
        m_saveFormat->setCurrentIndex(format);

    m_extensions->clearSelection();
    m_pages->setCurrentIndex(EditorPage);
}

void SettingsDialog::commit(AppSettings& s) const
{
    s.filters.clear();
    for (const QStringList& row : rowsOf(m_filters))
        s.filters << FilterRow{row.at(0), row.at(1)}.toText();
    s.browsers.clear();
    for (const QStringList& row : rowsOf(m_browsers))
        s.browsers << BrowserEntry{row.at(0), row.at(1)};
    s.styles = m_theme.styles();
    s.saveFormat = m_saveFormat->currentText();
    s.defaultExt = normalizedDefaultExt(m_defaultExt->text());
    s.fontName = m_fontName->currentText();
    s.fontColor = colorOf(m_fontColor, m_shownFontColor);
    s.fontSize = m_fontSize->value();
    s.backColor = colorOf(m_backColor, m_shownBackColor);
    s.tabWidth = m_tabWidth->value();
    s.upperTag = m_upperTag->isChecked();
    s.completeMarkup = m_completeMarkup->isChecked();
    s.autoCloseTags = m_autoCloseTags->isChecked();
    s.highlightPartnerTag = m_highlightPartnerTag->isChecked();
    s.renamePartnerTag = m_renamePartnerTag->isChecked();
    s.templateHead = editorLines(m_head);
    s.templateFoot = editorLines(m_foot);
    s.docFromTemplate = m_docFromTemplate->isChecked();
    s.lowerFileName = m_lowerFileName->isChecked();
    s.relativePath = m_relativePath->isChecked();
    s.zpetneLomitko = m_zpetneLomitko->isChecked();
    s.spellCheck = m_spellCheck->isChecked();
    s.spellLanguage = m_spellLanguage->currentData().toString();
}

QAbstractButton* SettingsDialog::button(const QString& hintOrCaption) const
{
    for (QAbstractButton* b : findChildren<QAbstractButton*>()) {
        if (b->toolTip() == hintOrCaption || b->text() == hintOrCaption)
            return b;
    }
    return nullptr;
}

void SettingsDialog::newFilter()
{
    const std::optional<QString> name =
        m_ui.inputText(this, quenwick, u"Vložte název nového filtru :"_s, u"Nový filtr"_s);
    if (!name)
        return;
    const std::optional<QString> mask =
        m_ui.inputText(this, quenwick, u"Vložte filtr :"_s, u"*.*"_s);
    if (!mask)
        return;
    addRow(m_filters, *name, *mask);
    m_filters->clearSelection();
    selectRow(m_filters, m_filters->topLevelItemCount() - 1);
    m_filters->setFocus();
}

void SettingsDialog::editFilter()
{
    const int row = selectedRow(m_filters);
    if (row < 0)
        return;
    QTreeWidgetItem* item = m_filters->topLevelItem(row);
    const std::optional<QString> name =
        m_ui.inputText(this, quenwick, u"Upravit název filtru :"_s, item->text(0));
    if (!name)
        return;
    const std::optional<QString> mask =
        m_ui.inputText(this, quenwick, u"Upravit filtr :"_s, item->text(1));
    if (!mask)
        return;
    item->setText(0, *name);
    item->setText(1, *mask);
}

void SettingsDialog::deleteFilter()
{
    deleteSelected(m_filters);
}

void SettingsDialog::moveFilter(int delta)
{
    moveSelected(m_filters, delta);
}

void SettingsDialog::addBrowser()
{
    m_browserDialog->setWindowTitle(u"Přidat"_s);
    runModal(*m_browserDialog);
    if (m_browserDialog->result() != QDialog::Accepted)
        return;
    addRow(m_browsers, m_browserDialog->nameField()->text(), m_browserDialog->pathField()->text());
}

void SettingsDialog::editBrowser()
{
    const int row = selectedRow(m_browsers);
    if (row < 0)
        return;
    QTreeWidgetItem* item = m_browsers->topLevelItem(row);
    m_browserDialog->setWindowTitle(u"Upravit"_s);
    m_browserDialog->nameField()->setText(item->text(0));
    m_browserDialog->pathField()->setText(item->text(1));
    runModal(*m_browserDialog);
    if (m_browserDialog->result() != QDialog::Accepted)
        return;
    item->setText(0, m_browserDialog->nameField()->text());
    item->setText(1, m_browserDialog->pathField()->text());
}

void SettingsDialog::deleteBrowser()
{
    deleteSelected(m_browsers);
}

void SettingsDialog::moveBrowser(int delta)
{
    moveSelected(m_browsers, delta);
}

void SettingsDialog::showStyle(int row)
{
    const auto entries = styleEntries();
    if (row < 0 || row >= static_cast<int>(entries.size()))
        return;
    const HighlightStyle& shown = styleOf(m_theme.styles(), entries[std::size_t(row)].shown);
    m_showingStyle = true;
    showColor(m_styleColor, shown.foreground);
    m_showingStyle = false;
    m_bold->setChecked(shown.bold);
    m_italic->setChecked(shown.italic);
    m_underline->setChecked(shown.underline);
}

void SettingsDialog::changeStyle()
{
    const int row = m_styleList->currentRow();
    const auto entries = styleEntries();
    if (row < 0 || row >= static_cast<int>(entries.size()))
        return;
    const StyleEntry& entry = entries[std::size_t(row)];
    HighlightStyles styles = m_theme.styles();
    applyStyleEntry(styles, entry, colorOf(m_styleColor, styleOf(styles, entry.shown).foreground),
                    m_bold->isChecked(), m_italic->isChecked(), m_underline->isChecked());
    // The sample and the template editors follow the dialog's theme.
    m_theme.setStyles(styles);
}

void SettingsDialog::requestAssociation()
{
    QStringList extensions;
    for (int i = 0; i < m_extensions->count(); ++i) {
        if (m_extensions->item(i)->isSelected())
            extensions << u'.' + m_extensions->item(i)->text();
    }
    if (!extensions.isEmpty())
        Q_EMIT associateRequested(extensions);
}

} // namespace qw
