#include "app/download/DownloadFeature.h"

#include "app/pages/PageSwitcher.h"
#include "app/services/ActionRegistry.h"
#include "app/services/DocumentAccess.h"
#include "app/services/UiServices.h"
#include "core/filepanel/FileSizeText.h"
#include "core/preview/PreviewFiles.h"
#include "core/settings/AppPaths.h"
#include "core/text/AtomicFileWriter.h"
#include "core/text/DownloadedPage.h"

#include <QFontMetrics>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProgressBar>
#include <QProgressDialog>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <optional>
#include <utility>

namespace qw {

namespace {
const QString kTitle = QStringLiteral("Otevřít z internetu");
const QString kPrompt = QStringLiteral("Zadejte jméno souboru :");
const QString kInitialAddress = QStringLiteral("http://");
const QString kFailed = QStringLiteral("Chyba při stahování souboru : ");
const QString kDownloadFileName = QStringLiteral("hs~download.html");

// The address as typed, when it can be downloaded at all: http or https with
// a server named. Anything else fails without asking the network.
QUrl webUrl(const QString& address)
{
    const QUrl url(address.trimmed());
    const bool web = url.scheme() == u"http" || url.scheme() == u"https";
    if (!url.isValid() || !web || url.host().isEmpty())
        return {};
    return url;
}
} // namespace

DownloadFeature::DownloadFeature(const FeatureContext& context, QObject* parent)
    : QObject(parent), m_context(context), m_stallTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("download"));
    m_stallTimer->setSingleShot(true);
    connect(m_stallTimer, &QTimer::timeout, this, &DownloadFeature::giveUp);
    m_context.commands.registerAction(QStringLiteral("file.openInternet"),
                                      [this](ActionPlace) { openFromInternet(); });
}

DownloadFeature::~DownloadFeature()
{
    // The window closes while a download runs: it ends without a message.
    if (m_reply != nullptr) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

void DownloadFeature::openFromInternet()
{
    if (busy())
        return;
    const std::optional<QString> address =
        m_context.ui.inputText(m_context.window, kTitle, kPrompt, kInitialAddress);
    if (address.has_value())
        download(*address);
}

void DownloadFeature::download(const QString& address)
{
    if (busy())
        return;
    m_address = address;
    const QUrl url = webUrl(address);
    if (url.isEmpty()) {
        fail();
        Q_EMIT finished(false);
        return;
    }
    start(url);
}

QString DownloadFeature::downloadPath() const
{
    const QString folder = privateTempFolder(m_context.paths.tempFolder());
    return folder.isEmpty() ? QString() : folder + kDownloadFileName;
}

void DownloadFeature::start(const QUrl& url)
{
    if (m_network == nullptr)
        m_network = new QNetworkAccessManager(this);
    QNetworkRequest request(url);
    // Redirects lead only to http and https again, never from https down to
    // http; anything else ends the download with an error. (Qt 6.4's mode
    // that asks before each redirect sends requests twice from the second
    // redirect on, so Qt's own check is used.)
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    m_received.clear();
    m_expected = -1;
    m_givenUp = false;
    m_reply = m_network->get(request);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &DownloadFeature::checkHeaders);
    connect(m_reply, &QNetworkReply::readyRead, this, &DownloadFeature::receive);
    connect(m_reply, &QNetworkReply::redirected, this, &DownloadFeature::followRedirect);
    connect(m_reply, &QNetworkReply::finished, this, &DownloadFeature::onReplyFinished);
    m_stallTimer->start(m_stallTimeout);
    showProgress();
}

void DownloadFeature::showProgress()
{
    if (m_dialog == nullptr) {
        m_dialog = new QProgressDialog(m_context.window);
        m_dialog->setObjectName(QStringLiteral("dlgDownload"));
        m_dialog->setWindowTitle(kTitle);
        // Nothing else may be done meanwhile, as while any modal dialog is
        // open; the window still paints.
        m_dialog->setWindowModality(Qt::ApplicationModal);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->setMinimumDuration(0);
        m_dialog->setCancelButtonText(QStringLiteral("Storno"));
        // The dialog's own setValue runs the event loop inside itself on
        // every call; the bar is moved directly instead.
        m_bar = new QProgressBar;
        m_dialog->setBar(m_bar);
        connect(m_dialog, &QProgressDialog::canceled, this, &DownloadFeature::giveUp);
        // Escape closes the dialog without reporting a cancel.
        connect(m_dialog, &QDialog::rejected, this, &DownloadFeature::giveUp);
    }
    m_dialog->reset();
    updateProgress();
    m_dialog->show();
}

