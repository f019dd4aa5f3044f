// The element dialogs on the design page with a stand-in document: the
// property commands fill them from the selected element, the body or the
// selection's font; their OK changes that element, refuses a number that is
// not whole, or pastes the markup built as for the source; the design
// openers open only when the document allows.

#include "app/editor/ScintillaEditor.h"
#include "app/elements/DesignOpeners.h"
#include "app/elements/ElementDialogs.h"
#include "app/elements/FontDialog.h"
#include "app/elements/ImageDialog.h"
#include "app/elements/LineDialog.h"
#include "app/elements/LinkDialog.h"
#include "app/elements/ListDialog.h"
#include "app/elements/QuickTableDialog.h"
#include "app/services/ColorCombo.h"
#include "support/FakeDesignDocument.h"
#include "support/FakeUiServices.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QVBoxLayout>

using namespace qw;
using namespace qw::test;
using namespace Qt::StringLiterals;

using Fields = QList<QPair<QString, QString>>; // control name, text
Q_DECLARE_METATYPE(Fields)
Q_DECLARE_METATYPE(DesignAttributeChanges)

namespace {

DesignElement element(const QString& tag, const QList<QPair<QString, QString>>& attributes)
{
    return DesignElement{tag, attributes, {}};
}

struct Fixture
{
    QWidget window;
    ScintillaEditor* editor = new ScintillaEditor;
    FakeUiServices ui;
    TagAttributeList attributes;
    FakeDesignDocument document;
    bool onDesignPage = true;
    bool lowerCase = true;
    std::unique_ptr<ElementDialogs> dialogs;
    QDialog* shown = nullptr;

    Fixture()
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(editor);
        ElementDialogContext c;
        c.ui = &ui;
        c.attributes = &attributes;
        c.sourceEditor = [this]() -> EditorWidget* {
            return onDesignPage ? nullptr : editor;
        };
        c.designTarget = [this]() -> DesignDocument* {
            return onDesignPage ? &document : nullptr;
        };
        c.tagCase = [this] {
            return TagCaseOptions{lowerCase};
        };
        c.linkOptions = [] {
            return LinkOptions{};
        };
        c.documentPath = [] {
            return QString();
        };
        c.fileFilter = [](bool) {
            return QString();
        };
        c.setFileFilter = [](const QString&) {
        };
        dialogs = std::make_unique<ElementDialogs>(std::move(c), &window);
        dialogs->setShowHook([this](QDialog& d) {
            shown = &d;
            d.show();
        });
        window.show();
    }

    ElementDialog* shownDialog() const { return qobject_cast<ElementDialog*>(shown); }
};

std::optional<QString> changeOf(const DesignAttributeChanges& changes, const QString& name,
                                bool* present = nullptr)
{
    for (const auto& [attribute, value] : changes) {
        if (attribute == name) {
            if (present != nullptr)
                *present = true;
            return value;
        }
    }
    if (present != nullptr)
        *present = false;
    return std::nullopt;
}

} // namespace

class DesignDialogsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void propertyCommandsFillTheirDialogs_data();
    void propertyCommandsFillTheirDialogs();
    void okChangesTheSelectedElement_data();
    void okChangesTheSelectedElement();
    void aNumberThatIsNotWholeKeepsTheDialogOpen_data();
    void aNumberThatIsNotWholeKeepsTheDialogOpen();
    void okPastesTheMarkupUnlessAnObjectIsSelected();
    void bodyFontAndQuickTableUseTheirOwnOperations();
    void designOpenersAskTheDocument();
    void theLinkGoesAroundTheSelectionOrTakesATypedText();
};

