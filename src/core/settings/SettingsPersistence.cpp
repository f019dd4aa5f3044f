#include "core/settings/SettingsPersistence.h"

#include "core/settings/AppPaths.h"
#include "core/settings/ColorText.h"
#include "core/settings/IniFile.h"
#include "core/settings/UserStore.h"

#include <QJsonObject>
#include <QJsonValue>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace qw {

namespace {

const QString settingsObject = u"Settings"_s;
const QString recentFilesObject = u"RecentFiles"_s;
const QString fileDialogsObject = u"FileDialogs"_s;
const QString lastFolderValue = u"LastFolder"_s;
const QString livePreviewObject = u"LivePreview"_s;
const QString writingAidsObject = u"WritingAids"_s;
const QString spellingObject = u"Spelling"_s;

// A store value is used only when it has the type the setting is kept as.
class StoredValues
{
public:
    explicit StoredValues(QJsonObject values) : m_values(std::move(values)) {}

    void text(const QString& name, QString& field) const
    {
        const QJsonValue v = m_values.value(name);
        if (v.isString())
            field = v.toString();
    }

    void integer(const QString& name, int& field) const
    {
        const QJsonValue v = m_values.value(name);
        if (!v.isDouble())
            return;
        const double d = v.toDouble();
        if (d == std::trunc(d) && d >= std::numeric_limits<qint32>::min() &&
            d <= std::numeric_limits<qint32>::max())
            field = int(d);
    }

    void flag(const QString& name, bool& field) const
    {
        int n = field ? 1 : 0;
        integer(name, n);
        field = n != 0;
    }

    void color(const QString& name, ColorRef& field) const
    {
        const QJsonValue v = m_values.value(name);
        if (!v.isString())
            return;
        if (const std::optional<ColorRef> c = colorFromText(v.toString()))
            field = *c;
    }

    bool contains(const QString& name) const { return m_values.contains(name); }

private:
    QJsonObject m_values;
};

struct StyleSection
{
    QStringView name;
    std::initializer_list<StyleClass> classes;
};

// One section serves the tag-like classes together: they are all read from
// it, and written to it in this order, so the last one is what stays.
const StyleSection styleSections[] = {
    {u"HTMLKEYWORD",
     {StyleClass::HtmlKeyword, StyleClass::HtmlTag, StyleClass::Bracket, StyleClass::UnknownTag}},
    {u"HTMLATTRIBUTE", {StyleClass::HtmlAttribute}},
    {u"HTMLATTRIBUTEVALUE", {StyleClass::HtmlAttributeValue}},
    {u"HTMLCOMMENT", {StyleClass::HtmlComment}},
    {u"SPECIALCHARS", {StyleClass::SpecialChars}},
    {u"HTMLSCRIPTS", {StyleClass::ScriptContent}},
};

struct ListSection
{
    QStringView section;
    QStringView prefix;
};
const ListSection headList{u"SABLONA-HEAD", u"item"};
const ListSection footList{u"SABLONA-FOOT", u"item"};
const ListSection filterList{u"FILTRY", u"filtr"};
const ListSection browserList{u"BROWSER", u"browser"};

void loadStyle(const IniFile& ini, QStringView section, HighlightStyle& style)
{
    if (const std::optional<QString> fore = ini.findValue(section, u"fore")) {
        if (const std::optional<ColorRef> c = colorFromText(*fore))
            style.foreground = *c;
    }
    style.bold = ini.readBool(section, u"bold", style.bold);
    style.italic = ini.readBool(section, u"italic", style.italic);
    style.underline = ini.readBool(section, u"underline", style.underline);
}

bool saveStyle(IniFile& ini, QStringView section, const HighlightStyle& style)
{
    bool ok = ini.writeString(section, u"fore", colorToText(style.foreground));
    ok = ini.writeBool(section, u"bold", style.bold) && ok;
    ok = ini.writeBool(section, u"italic", style.italic) && ok;
    return ini.writeBool(section, u"underline", style.underline) && ok;
}

std::optional<int> readPosition(const IniFile& ini, QStringView section, QStringView key)
{
    bool ok = false;
    const int n = ini.readString(section, key).toInt(&ok, 10);
    return ok ? std::optional<int>(n) : std::nullopt;
}

ToolBarLayout loadToolBar(const IniFile& ini, const QString& section)
{
    ToolBarLayout bar;
    bar.present = ini.sectionExists(section);
    bar.visible = ini.readBool(section, u"VISIBLE", true);
    bar.docked = ini.readBool(section, u"Parent", true);
    bar.left = readPosition(ini, section, u"LEFT");
    bar.top = readPosition(ini, section, u"TOP");
    return bar;
}

bool saveToolBar(IniFile& ini, const QString& section, const ToolBarLayout& bar)
{
    bool ok = ini.writeBool(section, u"VISIBLE", bar.visible);
    ok = ini.writeBool(section, u"Parent", bar.docked) && ok;
    if (bar.left)
        ok = ini.writeInteger(section, u"LEFT", *bar.left) && ok;
    if (bar.top)
        ok = ini.writeInteger(section, u"TOP", *bar.top) && ok;
    return ok;
}

bool saveList(IniFile& ini, const ListSection& list, const QStringList& entries)
{
    const bool erased = ini.eraseSection(list.section);
    return ini.writeList(list.section, list.prefix, entries) && erased;
}

QString orDefault(const QString& value, const QString& fallback)
{
    return value.isEmpty() ? fallback : value;
}

} // namespace

