#pragma once

#include "core/assist/Completion.h"

#include <QHash>
#include <QObject>

#include <functional>

class QKeyEvent;

namespace qw {

class ScintillaEditor;
class TagDefinitions;
struct AppSettings;
struct TagPair;

// The writing aids of one source editor, attached to it as a child: the list
// of names and values that fit the caret (Scintilla's own completion list),
// the end tag after a start tag's ">", the end tag after "</", the partner of
// the tag at the caret marked with an indicator, and the partner renamed with
// its tag in the same undo step. The decisions are the core's; this reads a
// bounded window of text around the caret for them, so no key pays for the
// whole page. Each aid follows its setting at the moment it would act.
class MarkupAssist : public QObject
{
    Q_OBJECT
public:
    // `documentFolder` gives the folder of the document's file (empty for a
    // document without one), for the addresses offered.
    MarkupAssist(ScintillaEditor* editor, const TagDefinitions& definitions,
                 const AppSettings& settings, std::function<QString()> documentFolder);

    // The component attached to editor, or null.
    static MarkupAssist* of(const ScintillaEditor* editor);

    // Puts the caret into the name of the partner of the tag at the caret;
    // false when there is none.
    bool goToPartner();
    // Shows what fits the caret (Ctrl+Space); false when nothing does.
    bool offerAtCaret();

    // The indicator marking the tag at the caret and its partner.
    static constexpr int kPartnerIndicator = 14;
    // The byte ranges marked now, as (start, length).
    QList<std::pair<long, long>> partnerMarks() const { return m_marks; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Window
    {
        qsizetype start = 0; // editor offset of the window's first character
        QString text;
        qsizetype caret = 0; // in the window
    };
    Window windowAround(qsizetype back, qsizetype ahead) const;
    long positionIn(const Window& window, qsizetype index) const;
    long send(unsigned int message, unsigned long w = 0, long l = 0) const;
    // A "<" comes before the caret (or `skip` characters before it) with no
    // ">" between, within a few kilobytes: the cheap test before any window
    // is read.
    bool mayBeInTag(long skip = 0) const;
    // The caret stands in the name of a start or end tag, by the characters
    // just before it.
    bool mayBeInTagName() const;
    OfferOptions offerOptions() const;

    void charAdded(int ch);
    bool showOffer(bool onDemand);
    void showList(const Offer& offer, const Window& window);
    void choose(const QString& shown, bool fromKey);
    void showValues();
    void replace(long from, long to, const QString& text);
    void updatePartner();
    void setMarks(const QList<std::pair<long, long>>& marks);
    bool renameAlong(QKeyEvent* key);

    ScintillaEditor* m_editor;
    const TagDefinitions& m_definitions;
    const AppSettings& m_settings;
    std::function<QString()> m_documentFolder;

    // The list shown: what its lines stand for and where the typed word
    // they replace starts.
    struct ShownList
    {
        OfferKind kind = OfferKind::None;
        long from = 0;
        QString element;
        QString attribute;
        QHash<QString, OfferEntry> entries;
    } m_list;
    // An attribute chosen just now whose values come next.
    QString m_valuesElement;
    QString m_valuesAttribute;
    QList<std::pair<long, long>> m_marks;
    bool m_forwarding = false;
};

} // namespace qw