void DesignDialogsTest::propertyCommandsFillTheirDialogs_data()
{
    QTest::addColumn<int>("property");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<Fields>("preset"); // typed in before: what a reset clears
    QTest::addColumn<Fields>("expected");

    QTest::newRow("table") << int(DesignProperty::Table) << u"Upravit tabulku"_s
                           << Fields{{u"edCellpadding"_s, u"9"_s}}
                           << Fields{
                                  {u"edWidth"_s, u"100%"_s},     {u"edBorder"_s, u"2"_s},
                                  {u"cmbVALIGN"_s, u"top"_s},    {u"ColorCombo1"_s, u"#FF0000"_s},
                                  {u"ColorCombo2"_s, QString()}, {u"edCellpadding"_s, QString()}};
    QTest::newRow("cell") << int(DesignProperty::Cell) << u"Upravit buňku"_s
                          << Fields{{u"edHeight"_s, u"77"_s}, {u"cmbVALIGN"_s, u"top"_s}}
                          << Fields{{u"edWidth"_s, u"50"_s},
                                    {u"edRowSpan"_s, u"2"_s},
                                    {u"edColSpan"_s, u"3"_s},
                                    {u"edHeight"_s, QString()},
                                    {u"cmbVALIGN"_s, QString()}};
    QTest::newRow("rule") << int(DesignProperty::Rule) << u"Upravit vodorovnou čáru"_s << Fields{}
                          << Fields{{u"cmbALIGN"_s, u"center"_s},
                                    {u"edSize"_s, u"3"_s},
                                    {u"edWidth"_s, u"80%"_s},
                                    {u"cmbColor"_s, u"#00FF00"_s}};
    // Every dialog shows the element alone: the delay typed before is gone.
    QTest::newRow("picture") << int(DesignProperty::Image) << u"Upravit obrázek"_s
                             << Fields{{u"edLoopDelay"_s, u"7"_s}}
                             << Fields{{u"cmbImage"_s, u"a.gif"_s},
                                       {u"edALT"_s, u"Logo"_s},
                                       {u"edWidth"_s, u"10"_s},
                                       {u"edHeight"_s, QString()},
                                       {u"edLoopDelay"_s, QString()}};
    QTest::newRow("inline frame") << int(DesignProperty::InlineFrame) << u"Upravit i. rám"_s
                                  << Fields{}
                                  << Fields{{u"edSource"_s, u"in.html"_s},
                                            {u"edName"_s, u"f"_s},
                                            {u"cmbScrolling"_s, u"no"_s},
                                            {u"cmbAlign"_s, u"left"_s}};
    QTest::newRow("link") << int(DesignProperty::Link) << u"Upravit odkaz"_s << Fields{}
                          << Fields{{u"cmbHREF"_s, u"x.html"_s},
                                    {u"cmbTarget"_s, u"_blank"_s},
                                    {u"edTitle"_s, u"Tam"_s},
                                    {u"Memo1"_s, u"Klikni sem"_s}};
    QTest::newRow("font") << int(DesignProperty::Font) << u"Upravit font"_s << Fields{}
                          << Fields{{u"cmbFontFace"_s, u"Arial"_s},
                                    {u"cmbSize"_s, u"4"_s},
                                    {u"cmbColor"_s, u"#0000FF"_s}};
}

