#include "app/assist/MarkupAssist.h"

#include "app/editor/ScintillaEditor.h"
#include "core/assist/TagEdits.h"
#include "core/assist/TagPairs.h"
#include "core/markup/DocumentType.h"
#include "core/settings/AppSettings.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTimer>

#include <cctype>

using namespace Qt::StringLiterals;

namespace qw {

namespace {

using Sci = QsciScintillaBase;

// How far from the caret the aids read: what is open at the caret is looked
// for this far back, a partner this far either way. Beyond that a page gives
// nothing rather than a pause.
constexpr qsizetype kOfferReach = 64 * 1024;
constexpr qsizetype kOfferAhead = 4 * 1024;
constexpr qsizetype kPartnerReach = 64 * 1024;
// A caret is in a tag only if a "<" comes before any ">" this close.
constexpr long kTagReach = 4096;

constexpr char kListSeparator = '\n';

} // namespace

MarkupAssist::MarkupAssist(ScintillaEditor* editor, const TagDefinitions& definitions,
                           const AppSettings& settings, std::function<QString()> documentFolder)
    : QObject(editor), m_editor(editor), m_definitions(definitions), m_settings(settings),
      m_documentFolder(std::move(documentFolder))
{
    setObjectName(u"markupAssist"_s);
    send(Sci::SCI_INDICSETSTYLE, kPartnerIndicator, Sci::INDIC_STRAIGHTBOX);
    send(Sci::SCI_INDICSETFORE, kPartnerIndicator, 0x808080);
    send(Sci::SCI_INDICSETALPHA, kPartnerIndicator, 60);
    send(Sci::SCI_INDICSETUNDER, kPartnerIndicator, 1);
    connect(editor, &QsciScintillaBase::SCN_CHARADDED, this, &MarkupAssist::charAdded);
    connect(editor, &QsciScintillaBase::SCN_UPDATEUI, this, [this](int updated) {
        if (updated & (Sci::SC_UPDATE_SELECTION | Sci::SC_UPDATE_CONTENT))
            updatePartner();
    });
    // A line chosen with the mouse: Scintilla would insert it as written.
    connect(editor, qOverload<const char*, int, int, int>(&QsciScintillaBase::SCN_AUTOCSELECTION),
            this, [this](const char* selection, int, int, int) {
                send(Sci::SCI_AUTOCCANCEL);
                choose(QString::fromUtf8(selection), false);
            });
    editor->installEventFilter(this);
}

MarkupAssist* MarkupAssist::of(const ScintillaEditor* editor)
{
    return editor ? editor->findChild<MarkupAssist*>(u"markupAssist"_s, Qt::FindDirectChildrenOnly)
                  : nullptr;
}

long MarkupAssist::send(unsigned int message, unsigned long w, long l) const
{
    return m_editor->SendScintilla(message, w, l);
}

MarkupAssist::Window MarkupAssist::windowAround(qsizetype back, qsizetype ahead) const
{
    Window window;
    const qsizetype caret = m_editor->offsetFromPosition(send(Sci::SCI_GETCURRENTPOS));
    window.start = std::max<qsizetype>(0, caret - back);
    window.text = m_editor->textRange(window.start, caret + ahead);
    window.caret = caret - window.start;
    return window;
}

long MarkupAssist::positionIn(const Window& window, qsizetype index) const
{
    return m_editor->positionFromOffset(window.start + index);
}

bool MarkupAssist::mayBeInTag(long skip) const
{
    const long caret = send(Sci::SCI_GETCURRENTPOS) - skip;
    for (long p = caret - 1, stop = std::max(0L, caret - kTagReach); p >= stop; --p) {
        const char c = char(send(Sci::SCI_GETCHARAT, p));
        if (c == '<')
            return true;
        if (c == '>')
            return false;
    }
    return false;
}

bool MarkupAssist::mayBeInTagName() const
{
    long p = send(Sci::SCI_GETCURRENTPOS);
    for (const long stop = std::max(0L, p - 256); p > stop; --p) {
        const char c = char(send(Sci::SCI_GETCHARAT, p - 1));
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != ':')
            break;
    }
    if (p > 0 && char(send(Sci::SCI_GETCHARAT, p - 1)) == '/')
        --p;
    return p > 0 && char(send(Sci::SCI_GETCHARAT, p - 1)) == '<';
}

OfferOptions MarkupAssist::offerOptions() const
{
    OfferOptions options;
    options.tagCase.upperTag = m_settings.upperTag;
    options.html5 = isHtml5Document(m_editor->textRange(0, kDoctypeSearchLength));
    options.documentFolder = m_documentFolder ? m_documentFolder() : QString();
    return options;
}

void MarkupAssist::replace(long from, long to, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    send(Sci::SCI_SETTARGETSTART, from);
    send(Sci::SCI_SETTARGETEND, to);
    m_editor->SendScintilla(Sci::SCI_REPLACETARGET, bytes.size(), bytes.constData());
}

