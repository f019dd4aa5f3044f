#include "app/elements/FormControlDialog.h"

#include "core/editor/EditorWidget.h"

#include <QTabWidget>

#include <array>

namespace qw {

namespace {

struct Page
{
    const char* caption; // the tab's caption
    const char* type;    // the TYPE value it writes
    const char* word;    // the type word of its control names
    int fields;          // how many of kFields it shows (the image page differs)
};

constexpr std::array<Page, FormControlDialog::kPageCount> kPages = {{
    {"Checkbox", "checkbox", "CheckBox", 4},
    {"Radio", "radio", "Radio", 4},
    {"Button", "button", "Button", 4},
    {"Submit", "submit", "Submit", 4},
    {"Reset", "reset", "Reset", 4},
    {"Text", "text", "Text", 6},
    {"Password", "password", "Password", 6},
    {"File", "file", "File", 6},
    {"Hidden", "hidden", "Hidden", 2},
    {"Image", "image", "Image", 7},
}};
constexpr int kImagePage = 9;
constexpr int kButtonPage = 2;

struct Field
{
    const char* word; // the attribute word of the control name
    const char* attribute;
    const char* label;
};

// The fields of pages 0 to 8, in OK order; a page shows the first few.
constexpr std::array<Field, 6> kFields = {{
    {"Name", "NAME", "Název:"},
    {"Value", "VALUE", "Hodnota:"},
    {"Align", "ALIGN", "Zarovnat:"},
    {"TabIndex", "TABINDEX", "Tab Index:"},
    {"Size", "SIZE", "Velikost:"},
    {"MaxLength", "MAXLENGTH", "Max. délka:"},
}};

constexpr std::array<Field, 7> kImageFields = {{
    {"Name", "NAME", "Název:"},
    {"Src", "SRC", "Zdroj:"},
    {"Align", "ALIGN", "Zarovnat:"},
    {"TabIndex", "TABINDEX", "Tab Index:"},
    {"Width", "WIDTH", "Šířka:"},
    {"Height", "HEIGHT", "Výška:"},
    {"Border", "BORDER", "Okraj:"},
}};

QStringList alignItems()
{
    QStringList items{QString()};
    for (const char* item : {"top", "middle", "bottom", "right", "left", "texttop", "baseline",
                             "absmiddle", "absbottom"})
        items.append(QString::fromLatin1(item));
    return items;
}

QString controlName(const Page& page, const Field& field)
{
    const bool align = qstrcmp(field.word, "Align") == 0;
    return QString::fromLatin1(align ? "cmb" : "ed") + QString::fromLatin1(page.word) +
           QString::fromLatin1(field.word);
}

const Field* pageField(int page, int index)
{
    return page == kImagePage ? &kImageFields[std::size_t(index)] : &kFields[std::size_t(index)];
}

} // namespace

FormControlDialog::FormControlDialog(ElementDialogContext& context, QWidget* parent)
    : ElementDialog(context, QStringLiteral("Formulářový prvek"), parent)
{
    QList<FieldDef> defs;
    const QStringList aligns = alignItems();
    for (int p = 0; p < kPageCount; ++p) {
        const Page& page = kPages[std::size_t(p)];
        for (int i = 0; i < page.fields; ++i) {
            const Field& f = *pageField(p, i);
            FieldDef def{.name = controlName(page, f),
                         .label = QString::fromUtf8(f.label),
                         .kind = FieldKind::Edit,
                         .attribute = QString::fromLatin1(f.attribute),
                         .focus = FocusExit::Window,
                         .page = QString::fromLatin1(page.caption)};
            if (qstrcmp(f.word, "Align") == 0) {
                def.kind = FieldKind::Combo;
                def.items = aligns;
            }
            if (p == kImagePage && qstrcmp(f.word, "Src") == 0) {
                def.browse = BrowseKind::Picture;
                def.browseHint = QStringLiteral("Otevřít");
                def.browseName = QStringLiteral("btnFile");
            }
            defs.append(def);
        }
    }
    buildFields(defs);
    connect(pages(), &QTabWidget::currentChanged, this, [this] { focusNameField(); });
}

int FormControlDialog::page() const
{
    return pages()->currentIndex();
}

void FormControlDialog::setPage(int page)
{
    pages()->setCurrentIndex(page >= 0 && page < kPageCount ? page : 0);
}

QString FormControlDialog::pageType(int page)
{
    if (page < 0 || page >= kPageCount)
        page = 0;
    return QString::fromLatin1(kPages[std::size_t(page)].type);
}

void FormControlDialog::applyEditTagSetup(const EditTagTarget& target)
{
    setPage(target.inputPage);
}

void FormControlDialog::prepareToShow()
{
    focusNameField();
}

void FormControlDialog::focusNameField()
{
    const int p = page();
    if (p < 0 || p == kButtonPage) {
        focusFirstField();
        return;
    }
    field(controlName(kPages[std::size_t(p)], kFields[0]))->setFocus();
}

QList<AttributeValue> FormControlDialog::okValues() const
{
    // TYPE goes first, so a new tag leads with it and an edited tag keeps the
    // place its TYPE had, taking the active page's type.
    const int p = std::max(page(), 0);
    const Page& pg = kPages[std::size_t(p)];
    QList<AttributeValue> values{{QStringLiteral("TYPE"), pageType(p)}};
    for (int i = 0; i < pg.fields; ++i) {
        const Field& f = *pageField(p, i);
        values.append({QString::fromLatin1(f.attribute), fieldText(controlName(pg, f))});
    }
    return values;
}

void FormControlDialog::writeToSource(EditorWidget& editor)
{
    if (mode() == ElementMode::Edit) {
        ElementDialog::writeToSource(editor);
        return;
    }
    // A new INPUT (no end tag) goes in front of the selected text, which it
    // replaces together with the tag; the caret ends after both.
    TagAttributeList& list = *context().attributes;
    list.clearTagAttributes();
    for (const AttributeValue& v : okValues())
        list.setTagAttribute(v.attribute, v.value);
    list.buildTagText(editor, elementName(), editor.selectedText(), false, true,
                      context().tagCase());
}

} // namespace qw
