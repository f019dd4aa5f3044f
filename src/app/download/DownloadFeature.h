#pragma once

#include "app/services/FeatureContext.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <chrono>

class QNetworkAccessManager;
class QNetworkReply;
class QProgressBar;
class QProgressDialog;
class QTimer;
class QUrl;

namespace qw {

// "Otevřít z internetu...": the page at a typed address opens as a new
// document. The download runs while the window keeps painting, behind a
// modal progress dialog whose "Storno" ends it; the bytes are kept in the
// download file, which the preview page then shows as it is.
class DownloadFeature : public QObject
{
    Q_OBJECT
public:
    // A server that sends nothing for this long is given up.
    static constexpr std::chrono::milliseconds kStallTimeout{30'000};
    // Larger pages are refused, so a wrong address cannot fill the memory.
    static constexpr qint64 kSizeLimit = 64 * 1024 * 1024;
    // Redirects followed before the download counts as failed.
    static constexpr int kMaxRedirects = 5;

    explicit DownloadFeature(const FeatureContext& context, QObject* parent = nullptr);
    ~DownloadFeature() override;

    // The command: asks for the address, then downloads it.
    void openFromInternet();
    // Downloads address as typed; finished() tells how it ended. Ignored
    // while another download runs.
    void download(const QString& address);
    bool busy() const { return m_reply != nullptr; }

    // The file every download is written to; empty when the private
    // temporary folder cannot be made.
    QString downloadPath() const;

    void setStallTimeout(std::chrono::milliseconds timeout) { m_stallTimeout = timeout; }
    void setSizeLimit(qint64 bytes) { m_sizeLimit = bytes; }
    // Made on the first download, kept for the run.
    QProgressDialog* progressDialog() const { return m_dialog; }

Q_SIGNALS:
    // A download ended: its page opened (true), or it failed or was
    // cancelled and the message was shown (false).
    void finished(bool opened);

private:
    void start(const QUrl& url);
    void showProgress();
    void updateProgress();
    void receive();
    void checkHeaders();
    void followRedirect();
    // Ends the running download as failed; the message follows when the
    // reply reports its end.
    void giveUp();
    void onReplyFinished();
    bool openPage(const QByteArray& bytes, const QByteArray& contentType);
    void fail();

    FeatureContext m_context;
    QNetworkAccessManager* m_network = nullptr;
    QNetworkReply* m_reply = nullptr;
    QProgressDialog* m_dialog = nullptr;
    QProgressBar* m_bar = nullptr;
    QTimer* m_stallTimer = nullptr;
    QString m_address;
    QByteArray m_received;
    qint64 m_expected = -1;
    bool m_givenUp = false;
    std::chrono::milliseconds m_stallTimeout = kStallTimeout;
    qint64 m_sizeLimit = kSizeLimit;
};

} // namespace qw
