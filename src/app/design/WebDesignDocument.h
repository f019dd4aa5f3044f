#pragma once

// The design document over a web view: the page is loaded with its own
// scripts switched off and made editable by a script of ours that runs in an
// isolated world. That script reports the selection and the command states
// whenever they may have changed; this side keeps the last report, so that
// every query answers at once.

#include "app/design/DesignDocument.h"

#include <QEventLoop>
#include <QHash>
#include <QPointer>
#include <QString>
#include <QVariantMap>

#include <memory>

class QWebEngineProfile;
class QWebEngineView;

namespace qw {

class DesignPage;
class DesignRequestFilter;

class WebDesignDocument : public DesignDocument
{
    Q_OBJECT
public:
    // tempBase: the folder of the program's temporary files (ending with
    // "/"); a page too large to be handed to the view directly is written
    // into a private folder made there.
    explicit WebDesignDocument(const QString& tempBase, QObject* parent = nullptr);
    ~WebDesignDocument() override;

    // The view to place on the design page. It belongs to the document
    // until it is placed; the document deletes it at the latest.
    QWebEngineView* view() const;
    // A document is loaded and can be edited.
    bool isReady() const override { return m_ready; }
    void takeFocus() override;
    // How long the program waits for the view where it must wait (tests
    // shorten it).
    void setAnswerWait(int ms) { m_answerWaitMs = ms; }

    DesignStatus commandStatus(DesignCommand command) const override;
    QVariant runCommand(DesignCommand command, int option, const QVariant& input = {}) override;
    QString selectionType() const override;
    void pasteHtml(const QString& html) override;
    std::optional<DesignElement> selectedElement() const override;
    QString activeElementText() const override;
    void linkSelection(const QList<QPair<QString, QString>>& attributes) override;
    void changeSelectedElement(const DesignAttributeChanges& changes) override;
    std::optional<DesignElement> bodyElement() const override;
    void changeBody(const DesignAttributeChanges& changes) override;
    void insertTable(const DesignTableParams& params) override;

    void setHtml(const QString& html, const QString& baseFolder) override;
    std::optional<DesignSnapshot> snapshot() override;
    DesignSnapshot loadedSnapshot() const override { return m_loaded; }
    bool edited() const override { return m_edited; }

    // The markup insertTable pastes for params.
    static QString tableHtml(const DesignTableParams& params);

    // Takes a report of the view's script (the selection, the command
    // states): the channel's way in.
    void takeReport(const QVariantMap& report);

private:
    friend class DesignBridge;
    void loadFinished(bool ok);
    // Takes the view script's start: the document as loaded, and its first
    // report.
    void takeStart(const QVariantMap& start);
    // Runs script in the isolated world; a report it returns is taken.
    void runReporting(const QString& script);
    // The document once every key sent to input before was handled: the
    // view's answer to a key sent behind them. nullopt when it cannot be
    // had in time.
    std::optional<QVariantMap> snapshotBehindInput(QWidget* input);
    std::optional<QVariantMap> askSnapshot();
    // Runs script in the isolated world and waits for its value; nullopt
    // when none came in time.
    std::optional<QVariant> askScript(const QString& script);
    // The view's word that the key sent behind the input arrived.
    void takeKeyArrival(const QVariantMap& key);
    bool waitUntilReady(int timeoutMs);
    void requestContextMenu(const QPoint& pos);
    QString largePageFolder();

    QWebEngineProfile* m_profile = nullptr;
    DesignRequestFilter* m_filter = nullptr;
    QPointer<QWebEngineView> m_view;
    DesignPage* m_page = nullptr;
    QString m_tempBase;
    QString m_largePage;
    // Counts the loads; a late answer about an earlier one is dropped.
    int m_load = 0;
    QString m_loadName;
    bool m_loading = false;
    bool m_ready = false;
    bool m_edited = false;
    int m_answerWaitMs = 5000;
    // The keys sent behind the user's input to this load, the last the
    // view said arrived and the one awaited (0: none).
    int m_markersSent = 0;
    int m_markersArrived = 0;
    int m_awaitedMarker = 0;
    QPointer<QEventLoop> m_answerLoop;
    DesignSnapshot m_loaded;

    // The last report.
    QHash<int, DesignStatus> m_statuses;
    QString m_selectionType;
    std::optional<DesignElement> m_element;
    std::optional<DesignElement> m_body;
    QString m_activeText;
    QString m_fontName;
    QString m_fontSize;
    QString m_foreColor;
};

} // namespace qw
