#include "app/findinfiles/SearchResultsPanel.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qw {
namespace {

constexpr int kFileRole = Qt::UserRole + 1;
constexpr int kMatchRole = Qt::UserRole + 2;
constexpr int kMatchStartRole = Qt::UserRole + 3;
constexpr int kMatchLengthRole = Qt::UserRole + 4;

// The line's text with its match in bold on a light tint of the highlight
// colour; on a selected row the bold alone marks it, in the selection's ink.
class MatchDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        const QVariant start = index.data(kMatchStartRole);
        if (!start.isValid()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString text = opt.text;
        opt.text.clear();
        const QWidget* widget = opt.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

        const QRect area =
            style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget).adjusted(2, 0, -2, 0);
        const qsizetype at = std::clamp<qsizetype>(start.toLongLong(), 0, text.size());
        const qsizetype length =
            std::clamp<qsizetype>(index.data(kMatchLengthRole).toLongLong(), 0, text.size() - at);
        const bool selected = opt.state & QStyle::State_Selected;
        const QColor ink = opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
        QFont bold = opt.font;
        bold.setBold(true);
        painter->save();
        painter->setClipRect(area);
        painter->setPen(ink);
        int x = area.left();
        const auto draw = [&](const QString& part, const QFont& font, bool mark) {
            const QFontMetrics metrics(font);
            const int width = metrics.horizontalAdvance(part);
            const QRect box(x, area.top(), width, area.height());
            if (mark && !selected)
                painter->fillRect(box, opt.palette.color(QPalette::Highlight).lighter(170));
            painter->setFont(font);
            painter->drawText(box, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, part);
            x += width;
        };
        draw(text.left(at), opt.font, false);
        draw(text.mid(at, length), bold, true);
        draw(text.mid(at + length), opt.font, false);
        painter->restore();
    }
};

// Tabs and breaks drawn as one space, so a line stays one row.
QString shownLine(const QString& excerpt)
{
    QString out = excerpt;
    for (QChar& c : out) {
        if (c == u'\t' || c == u'\r' || c == u'\n')
            c = u' ';
    }
    return out;
}

} // namespace

SearchResultsPanel::SearchResultsPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SearchResultsPanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    auto* bar = new QHBoxLayout;
    m_summary = new QLabel;
    m_progress = new QProgressBar;
    m_progress->setRange(0, 0);
    m_progress->setMaximumWidth(160);
    m_progress->setTextVisible(false);
    m_progress->setAccessibleName(QStringLiteral("Průběh hledání"));
    m_stop = new QPushButton(QStringLiteral("Zastavit"));
    m_replace = new QPushButton(QStringLiteral("Nahradit"));
    bar->addWidget(m_summary, 1);
    bar->addWidget(m_progress);
    bar->addWidget(m_stop);
    bar->addWidget(m_replace);
    layout->addLayout(bar);

    m_tree = new QTreeWidget;
    m_tree->setColumnCount(2);
    m_tree->setHeaderLabels({QStringLiteral("Řádek"), QStringLiteral("Text")});
    m_tree->setAccessibleName(QStringLiteral("Výsledky hledání"));
    m_tree->setUniformRowHeights(true);
    m_tree->setItemDelegateForColumn(1, new MatchDelegate(m_tree));
    m_tree->header()->setStretchLastSection(true);
    layout->addWidget(m_tree, 1);

    m_stop->setEnabled(false);
    m_replace->setVisible(false);
    m_progress->setVisible(false);

    connect(m_stop, &QPushButton::clicked, this, &SearchResultsPanel::stopRequested);
    connect(m_replace, &QPushButton::clicked, this, &SearchResultsPanel::replaceRequested);
    // Double-click and Enter both activate.
    connect(m_tree, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        const auto [file, match] = positionOf(item);
        if (file >= 0)
            Q_EMIT matchActivated(file, std::max(match, 0));
    });
}

void SearchResultsPanel::start(bool replaceMode, const QString& folder)
{
    m_replaceMode = replaceMode;
    m_matches = 0;
    m_tree->clear();
    m_summary->setText(QStringLiteral("Hledá se v %1 ...").arg(folder));
    m_progress->setVisible(true);
    m_stop->setEnabled(true);
    m_replace->setVisible(replaceMode);
    m_replace->setEnabled(false);
}