AppSettings defaultSettings(const AppPaths& paths)
{
    AppSettings s;
    s.userTagPath = paths.userTagFolder();
    return s;
}

AppSettings loadSettings(const UserStore& store, const IniFile& htmlDat, const AppPaths& paths)
{
    AppSettings s = defaultSettings(paths);
    const QJsonObject root = store.read();

    const StoredValues values(root.value(settingsObject).toObject());
    values.text(u"SaveFormat"_s, s.saveFormat);
    values.text(u"DefaultExt"_s, s.defaultExt);
    // A font name that cannot be read leaves the name empty rather than the
    // default; the next save then stores the default.
    if (values.contains(u"FontName"_s)) {
        s.fontName.clear();
        values.text(u"FontName"_s, s.fontName);
    }
    values.color(u"FontColor"_s, s.fontColor);
    values.integer(u"FontSize"_s, s.fontSize);
    values.color(u"BackColor"_s, s.backColor);
    values.integer(u"TabWidth"_s, s.tabWidth);
    values.flag(u"StatusBar"_s, s.statusBar);
    values.flag(u"LeftPanel"_s, s.leftPanel);
    values.flag(u"TabSet"_s, s.tabSet);
    values.flag(u"UpperTag"_s, s.upperTag);
    values.flag(u"DocFromTemplate"_s, s.docFromTemplate);
    values.flag(u"LowerFileName"_s, s.lowerFileName);
    values.flag(u"RelativePath"_s, s.relativePath);
    values.flag(u"ZpetneLomitko"_s, s.zpetneLomitko);
    values.text(u"UserTagPath"_s, s.userTagPath);
    // Either default folder stands for the default: which of the two is used
    // follows the installation as it is now, not as it was at the last save.
    if (s.userTagPath == paths.shippedUserTagFolder() || s.userTagPath == paths.userTagCopyFolder())
        s.userTagPath = paths.userTagFolder();

    const QJsonObject recent = root.value(recentFilesObject).toObject();
    for (int n = 0;; ++n) {
        const auto it = recent.constFind(u"file"_s + QString::number(n));
        if (it == recent.constEnd())
            break;
        // A value that is no text is left out; the ones after it still count.
        if (it->isString())
            s.recentFiles.append(it->toString());
    }

    const QJsonValue lastFolder = root.value(fileDialogsObject).toObject().value(lastFolderValue);
    if (lastFolder.isString())
        s.lastFolder = lastFolder.toString();

    const StoredValues spelling(root.value(spellingObject).toObject());
    spelling.flag(u"Check"_s, s.spellCheck);
    spelling.text(u"Language"_s, s.spellLanguage);

    const StoredValues aids(root.value(writingAidsObject).toObject());
    aids.flag(u"Complete"_s, s.completeMarkup);
    aids.flag(u"CloseTags"_s, s.autoCloseTags);
    aids.flag(u"ShowPartner"_s, s.highlightPartnerTag);
    aids.flag(u"RenamePartner"_s, s.renamePartnerTag);

    const StoredValues live(root.value(livePreviewObject).toObject());
    live.flag(u"Shown"_s, s.livePreview);
    live.flag(u"Below"_s, s.livePreviewBelow);
    live.integer(u"Share"_s, s.livePreviewShare);
    // A share that leaves either side without room is no choice anybody made.
    if (s.livePreviewShare < 50 || s.livePreviewShare > 950)
        s.livePreviewShare = AppSettings().livePreviewShare;

    s.templateHead = htmlDat.readList(headList.section, headList.prefix);
    s.templateFoot = htmlDat.readList(footList.section, footList.prefix);
    s.filters = htmlDat.readList(filterList.section, filterList.prefix);
    for (const QString& text : htmlDat.readList(browserList.section, browserList.prefix))
        s.browsers.append(BrowserEntry::fromText(text));

    for (std::size_t i = 0; i < ToolBarCount; ++i)
        s.toolBars[i] = loadToolBar(htmlDat, toolBarSection(static_cast<ToolBarId>(i)));

    for (const StyleSection& section : styleSections) {
        for (StyleClass c : section.classes)
            loadStyle(htmlDat, section.name, styleOf(s.styles, c));
    }
    return s;
}

