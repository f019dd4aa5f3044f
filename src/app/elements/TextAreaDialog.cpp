#include "app/elements/TextAreaDialog.h"

#include "core/builders/SelectOptions.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTabWidget>

namespace qw {

namespace {

const QString kTextAreaPage = QStringLiteral("TextArea");
const QString kSelectPage = QStringLiteral("Select");
const QString kTextGroup = QStringLiteral("Text");

FieldDef edit(const char* name, const char* label, const char* attribute, const QString& page)
{
    FieldDef def = editField(name, label, attribute);
    def.page = page;
    return def;
}

QStringList names(std::initializer_list<const char*> list)
{
    QStringList result;
    for (const char* name : list)
        result.append(QString::fromLatin1(name));
    return result;
}

} // namespace

TextAreaDialog::TextAreaDialog(ElementDialogContext& context, QWidget* parent)
    : ElementDialog(context, QStringLiteral("TextArea"), parent)
{
    FieldDef wrap = edit("cmbTextAreaWrap", "Wrap:", "WRAP", kTextAreaPage);
    wrap.kind = FieldKind::Combo;
    wrap.items = {QString(), QStringLiteral("off"), QStringLiteral("soft"), QStringLiteral("hard")};
    buildFields({
        edit("edTextAreaName", "Name:", "NAME", kTextAreaPage),
        edit("edTextAreaCols", "Cols:", "COLS", kTextAreaPage),
        edit("edTextAreaRows", "Rows:", "ROWS", kTextAreaPage),
        edit("edTextAreaTabIndex", "TabIndex:", "TABINDEX", kTextAreaPage),
        wrap,
        {.name = QStringLiteral("mmText"),
         .kind = FieldKind::Memo,
         .focus = FocusExit::Window,
         .group = kTextGroup,
         .page = kTextAreaPage},
        edit("edSelectName", "Name:", "NAME", kSelectPage),
        edit("edSelectSize", "Size:", "SIZE", kSelectPage),
        edit("edSelectCount", "Count:", "COUNT", kSelectPage),
        edit("edSelectTabIndex", "TabIndex:", "TABINDEX", kSelectPage),
    });
    // The number fields take digits only (typed or pasted).
    for (const QString& name : names({"edTextAreaCols", "edTextAreaRows", "edTextAreaTabIndex",
                                      "edSelectCount", "edSelectTabIndex"})) {
        auto* line = static_cast<QLineEdit*>(field(name));
        line->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), line));
    }
    setFieldText(u"edSelectCount", QStringLiteral("0"));
}

TextAreaDialog::Page TextAreaDialog::page() const
{
    return pages()->currentIndex() == 1 ? Page::Select : Page::TextArea;
}

void TextAreaDialog::showPage(Page page)
{
    const int shown = page == Page::Select ? 1 : 0;
    pages()->setTabVisible(shown, true);
    pages()->setCurrentIndex(shown);
    pages()->setTabVisible(1 - shown, false);
}

void TextAreaDialog::setCountShown(bool shown)
{
    formOf(QString(), kSelectPage)->setRowVisible(field(u"edSelectCount"), shown);
}

void TextAreaDialog::prepareInsert(Page page, const QString& selectedText)
{
    setFieldText(u"mmText", selectedText);
    showPage(page);
    if (page == Page::TextArea)
        groupBox(kTextGroup)->show();
    else
        setCountShown(true);
}

void TextAreaDialog::applyEditTagSetup(const EditTagTarget& target)
{
    if (target.row == nullptr)
        return;
    if (target.row->setup == EditTagSetup::SelectOnly) {
        showPage(Page::Select);
        setCountShown(false);
    } else {
        showPage(Page::TextArea);
        groupBox(kTextGroup)->hide();
    }
}

void TextAreaDialog::prepareToShow()
{
    field(page() == Page::Select ? u"edSelectName" : u"edTextAreaName")->setFocus();
}

QString TextAreaDialog::elementName() const
{
    return page() == Page::Select ? QStringLiteral("select") : QStringLiteral("textarea");
}

QList<AttributeValue> TextAreaDialog::okValues() const
{
    const QStringList fields = page() == Page::Select
                                   ? names({"edSelectName", "edSelectSize", "edSelectTabIndex"})
                                   : names({"edTextAreaName", "edTextAreaCols", "edTextAreaRows",
                                            "edTextAreaTabIndex", "cmbTextAreaWrap"});
    QList<AttributeValue> values;
    for (const QString& name : fields) {
        for (const FieldDef& def : fieldDefs()) {
            if (def.name == name)
                values.append({def.attribute, fieldText(name)});
        }
    }
    return values;
}

QString TextAreaDialog::insertContent(EditorWidget&) const
{
    if (page() == Page::TextArea)
        return fieldText(u"mmText");
    // The options come first, then the text that was selected.
    const SelectOptionCount count = readSelectOptionCount(fieldText(u"edSelectCount"));
    return buildSelectOptions(count.count) + fieldText(u"mmText");
}

void TextAreaDialog::writeToSource(EditorWidget& editor)
{
    // An empty count reads as "0", and the field says so.
    if (mode() == ElementMode::Insert && page() == Page::Select)
        setFieldText(u"edSelectCount",
                     readSelectOptionCount(fieldText(u"edSelectCount")).fieldText);
    ElementDialog::writeToSource(editor);
}

} // namespace qw