void DesignDialogsTest::propertyCommandsFillTheirDialogs()
{
    QFETCH(int, property);
    QFETCH(QString, caption);
    QFETCH(Fields, preset);
    QFETCH(Fields, expected);
    Fixture f;
    const QMap<DesignProperty, DesignElement> elements = {
        {DesignProperty::Table, element(u"TABLE"_s, {{u"width"_s, u"100%"_s},
                                                     {u"BORDER"_s, u"2"_s},
                                                     {u"bgcolor"_s, u"#ff0000"_s},
                                                     {u"valign"_s, u"top"_s}})},
        {DesignProperty::Cell,
         element(u"TD"_s, {{u"width"_s, u"50"_s}, {u"rowspan"_s, u"2"_s}, {u"colspan"_s, u"3"_s}})},
        {DesignProperty::Rule, element(u"HR"_s, {{u"align"_s, u"center"_s},
                                                 {u"size"_s, u"3"_s},
                                                 {u"width"_s, u"80%"_s},
                                                 {u"color"_s, u"#00FF00"_s}})},
        {DesignProperty::Image,
         element(u"IMG"_s, {{u"src"_s, u"a.gif"_s}, {u"alt"_s, u"Logo"_s}, {u"width"_s, u"10"_s}})},
        {DesignProperty::InlineFrame, element(u"IFRAME"_s, {{u"src"_s, u"in.html"_s},
                                                            {u"name"_s, u"f"_s},
                                                            {u"scrolling"_s, u"no"_s},
                                                            {u"align"_s, u"left"_s}})},
        {DesignProperty::Link,
         element(u"A"_s,
                 {{u"href"_s, u"x.html"_s}, {u"target"_s, u"_blank"_s}, {u"title"_s, u"Tam"_s}})},
    };
    const auto kind = DesignProperty(property);
    if (elements.contains(kind))
        f.document.element = elements.value(kind);
    f.document.activeText = u"Klikni sem"_s;
    f.document.outputs = {{DesignCommand::GetFontName, u"Arial"_s},
                          {DesignCommand::GetFontSize, u"4"_s},
                          {DesignCommand::GetForeColor, u"#0000FF"_s}};
    // The dialog as an earlier use left it.
    openDesignProperties(*f.dialogs, f.document, kind);
    ElementDialog* dialog = f.shownDialog();
    QVERIFY(dialog != nullptr);
    dialog->hide();
    for (const auto& [name, text] : preset)
        dialog->setFieldText(name, text);
    f.shown = nullptr;

    openDesignProperties(*f.dialogs, f.document, kind);
    QCOMPARE(f.shownDialog(), dialog);
    QCOMPARE(dialog->windowTitle(), caption);
    QCOMPARE(dialog->mode(), ElementMode::Edit);
    for (const auto& [name, text] : expected) {
        QVERIFY2(dialog->field(name) != nullptr, qPrintable(name));
        QCOMPARE(dialog->fieldText(name), text);
    }
    if (kind == DesignProperty::Link) {
        QVERIFY(dialog->groupBox(u" Text odkazu "_s) == nullptr ||
                !dialog->groupBox(u" Text odkazu "_s)->isVisible());
        QVERIFY(!dialog->field(u"Memo1"_s)->isVisible());
    }
    if (kind == DesignProperty::Font) {
        auto* faces = static_cast<QComboBox*>(dialog->field(u"cmbFontFace"_s));
        QCOMPARE(faces->count(), QFontDatabase::families().size());
    }
}