void SearchResultsPanel::addFile(const FileResult& result)
{
    const int fileIndex = m_tree->topLevelItemCount();
    auto* fileItem = new QTreeWidgetItem;
    fileItem->setText(
        0, QStringLiteral("%1 (%2)").arg(result.relativePath).arg(result.matches.size()));
    fileItem->setData(0, kFileRole, fileIndex);
    fileItem->setData(0, kMatchRole, -1);
    fileItem->setToolTip(0, result.path);
    if (m_replaceMode) {
        fileItem->setFlags(fileItem->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsAutoTristate);
        fileItem->setCheckState(0, Qt::Checked);
    }
    for (int i = 0; i < result.matches.size(); ++i) {
        const TextMatch& m = result.matches[i];
        auto* item = new QTreeWidgetItem(fileItem);
        item->setText(0, QString::number(m.line + 1));
        item->setText(1, shownLine(m.excerpt));
        item->setData(0, kFileRole, fileIndex);
        item->setData(0, kMatchRole, i);
        item->setData(1, kMatchStartRole, qlonglong(m.excerptMatch));
        item->setData(1, kMatchLengthRole, qlonglong(m.length));
        if (m_replaceMode) {
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(0, Qt::Checked);
        }
    }
    m_tree->addTopLevelItem(fileItem);
    fileItem->setFirstColumnSpanned(true);
    fileItem->setExpanded(true);
    m_matches += result.matches.size();
}

void SearchResultsPanel::setProgress(qsizetype filesLooked)
{
    m_summary->setText(QStringLiteral("Prohledáno souborů: %1, nalezeno výskytů: %2")
                           .arg(filesLooked)
                           .arg(m_matches));
}

void SearchResultsPanel::finish(const FolderSearchSummary& summary)
{
    m_progress->setVisible(false);
    m_stop->setEnabled(false);
    QString text = QStringLiteral("Nalezeno výskytů: %1 v souborech: %2 (prohledáno: %3)")
                       .arg(summary.matches)
                       .arg(summary.filesMatched)
                       .arg(summary.filesSearched);
    if (summary.notText > 0)
        text += QStringLiteral(", vynecháno souborů, které nejsou text: %1").arg(summary.notText);
    if (summary.tooLarge > 0)
        text += QStringLiteral(", vynecháno příliš velkých souborů (nad %1 MB): %2")
                    .arg(kDefaultSizeLimit / (1024 * 1024))
                    .arg(summary.tooLarge);
    if (!summary.unreadable.isEmpty())
        text += QStringLiteral(", nečitelných: %1").arg(summary.unreadable.size());
    if (summary.stopped)
        text += QStringLiteral(" – hledání bylo zastaveno");
    m_summary->setText(text + u'.');
    // What could not be read is listed after the files, each with its reason.
    for (const SearchProblem& problem : summary.unreadable) {
        auto* item = new QTreeWidgetItem;
        item->setText(0, QStringLiteral("%1 – %2").arg(problem.path, problem.reason));
        item->setData(0, kFileRole, -1);
        item->setData(0, kMatchRole, -1);
        m_tree->addTopLevelItem(item);
        item->setFirstColumnSpanned(true);
    }
    m_replace->setEnabled(m_replaceMode && m_matches > 0);
}

void SearchResultsPanel::replacementDone(const QString& text)
{
    m_replace->setEnabled(false);
    m_summary->setText(text);
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* file = m_tree->topLevelItem(i);
        file->setFlags(file->flags() & ~Qt::ItemIsUserCheckable);
        for (int k = 0; k < file->childCount(); ++k)
            file->child(k)->setFlags(file->child(k)->flags() & ~Qt::ItemIsUserCheckable);
    }
}

QList<TextMatch> SearchResultsPanel::chosenMatches(int file, const FileResult& result) const
{
    QList<TextMatch> chosen;
    const QTreeWidgetItem* fileItem = m_tree->topLevelItem(file);
    if (!fileItem)
        return chosen;
    for (int k = 0; k < fileItem->childCount() && k < result.matches.size(); ++k) {
        if (fileItem->child(k)->checkState(0) == Qt::Checked)
            chosen.append(result.matches[k]);
    }
    return chosen;
}

int SearchResultsPanel::fileCount() const
{
    int n = 0;
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
        n += m_tree->topLevelItem(i)->data(0, kFileRole).toInt() >= 0 ? 1 : 0;
    return n;
}

QString SearchResultsPanel::summaryText() const
{
    return m_summary->text();
}

std::pair<int, int> SearchResultsPanel::positionOf(const QTreeWidgetItem* item)
{
    if (!item)
        return {-1, -1};
    return {item->data(0, kFileRole).toInt(), item->data(0, kMatchRole).toInt()};
}

} // namespace qw