void MarkupAssist::charAdded(int ch)
{
    if (m_editor->isReadOnly() || send(Sci::SCI_GETSELECTIONS) > 1)
        return;
    if (ch == '>') {
        if (!m_settings.autoCloseTags || !mayBeInTag(1))
            return;
        const Window window = windowAround(kOfferReach, kOfferAhead);
        TagCaseOptions tagCase;
        tagCase.upperTag = m_settings.upperTag;
        const QString endTag = endTagAfterGreaterThan(window.text, window.caret, tagCase);
        if (!endTag.isEmpty()) {
            const QByteArray bytes = endTag.toUtf8();
            m_editor->SendScintilla(Sci::SCI_INSERTTEXT, send(Sci::SCI_GETCURRENTPOS),
                                    bytes.constData());
        }
        return;
    }
    if (!m_settings.completeMarkup)
        return;
    switch (ch) {
    case '<':
    case '&':
    case '/':
    case ' ':
    case '"':
    case '\'':
        // A key that opens a list ends the one shown: "</" after "<", a blank
        // after a whole name, a slash into a folder of an address.
        if (send(Sci::SCI_AUTOCACTIVE))
            send(Sci::SCI_AUTOCCANCEL);
        break;
    default:
        return;
    }
    switch (ch) {
    case '<':
    case '&':
        showOffer(false);
        break;
    case '/':
    case ' ':
    case '"':
    case '\'':
        // Only within a tag; elsewhere these keys cost nothing.
        if (mayBeInTag())
            showOffer(false);
        break;
    default:
        break;
    }
}

bool MarkupAssist::showOffer(bool onDemand)
{
    const Window window = windowAround(kOfferReach, kOfferAhead);
    const Offer offer = offerAt(window.text, window.caret, m_definitions, offerOptions());
    if (offer.entries.isEmpty())
        return false;
    if (offer.kind == OfferKind::EndTag && !onDemand) {
        // The one end tag that fits: written at once.
        m_editor->beginUndoAction();
        replace(positionIn(window, offer.from), send(Sci::SCI_GETCURRENTPOS),
                offer.entries.first().insert);
        send(Sci::SCI_GOTOPOS, send(Sci::SCI_GETTARGETEND));
        m_editor->endUndoAction();
        return true;
    }
    showList(offer, window);
    return true;
}

void MarkupAssist::showList(const Offer& offer, const Window& window)
{
    m_list = ShownList();
    m_list.kind = offer.kind;
    m_list.from = positionIn(window, offer.from);
    m_list.element = offer.element;
    m_list.attribute = offer.attribute;
    QByteArray lines;
    for (const OfferEntry& entry : offer.entries) {
        m_list.entries.insert(entry.shown, entry);
        if (!lines.isEmpty())
            lines.append(kListSeparator);
        lines.append(entry.shown.toUtf8());
    }
    send(Sci::SCI_AUTOCSETSEPARATOR, kListSeparator);
    send(Sci::SCI_AUTOCSETIGNORECASE, 1);
    send(Sci::SCI_AUTOCSETAUTOHIDE, 1);
    send(Sci::SCI_AUTOCSETCHOOSESINGLE, 0);
    send(Sci::SCI_AUTOCSETDROPRESTOFWORD, 0);
    send(Sci::SCI_AUTOCSETMAXHEIGHT, 12);
    const long entered = send(Sci::SCI_GETCURRENTPOS) - m_list.from;
    m_editor->SendScintilla(Sci::SCI_AUTOCSHOW, entered, lines.constData());
}

void MarkupAssist::choose(const QString& shown, bool fromKey)
{
    const auto found = m_list.entries.constFind(shown);
    if (found == m_list.entries.cend())
        return;
    const OfferEntry entry = *found;
    const ShownList list = m_list;
    m_list = ShownList();
    const long caret = send(Sci::SCI_GETCURRENTPOS);
    if (caret < list.from)
        return;
    m_editor->beginUndoAction();
    if (list.kind == OfferKind::AttributeName && !entry.boolean) {
        replace(list.from, caret, entry.insert + u"=\"\""_s);
        send(Sci::SCI_GOTOPOS, send(Sci::SCI_GETTARGETEND) - 1);
    } else {
        replace(list.from, caret, entry.insert);
        send(Sci::SCI_GOTOPOS, send(Sci::SCI_GETTARGETEND));
    }
    m_editor->endUndoAction();

    const bool valuesNext = list.kind == OfferKind::AttributeName && entry.hasValues;
    const bool folderNext = list.kind == OfferKind::AttributeValue && entry.folder;
    if (!valuesNext && !folderNext)
        return;
    m_valuesElement = list.element;
    m_valuesAttribute = valuesNext ? asciiLower(entry.insert) : list.attribute;
    // From the list's own notification a new list would be closed again as
    // soon as the notification returns: it waits for the event loop.
    if (fromKey)
        showValues();
    else
        QTimer::singleShot(0, this, &MarkupAssist::showValues);
}