SettingsSaveResult saveSettings(const AppSettings& s, const UserStore& store, IniFile& htmlDat,
                                const AppPaths& paths)
{
    const AppSettings defaults;
    SettingsSaveResult result;

    // Values of the store the program does not know stay as they are.
    QJsonObject root = store.read();
    QJsonObject values = root.value(settingsObject).toObject();
    auto flag = [](bool b) {
        return QJsonValue(b ? 1 : 0);
    };
    values.insert(u"SaveFormat"_s, orDefault(s.saveFormat, defaults.saveFormat));
    values.insert(u"DefaultExt"_s, orDefault(s.defaultExt, defaults.defaultExt));
    values.insert(u"FontName"_s, orDefault(s.fontName, defaults.fontName));
    values.insert(u"FontColor"_s, colorToText(s.fontColor));
    values.insert(u"FontSize"_s, s.fontSize == 0 ? defaults.fontSize : s.fontSize);
    values.insert(u"BackColor"_s, colorToText(s.backColor));
    values.insert(u"TabWidth"_s, s.tabWidth == 0 ? defaults.tabWidth : s.tabWidth);
    values.insert(u"StatusBar"_s, flag(s.statusBar));
    values.insert(u"LeftPanel"_s, flag(s.leftPanel));
    values.insert(u"TabSet"_s, flag(s.tabSet));
    values.insert(u"UpperTag"_s, flag(s.upperTag));
    values.insert(u"DocFromTemplate"_s, flag(s.docFromTemplate));
    values.insert(u"LowerFileName"_s, flag(s.lowerFileName));
    values.insert(u"RelativePath"_s, flag(s.relativePath));
    values.insert(u"ZpetneLomitko"_s, flag(s.zpetneLomitko));
    values.insert(u"UserTagPath"_s, paths.userTagFolder());
    root.insert(settingsObject, values);

    if (s.recentFiles.isEmpty()) {
        root.remove(recentFilesObject);
    } else {
        QJsonObject recent;
        for (int n = 0; n < s.recentFiles.size(); ++n)
            recent.insert(u"file"_s + QString::number(n), s.recentFiles[n]);
        root.insert(recentFilesObject, recent);
    }
    if (s.lastFolder.isEmpty())
        root.remove(fileDialogsObject);
    else
        root.insert(fileDialogsObject, QJsonObject{{lastFolderValue, s.lastFolder}});
    root.insert(writingAidsObject, QJsonObject{{u"Complete"_s, flag(s.completeMarkup)},
                                               {u"CloseTags"_s, flag(s.autoCloseTags)},
                                               {u"ShowPartner"_s, flag(s.highlightPartnerTag)},
                                               {u"RenamePartner"_s, flag(s.renamePartnerTag)}});
    root.insert(livePreviewObject, QJsonObject{{u"Shown"_s, flag(s.livePreview)},
                                               {u"Below"_s, flag(s.livePreviewBelow)},
                                               {u"Share"_s, s.livePreviewShare}});
    root.insert(spellingObject,
                QJsonObject{{u"Check"_s, flag(s.spellCheck)}, {u"Language"_s, s.spellLanguage}});
    result.userStoreWritten = store.write(root);

    IniFile::Batch batch(htmlDat);
    bool ok = saveList(htmlDat, headList, s.templateHead);
    ok = saveList(htmlDat, footList, s.templateFoot) && ok;
    ok = saveList(htmlDat, filterList, s.filters) && ok;
    QStringList browsers;
    for (const BrowserEntry& b : s.browsers)
        browsers.append(b.toText());
    ok = saveList(htmlDat, browserList, browsers) && ok;
    for (std::size_t i = 0; i < ToolBarCount; ++i)
        ok = saveToolBar(htmlDat, toolBarSection(static_cast<ToolBarId>(i)), s.toolBars[i]) && ok;
    for (const StyleSection& section : styleSections) {
        for (StyleClass c : section.classes)
            ok = saveStyle(htmlDat, section.name, styleOf(s.styles, c)) && ok;
    }
    result.dataFileWritten = batch.commit() && ok;
    return result;
}

} // namespace qw