void DesignDialogsTest::okChangesTheSelectedElement_data()
{
    QTest::addColumn<int>("property");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<Fields>("held"); // the element's attributes
    QTest::addColumn<Fields>("typed");
    QTest::addColumn<DesignAttributeChanges>("expected"); // in the dialog's order
    using C = DesignAttributeChanges;
    const std::optional<QString> removed;
    // Only what the user changed goes to the element: a field left as it
    // was filled keeps its attribute as the element writes it.
    QTest::newRow("picture")
        << int(DesignProperty::Image) << u"IMG"_s
        << Fields{{u"src"_s, u"a.gif"_s}, {u"alt"_s, u"Starý"_s}, {u"border"_s, u"2"_s}}
        << Fields{{u"cmbImage"_s, u"a.gif"_s},
                  {u"edALT"_s, u"Nový popis"_s},
                  {u"edWidth"_s, u" 12"_s},
                  {u"edBorder"_s, QString()}}
        << C{{u"alt"_s, u"Nový popis"_s}, {u"width"_s, u"12"_s}, {u"border"_s, removed}};
    QTest::newRow("rule") << int(DesignProperty::Rule) << u"hr"_s
                          << Fields{{u"color"_s, u"red"_s}, {u"width"_s, u"80%"_s}}
                          << Fields{{u"edSize"_s, u"4"_s}, {u"cmbColor"_s, QString()}}
                          << C{{u"color"_s, removed}, {u"size"_s, u"4"_s}};
    // The link's title and the inline frame's alignment stay as they are.
    QTest::newRow("link") << int(DesignProperty::Link) << u"A"_s
                          << Fields{{u"href"_s, u"old.html"_s}, {u"title"_s, u"Starý"_s}}
                          << Fields{{u"cmbHREF"_s, u"new.html"_s}, {u"edTitle"_s, u"T"_s}}
                          << C{{u"href"_s, u"new.html"_s}};
    QTest::newRow("inline frame") << int(DesignProperty::InlineFrame) << u"IFRAME"_s
                                  << Fields{{u"name"_s, u"f"_s}, {u"align"_s, u"right"_s}}
                                  << Fields{{u"edSource"_s, u"b.html"_s},
                                            {u"cmbAlign"_s, u"left"_s},
                                            {u"edName"_s, QString()}}
                                  << C{{u"src"_s, u"b.html"_s}, {u"name"_s, removed}};
    QTest::newRow("cell") << int(DesignProperty::Cell) << u"TD"_s
                          << Fields{{u"bgcolor"_s, u"red"_s}, {u"valign"_s, u"top"_s}}
                          << Fields{{u"edColSpan"_s, u"2"_s}, {u"ColorCombo1"_s, u"#FFFF00"_s}}
                          << C{{u"colspan"_s, u"2"_s}, {u"bgcolor"_s, u"#FFFF00"_s}};
}

void DesignDialogsTest::okChangesTheSelectedElement()
{
    QFETCH(int, property);
    QFETCH(QString, tag);
    QFETCH(Fields, held);
    QFETCH(Fields, typed);
    QFETCH(DesignAttributeChanges, expected);
    Fixture f;
    f.document.element = element(tag, held);
    openDesignProperties(*f.dialogs, f.document, DesignProperty(property));
    ElementDialog* dialog = f.shownDialog();
    QVERIFY(dialog != nullptr);
    for (const auto& [name, text] : typed)
        dialog->setFieldText(name, text);
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(f.document.elementChanges.size(), 1);
    QCOMPARE(f.document.elementChanges[0], expected);
    QVERIFY(f.document.pasted.isEmpty());
    QVERIFY(f.ui.notices.isEmpty());
    // The source text is not the target on the design page.
    QCOMPARE(f.editor->text(), QString());
}

void DesignDialogsTest::aNumberThatIsNotWholeKeepsTheDialogOpen_data()
{
    QTest::addColumn<int>("property");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("bad");
    QTest::addColumn<QString>("good");
    QTest::newRow("picture width in pixels")
        << int(DesignProperty::Image) << u"IMG"_s << u"edWidth"_s << u"12px"_s << u"12"_s;
    QTest::newRow("picture height in percent")
        << int(DesignProperty::Image) << u"IMG"_s << u"edHeight"_s << u"50%"_s << u"50"_s;
    QTest::newRow("cell row span as a fraction")
        << int(DesignProperty::Cell) << u"TD"_s << u"edRowSpan"_s << u"1.5"_s << u"2"_s;
    QTest::newRow("cell column span as a word")
        << int(DesignProperty::Cell) << u"TD"_s << u"edColSpan"_s << u"dva"_s << u"-1"_s;
}

void DesignDialogsTest::aNumberThatIsNotWholeKeepsTheDialogOpen()
{
    QFETCH(int, property);
    QFETCH(QString, tag);
    QFETCH(QString, field);
    QFETCH(QString, bad);
    QFETCH(QString, good);
    Fixture f;
    f.document.element = element(tag, {{u"src"_s, u"a.gif"_s}});
    openDesignProperties(*f.dialogs, f.document, DesignProperty(property));
    ElementDialog* dialog = f.shownDialog();
    dialog->setFieldText(field, bad);
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->fieldText(field), bad);
    QCOMPARE(f.ui.notices.size(), 1);
    QCOMPARE(f.ui.notices[0].icon, UiServices::Icon::Error);
    QVERIFY(f.ui.notices[0].text.contains(bad));
    QVERIFY(f.document.elementChanges.isEmpty());
    QVERIFY(f.document.pasted.isEmpty());

    dialog->setFieldText(field, good);
    QVERIFY(dialog->runOk());
    QVERIFY(!dialog->isVisible());
    QCOMPARE(f.document.elementChanges.size(), 1);
    QCOMPARE(changeOf(f.document.elementChanges[0], field.mid(2).toLower()), good);
}