void DownloadFeature::updateProgress()
{
    if (m_dialog == nullptr)
        return;
    const qint64 received = m_received.size();
    QString size = QStringLiteral("Staženo: ") + fileSizeText(received);
    if (m_expected > 0) {
        size += QStringLiteral(" z ") + fileSizeText(m_expected);
        const qint64 maximum = std::min<qint64>(m_expected, INT_MAX);
        m_bar->setRange(0, int(maximum));
        m_bar->setValue(int(std::min(received, maximum)));
    } else {
        m_bar->setRange(0, 0);
    }
    const QString address =
        QFontMetrics(m_dialog->font()).elidedText(m_address, Qt::ElideMiddle, 480);
    m_dialog->setLabelText(QStringLiteral("Stahuji soubor\n") + address + u'\n' + size);
}

void DownloadFeature::checkHeaders()
{
    if (m_reply == nullptr)
        return;
    m_stallTimer->start(m_stallTimeout);
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 300 && status < 400)
        return; // the length of a redirect says nothing of the page
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    m_expected = length.isValid() ? length.toLongLong() : -1;
    // Announced as too large: refused before it arrives.
    if (m_expected > m_sizeLimit) {
        giveUp();
        return;
    }
    updateProgress();
}

void DownloadFeature::receive()
{
    if (m_reply == nullptr)
        return;
    m_stallTimer->start(m_stallTimeout);
    const QByteArray chunk = m_reply->readAll();
    if (m_received.size() + chunk.size() > m_sizeLimit) {
        giveUp();
        return;
    }
    m_received += chunk;
    updateProgress();
}

void DownloadFeature::followRedirect()
{
    if (m_reply == nullptr)
        return;
    // What counts is the page at the end of the redirects.
    m_received.clear();
    m_expected = -1;
    m_stallTimer->start(m_stallTimeout);
}

void DownloadFeature::giveUp()
{
    if (m_reply == nullptr)
        return;
    m_givenUp = true;
    // Reports the end at once, through onReplyFinished.
    m_reply->abort();
}

void DownloadFeature::onReplyFinished()
{
    QNetworkReply* reply = m_reply;
    if (reply == nullptr)
        return;
    m_reply = nullptr;
    reply->disconnect(this);
    reply->deleteLater();
    m_stallTimer->stop();
    if (m_dialog != nullptr)
        m_dialog->hide();

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    bool ok =
        !m_givenUp && reply->error() == QNetworkReply::NoError && status >= 200 && status < 300;
    QByteArray bytes = std::exchange(m_received, QByteArray());
    if (ok) {
        bytes += reply->readAll();
        ok = bytes.size() <= m_sizeLimit && openPage(bytes, reply->rawHeader("Content-Type"));
    }
    if (!ok)
        fail();
    Q_EMIT finished(ok);
}

bool DownloadFeature::openPage(const QByteArray& bytes, const QByteArray& contentType)
{
    const QString path = downloadPath();
    // A link planted where the file goes is removed, not written through.
    if (path.isEmpty() || !clearNonFile(path) || !writeFileAtomically(path, bytes).ok)
        return false;
    const DecodedDocument page = decodeDownloadedPage(bytes, contentType);
    const PageMode mode = m_context.pages.pageMode();
    // The design page keeps its document when it cannot hand it back; the
    // page fetched stays in its file.
    if (mode == PageMode::Design && !m_context.pages.syncIntoEditor())
        return true;
    // The page shown follows the new document by itself.
    m_context.documents.openTextAsNewDocument(page.text, page.encoding);
    if (mode == PageMode::Preview)
        m_context.pages.showFile(path);
    return true;
}

void DownloadFeature::fail()
{
    m_context.ui.notify(m_context.window, UiServices::Icon::Error, kFailed + m_address);
}

} // namespace qw