void MarkupAssist::showValues()
{
    if (m_valuesAttribute.isEmpty())
        return;
    m_valuesAttribute.clear();
    showOffer(true);
}

bool MarkupAssist::offerAtCaret()
{
    if (send(Sci::SCI_AUTOCACTIVE))
        send(Sci::SCI_AUTOCCANCEL);
    return showOffer(true);
}

bool MarkupAssist::goToPartner()
{
    const Window window = windowAround(kPartnerReach, kPartnerReach);
    const std::optional<TagPair> pair = partnerTagAt(window.text, window.caret);
    if (!pair)
        return false;
    send(Sci::SCI_GOTOPOS, positionIn(window, pair->partner.nameStart));
    return true;
}

void MarkupAssist::updatePartner()
{
    if (!m_settings.highlightPartnerTag || !mayBeInTag()) {
        setMarks({});
        return;
    }
    const Window window = windowAround(kPartnerReach, kPartnerReach);
    const std::optional<TagPair> pair = partnerTagAt(window.text, window.caret);
    if (!pair) {
        setMarks({});
        return;
    }
    QList<std::pair<long, long>> marks;
    for (const TagSpan* tag : {&pair->at, &pair->partner}) {
        const long from = positionIn(window, tag->start);
        marks.append({from, positionIn(window, tag->end) - from});
    }
    std::sort(marks.begin(), marks.end());
    setMarks(marks);
}

void MarkupAssist::setMarks(const QList<std::pair<long, long>>& marks)
{
    if (marks == m_marks)
        return;
    send(Sci::SCI_SETINDICATORCURRENT, kPartnerIndicator);
    const long length = send(Sci::SCI_GETLENGTH);
    for (const auto& [from, count] : std::as_const(m_marks)) {
        if (from < length)
            send(Sci::SCI_INDICATORCLEARRANGE, from, std::min(count, length - from));
    }
    m_marks = marks;
    for (const auto& [from, count] : marks)
        send(Sci::SCI_INDICATORFILLRANGE, from, count);
}

bool MarkupAssist::renameAlong(QKeyEvent* key)
{
    if (!m_settings.renamePartnerTag || m_editor->isReadOnly() ||
        send(Sci::SCI_GETSELECTIONEMPTY) == 0 || !mayBeInTagName())
        return false;
    const bool erases = key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete;
    if (!erases && (key->text().isEmpty() || !key->text()[0].isPrint() ||
                    (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))))
        return false;
    const Window before = windowAround(kPartnerReach, kPartnerReach);
    const std::optional<TagPair> pair = partnerTagAt(before.text, before.caret);
    if (!pair || before.caret < pair->at.nameStart || before.caret > pair->at.nameEnd)
        return false;
    const qsizetype lengthBefore = m_editor->length();
    m_editor->beginUndoAction();
    m_forwarding = true;
    QCoreApplication::sendEvent(m_editor, key);
    m_forwarding = false;
    const qsizetype delta = m_editor->length() - lengthBefore;
    Window after;
    after.start = before.start;
    after.text = m_editor->textRange(before.start, before.start + before.text.size() + delta);
    after.caret = m_editor->offsetFromPosition(send(Sci::SCI_GETCURRENTPOS)) - after.start;
    if (const std::optional<NameReplacement> r =
            partnerRename(after.text, after.caret, *pair, delta)) {
        const long caret = send(Sci::SCI_GETCURRENTPOS);
        const long from = positionIn(after, r->from);
        const long to = positionIn(after, r->to);
        replace(from, to, r->name);
        // A partner before the caret moves it by the change of its length.
        if (to <= caret)
            send(Sci::SCI_GOTOPOS, caret + (send(Sci::SCI_GETTARGETEND) - to));
    }
    m_editor->endUndoAction();
    return true;
}

bool MarkupAssist::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_editor || m_forwarding || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    if (key->key() == Qt::Key_Space && mods == Qt::ControlModifier) {
        if (m_settings.completeMarkup)
            offerAtCaret();
        return true;
    }
    if (send(Sci::SCI_AUTOCACTIVE)) {
        const bool picks = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                           key->key() == Qt::Key_Tab;
        if (picks && mods == Qt::NoModifier) {
            QByteArray current(send(Sci::SCI_AUTOCGETCURRENTTEXT) + 1, '\0');
            m_editor->SendScintilla(Sci::SCI_AUTOCGETCURRENTTEXT, 0UL,
                                    static_cast<const char*>(current.data()));
            current.truncate(qstrlen(current.constData()));
            send(Sci::SCI_AUTOCCANCEL);
            if (current.isEmpty())
                return false;
            choose(QString::fromUtf8(current), true);
            return true;
        }
        return false;
    }
    return renameAlong(key);
}

} // namespace qw