void DesignDialogsTest::okPastesTheMarkupUnlessAnObjectIsSelected()
{
    const struct
    {
        ElementMode mode;
        const char* selection;
        std::optional<DesignElement> selected;
        bool upper;
        const char* pasted; // nullptr: nothing
    } rows[] = {
        {ElementMode::Insert, "Text", std::nullopt, false, "<hr size=\"2\">"},
        {ElementMode::Insert, "Text", std::nullopt, true, "<HR SIZE=\"2\">"},
        {ElementMode::Insert, "None", std::nullopt, false, "<hr size=\"2\">"},
        {ElementMode::Insert, "CONTROL", element(u"IMG"_s, {}), false, nullptr},
        // In edit mode another element than a rule gets a new one.
        {ElementMode::Edit, "Text", element(u"P"_s, {}), false, "<hr size=\"2\">"},
        {ElementMode::Edit, "Control", element(u"TABLE"_s, {}), false, nullptr},
    };
    for (const auto& row : rows) {
        Fixture f;
        f.lowerCase = !row.upper;
        f.document.selection = QString::fromLatin1(row.selection);
        f.document.element = row.selected;
        LineDialog& dialog = f.dialogs->get<LineDialog>();
        f.dialogs->open(dialog, ElementDialogs::Opening{.mode = row.mode});
        dialog.setFieldText(u"edSize", u"2"_s);
        QVERIFY(dialog.runOk());
        QCOMPARE(f.document.pasted,
                 row.pasted ? QStringList{QString::fromLatin1(row.pasted)} : QStringList{});
        QVERIFY(f.document.elementChanges.isEmpty());
    }

    // The list dialog pastes its list as the source gets it.
    Fixture f;
    ListDialog& list = f.dialogs->get<ListDialog>();
    f.dialogs->open(list, ElementDialogs::Opening{});
    list.setFieldText(u"mmLines", u"jedna\ndva"_s);
    QVERIFY(list.runOk());
    QCOMPARE(f.document.pasted.size(), 1);
    QVERIFY(f.document.pasted[0].contains(u"<li>jedna"_s));
    QVERIFY(f.document.pasted[0].contains(u"<li>dva"_s));
}

