#pragma once

#include "core/settings/HighlightStyle.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace qw {

// An external browser: a caption and the path of its program, held in the
// data file as "caption|path".
struct BrowserEntry
{
    QString caption;
    QString path;

    // The caption is the text before the first "|", the path all after it.
    static BrowserEntry fromText(QStringView text);
    QString toText() const;

    friend bool operator==(const BrowserEntry&, const BrowserEntry&) = default;
};

// The text the open and save dialogs and the file panel take: every filter
// ("name|mask|") one after the other.
QString dialogFilterText(const QStringList& filters);

// The tool bars whose layout is stored, in the order it is written.
enum class ToolBarId { Edit, Head, Tool, Table, Fonts, Input, Script };
inline constexpr std::size_t ToolBarCount = 7;
// The data file section of a tool bar: "TBEDIT", "TBHEAD", ...
QString toolBarSection(ToolBarId bar);

// Where a tool bar was left. Docked: the position in the band; floating: the
// screen position of its window. An absent position means "where it is now".
struct ToolBarLayout
{
    bool present = false; // the data file has a section for the bar
    bool visible = true;
    bool docked = true;
    std::optional<int> left;
    std::optional<int> top;

    friend bool operator==(const ToolBarLayout&, const ToolBarLayout&) = default;
};

// Every user setting. Defaults are those of a first start; userTagPath has
// its default only through defaultSettings(), as it depends on the program's
// folder.
struct AppSettings
{
    QString saveFormat = QStringLiteral("WIN");
    QString defaultExt = QStringLiteral(".html");
    QString fontName = QStringLiteral("Verdana");
    ColorRef fontColor = 0x000000;
    int fontSize = 9;
    ColorRef backColor = 0xFFFFFF;
    int tabWidth = 8;
    // The visibility of the status bar, of the left panel with its splitter
    // and of the document tab strip: the window sets them from here after a
    // load and puts them back here before a save.
    bool statusBar = true;
    bool leftPanel = true;
    bool tabSet = true;
    // The live preview beside the source: shown, below the source instead of
    // beside it, and the source's share of the splitter in thousandths.
    bool livePreview = false;
    bool livePreviewBelow = false;
    int livePreviewShare = 500;
    // Misspelt words of the page's text underlined, and the dictionary of
    // the text whose page names no language (or one without a dictionary).
    bool spellCheck = true;
    QString spellLanguage = QStringLiteral("cs_CZ");
    // The writing aids of the source editor: the list of names and values
    // that fit the caret, the end tag after a start tag's ">", the partner
    // of the tag at the caret shown, and its name following a rename.
    bool completeMarkup = true;
    bool autoCloseTags = true;
    bool highlightPartnerTag = true;
    bool renamePartnerTag = true;
    bool upperTag = true; // true: names are written in lower case
    bool docFromTemplate = true;
    bool lowerFileName = true;
    bool relativePath = true;
    bool zpetneLomitko = true;
    QString userTagPath;

    QStringList templateHead;
    QStringList templateFoot;
    QStringList filters; // each "name|mask|"
    QList<BrowserEntry> browsers;
    QStringList recentFiles;
    // The folder last chosen in the open and save dialogs; empty at first.
    QString lastFolder;

    HighlightStyles styles = defaultHighlightStyles();
    std::array<ToolBarLayout, ToolBarCount> toolBars{};

    ToolBarLayout& toolBar(ToolBarId bar) { return toolBars[static_cast<std::size_t>(bar)]; }
    const ToolBarLayout& toolBar(ToolBarId bar) const
    {
        return toolBars[static_cast<std::size_t>(bar)];
    }

    friend bool operator==(const AppSettings&, const AppSettings&) = default;
};

} // namespace qw