void DesignDialogsTest::bodyFontAndQuickTableUseTheirOwnOperations()
{
    {
        Fixture f;
        f.document.body = element(u"BODY"_s, {{u"bgcolor"_s, u"#FFFFFF"_s},
                                              {u"background"_s, u"bg.gif"_s},
                                              {u"leftmargin"_s, u"5"_s}});
        openDesignProperties(*f.dialogs, f.document, DesignProperty::Document);
        ElementDialog* body = f.shownDialog();
        QCOMPARE(body->fieldText(u"ColorCombo1"), u"#FFFFFF"_s);
        QCOMPARE(body->fieldText(u"cmbBackground"), u"bg.gif"_s);
        QCOMPARE(body->fieldText(u"edLeftMargin"), u"5"_s);
        body->colorField(u"ColorCombo1")->selectNone();
        body->setFieldText(u"ColorCombo2", u"#000080"_s);
        QVERIFY(body->runOk());
        QCOMPARE(f.document.bodyChanges.size(), 1);
        const DesignAttributeChanges& c = f.document.bodyChanges[0];
        bool present = false;
        QCOMPARE(changeOf(c, u"bgcolor"_s, &present), std::nullopt);
        QVERIFY(present);
        QCOMPARE(changeOf(c, u"text"_s), u"#000080"_s);
        // Left as they were filled: the body keeps them as it has them.
        for (const QString& kept : {u"background"_s, u"leftmargin"_s}) {
            changeOf(c, kept, &present);
            QVERIFY2(!present, qPrintable(kept));
        }
        QVERIFY(f.document.elementChanges.isEmpty());
    }
    {
        // The face only when given; the size 3 when none.
        const struct
        {
            const char* face;
            const char* size;
            QList<DesignCommand> commands;
            const char* sizeSent;
        } rows[] = {
            {"Verdana",
             "5",
             {DesignCommand::SetFontName, DesignCommand::SetFontSize, DesignCommand::SetForeColor},
             "5"},
            {"", "", {DesignCommand::SetFontSize, DesignCommand::SetForeColor}, "3"},
        };
        for (const auto& row : rows) {
            Fixture f;
            openDesignProperties(*f.dialogs, f.document, DesignProperty::Font);
            ElementDialog* font = f.shownDialog();
            f.document.runs.clear();
            font->setFieldText(u"cmbFontFace", QString::fromLatin1(row.face));
            font->setFieldText(u"cmbSize", QString::fromLatin1(row.size));
            font->setFieldText(u"cmbColor", u"#FF0000"_s);
            QVERIFY(font->runOk());
            QList<DesignCommand> commands;
            for (const auto& run : std::as_const(f.document.runs)) {
                commands << run.command;
                if (run.command == DesignCommand::SetFontSize)
                    QCOMPARE(run.input.toString(), QString::fromLatin1(row.sizeSent));
                if (run.command == DesignCommand::SetFontName)
                    QCOMPARE(run.input.toString(), QString::fromLatin1(row.face));
                if (run.command == DesignCommand::SetForeColor)
                    QCOMPARE(run.input.toString(), u"#FF0000"_s);
            }
            QCOMPARE(commands, row.commands);
        }
    }
    for (DesignStatus status : {DesignStatus::Disabled, DesignStatus::Enabled}) {
        Fixture f;
        f.document.statuses.insert(DesignCommand::InsertTable, status);
        QuickTableDialog& table = f.dialogs->get<QuickTableDialog>();
        f.dialogs->open(table, ElementDialogs::Opening{});
        table.spinField(u"SpinEdit1")->setValue(3);
        table.spinField(u"SpinEdit2")->setValue(4);
        table.setFieldText(u"cmbAlign", u"center"_s);
        QVERIFY(table.runOk());
        if (status != DesignStatus::Enabled) {
            QVERIFY(f.document.tables.isEmpty());
            continue;
        }
        QCOMPARE(f.document.tables.size(), 1);
        const DesignTableParams& p = f.document.tables[0];
        QCOMPARE(p.rows, 3);
        QCOMPARE(p.columns, 4);
        QCOMPARE(p.tableAttributes, quickTableAttributes(table.options()));
        QVERIFY(p.tableAttributes.contains(u"align=\"center\""_s));
        QCOMPARE(p.cellAttributes, QString());
        QCOMPARE(p.caption, QString());
        QVERIFY(f.document.pasted.isEmpty());
    }
}

void DesignDialogsTest::designOpenersAskTheDocument()
{
    const struct
    {
        const char* name;
        void (*open)(ElementDialogs&, DesignDocument&);
        DesignCommand command;
        QList<DesignStatus> opening;
        const char* caption;
    } rows[] = {
        {"picture",
         openDesignImageDialog,
         DesignCommand::Image,
         {DesignStatus::Enabled},
         "Vložit obrázek"},
        {"link",
         openDesignLinkDialog,
         DesignCommand::Hyperlink,
         {DesignStatus::Enabled},
         "Vložit odkaz"},
        {"list",
         openDesignListDialog,
         DesignCommand::UnorderList,
         {DesignStatus::Disabled, DesignStatus::Enabled, DesignStatus::Latched,
          DesignStatus::Mixed},
         "Seznam"},
    };
    for (const auto& row : rows) {
        for (DesignStatus status :
             {DesignStatus::NotSupported, DesignStatus::Disabled, DesignStatus::Enabled,
              DesignStatus::Latched, DesignStatus::Mixed}) {
            Fixture f;
            f.document.statuses.insert(row.command, status);
            f.document.activeText = u"Text odkazu"_s;
            row.open(*f.dialogs, f.document);
            const bool opens = row.opening.contains(status);
            QVERIFY2((f.shown != nullptr) == opens, row.name);
            if (!opens)
                continue;
            QCOMPARE(f.shown->windowTitle(), QString::fromUtf8(row.caption));
            if (auto* link = qobject_cast<LinkDialog*>(f.shown)) {
                // Around the selected text: nothing to type.
                QCOMPARE(link->fieldText(u"Memo1"), QString());
                QVERIFY(!link->field(u"Memo1")->isVisible());
                QCOMPARE(link->mode(), ElementMode::Insert);
            }
        }
    }
}

void DesignDialogsTest::theLinkGoesAroundTheSelectionOrTakesATypedText()
{
    using Attributes = QList<QPair<QString, QString>>;
    // A selected text or object becomes the link's content, whatever the
    // document's active element says.
    for (const char* selection : {"Text", "Control"}) {
        Fixture f;
        f.document.selection = QString::fromLatin1(selection);
        f.document.statuses.insert(DesignCommand::Hyperlink, DesignStatus::Enabled);
        f.document.activeText = u"jiný text"_s;
        openDesignLinkDialog(*f.dialogs, f.document);
        ElementDialog* link = f.shownDialog();
        QVERIFY(link != nullptr);
        QVERIFY(!link->field(u"Memo1")->isVisible());
        link->setFieldText(u"cmbHREF", u"x.html"_s);
        link->setFieldText(u"cmbTarget", u"_blank"_s);
        link->setFieldText(u"edTitle", u"Nápis"_s);
        QVERIFY(link->runOk());
        const Attributes wanted = {
            {u"href"_s, u"x.html"_s}, {u"target"_s, u"_blank"_s}, {u"title"_s, u"Nápis"_s}};
        QCOMPARE(f.document.links.size(), 1);
        QCOMPARE(f.document.links[0], wanted);
        QVERIFY(f.document.pasted.isEmpty());
        QVERIFY(f.ui.notices.isEmpty());
    }

    // At a bare caret the text is typed; without one nothing goes in.
    Fixture f;
    f.lowerCase = false;
    f.document.selection = u"None"_s;
    f.document.statuses.insert(DesignCommand::Hyperlink, DesignStatus::Enabled);
    openDesignLinkDialog(*f.dialogs, f.document);
    ElementDialog* link = f.shownDialog();
    QVERIFY(link != nullptr);
    QVERIFY(link->field(u"Memo1")->isVisible());
    link->setFieldText(u"cmbHREF", u"a.html?x=1&y=\"2\""_s);
    link->setFieldText(u"Memo1", u"  "_s);
    QVERIFY(!link->runOk());
    QVERIFY(link->isVisible());
    QCOMPARE(f.ui.notices.size(), 1);
    QCOMPARE(f.ui.notices[0].icon, UiServices::Icon::Information);
    QVERIFY(f.document.pasted.isEmpty());
    QVERIFY(f.document.links.isEmpty());
    link->setFieldText(u"Memo1", u"<b> & </b>"_s);
    QVERIFY(link->runOk());
    QCOMPARE(f.document.pasted,
             QStringList{
                 u"<A HREF=\"a.html?x=1&amp;y=&quot;2&quot;\">&lt;b&gt; &amp; &lt;/b&gt;</A>"_s});
    QVERIFY(f.document.links.isEmpty());
}

QTEST_MAIN(DesignDialogsTest)
#include "tst_designdialogs.moc"
