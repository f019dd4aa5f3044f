#include "core/findinfiles/FolderSearch.h"

#include "core/filepanel/FileMask.h"
#include "core/text/DocumentText.h"
#include "core/text/TextCheck.h"

#include <QDir>
#include <QFile>
#include <QHashFunctions>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace qw {
namespace {

struct DirKey
{
    quint64 device = 0;
    quint64 inode = 0;
    friend bool operator==(const DirKey&, const DirKey&) = default;
};

size_t qHash(const DirKey& key, size_t seed = 0) noexcept
{
    return qHashMulti(seed, key.device, key.inode);
}

// looksLikeText, with a quick pass first: bytes that are all tab, line feed,
// carriage return or printable (the pages of a site) are text, and only a
// start holding some other control byte is looked at byte by byte. The pass
// takes sixteen bytes at a time; the byte by byte loop cost as much as
// reading the files.
bool startLooksLikeText(QByteArrayView bytes)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = std::min(bytes.size(), kTextCheckBytes);
    qsizetype i = 0;
    bool unusual = false;
#ifdef __SSE2__
    const __m128i top = _mm_set1_epi8(0x1F);
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i tab = _mm_set1_epi8('\t');
    const __m128i del = _mm_set1_epi8(0x7F);
    __m128i bad = _mm_setzero_si128();
    for (; i + 16 <= size; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        const __m128i control = _mm_cmpeq_epi8(_mm_min_epu8(v, top), v); // v <= 0x1F
        const __m128i allowed = _mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr)), _mm_cmpeq_epi8(v, tab));
        bad = _mm_or_si128(
            bad, _mm_or_si128(_mm_andnot_si128(allowed, control), _mm_cmpeq_epi8(v, del)));
    }
    unusual = _mm_movemask_epi8(bad) != 0;
#endif
    for (; i < size && !unusual; ++i) {
        const unsigned char c = data[i];
        unusual = (c < 0x20 && c != '\n' && c != '\r' && c != '\t') || c == 0x7F;
    }
    return !unusual || looksLikeText(bytes);
}

qint64 modifiedNsOf(const struct stat& st)
{
    return qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

struct PendingFolder
{
    QByteArray path; // native
    QString relative;
};

class FolderWalker
{
public:
    FolderWalker(const FolderSearchOptions& options, const SearchQuery& query,
                 const std::atomic<bool>& stop, const FolderSearchCallbacks& callbacks)
        : m_options(options), m_mask(options.masks), m_matcher(query), m_stop(stop),
          m_callbacks(callbacks)
    {}

    FolderSearchSummary run()
    {
        const QString root = QDir::cleanPath(QDir(m_options.folder).absolutePath());
        m_rootPrefix = root.endsWith(u'/') ? root : root + u'/';
        struct stat st = {};
        const QByteArray native = QFile::encodeName(root);
        if (::stat(native.constData(), &st) != 0) {
            report(root, QStringLiteral("Složku nelze otevřít: %1").arg(systemReasonText(errno)));
            return m_summary;
        }
        if (!S_ISDIR(st.st_mode)) {
            report(root, QStringLiteral("Cesta není složka."));
            return m_summary;
        }
        std::vector<PendingFolder> pending;
        pending.push_back({native, QString()});
        std::vector<QByteArray> names;
        std::vector<PendingFolder> subfolders;
        while (!pending.empty()) {
            if (stopped())
                break;
            PendingFolder folder = std::move(pending.back());
            pending.pop_back();
            names.clear();
            if (!listFolder(folder, names))
                continue;
            // By name, the kind mark in front left out.
            std::sort(names.begin(), names.end(), [](const QByteArray& a, const QByteArray& b) {
                return QByteArrayView(a).sliced(1) < QByteArrayView(b).sliced(1);
            });
            subfolders.clear();
            for (const QByteArray& marked : names) {
                if (stopped())
                    break;
                const char kind = marked[0];
                const QByteArrayView name = QByteArrayView(marked).sliced(1);
                QByteArray path = folder.path;
                if (!path.endsWith('/'))
                    path += '/';
                path += name;
                const QString display = QFile::decodeName(name.toByteArray());
                const QString relative =
                    folder.relative.isEmpty() ? display : folder.relative + u'/' + display;
                bool folderEntry = kind == 'd';
                bool fileEntry = kind == 'f';
                if (kind == '?') {
                    struct stat entry = {};
                    if (::stat(path.constData(), &entry) != 0) {
                        report(m_rootPrefix + relative,
                               QStringLiteral("Nelze číst: %1").arg(systemReasonText(errno)));
                        continue;
                    }
                    folderEntry = S_ISDIR(entry.st_mode);
                    fileEntry = S_ISREG(entry.st_mode);
                }
                if (folderEntry) {
                    if (m_options.subfolders)
                        subfolders.push_back({std::move(path), relative});
                } else if (fileEntry && m_mask.matches(display)) {
                    searchFile(path, relative);
                }
            }
            // Reversed onto the stack, so they come off in name order.
            for (auto it = subfolders.rbegin(); it != subfolders.rend(); ++it)
                pending.push_back(std::move(*it));
        }
        m_summary.stopped = stopped();
        return m_summary;
    }

private:
    bool stopped() const { return m_stop.load(std::memory_order_relaxed); }

    void report(const QString& path, const QString& reason)
    {
        SearchProblem problem{path, reason};
        if (m_callbacks.problem)
            m_callbacks.problem(problem);
        m_summary.unreadable.append(std::move(problem));
    }

    bool listFolder(const PendingFolder& folder, std::vector<QByteArray>& names)
    {
        const QString shown = folder.relative.isEmpty()
                                  ? m_rootPrefix.chopped(m_rootPrefix.size() > 1 ? 1 : 0)
                                  : m_rootPrefix + folder.relative;
        DIR* dir = ::opendir(folder.path.constData());
        if (!dir) {
            report(shown, QStringLiteral("Složku nelze číst: %1").arg(systemReasonText(errno)));
            return false;
        }
        struct stat st = {};
        if (::fstat(::dirfd(dir), &st) == 0) {
            const DirKey key{quint64(st.st_dev), quint64(st.st_ino)};
            if (m_visited.contains(key)) {
                // Reached again through a link: a loop, or a folder searched
                // already.
                ::closedir(dir);
                return false;
            }
            m_visited.insert(key);
        }
        errno = 0;
        while (const dirent* entry = ::readdir(dir)) {
            const char* name = entry->d_name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
                continue;
            // Only links and entries of unknown kind need a stat of their own.
            QByteArray entryName(name);
            if (entry->d_type == DT_REG)
                entryName.prepend('f');
            else if (entry->d_type == DT_DIR)
                entryName.prepend('d');
            else
                entryName.prepend('?');
            names.push_back(std::move(entryName));
        }
        if (errno != 0)
            report(shown, QStringLiteral("Složku nelze číst: %1").arg(systemReasonText(errno)));
        ::closedir(dir);
        return true;
    }

    void searchFile(const QByteArray& path, const QString& relative)
    {
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            report(m_rootPrefix + relative,
                   QStringLiteral("Soubor nelze číst: %1").arg(systemReasonText(errno)));
            progress();
            return;
        }
        struct stat st = {};
        if (::fstat(fd, &st) != 0) {
            report(m_rootPrefix + relative,
                   QStringLiteral("Soubor nelze číst: %1").arg(systemReasonText(errno)));
            ::close(fd);
            progress();
            return;
        }
        if (st.st_size > m_options.sizeLimit) {
            ++m_summary.tooLarge;
            ::close(fd);
            progress();
            return;
        }
        const qsizetype size = qsizetype(st.st_size);
        if (m_buffer.size() < size)
            m_buffer.resize(size);
        qsizetype got = 0;
        while (got < size) {
            const ssize_t n = ::read(fd, m_buffer.data() + got, size_t(size - got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                report(m_rootPrefix + relative,
                       QStringLiteral("Soubor nelze číst: %1").arg(systemReasonText(errno)));
                ::close(fd);
                progress();
                return;
            }
            if (n == 0)
                break;
            got += n;
        }
        ::close(fd);
        const QByteArrayView bytes(m_buffer.constData(), got);
        if (!startLooksLikeText(bytes)) {
            ++m_summary.notText;
            progress();
            return;
        }
        ++m_summary.filesSearched;
        if (m_matcher.mayMatch(bytes)) {
            // One pass learns the encoding as opening does; only the lines
            // holding a plain needle are decoded after it.
            const DetectedEncoding detected = detectDocumentEncoding(bytes);
            const TextEncoding encoding = detected.encoding;
            QList<TextMatch> matches = m_matcher.findInFile(bytes, detected);
            if (!matches.isEmpty()) {
                ++m_summary.filesMatched;
                m_summary.matches += matches.size();
                FileResult result;
                result.path = m_rootPrefix + relative;
                result.relativePath = relative;
                result.encoding = encoding;
                result.version = fileVersionOf(bytes, modifiedNsOf(st));
                result.matches = std::move(matches);
                if (m_callbacks.found)
                    m_callbacks.found(std::move(result));
            }
        }
        progress();
    }

    void progress()
    {
        ++m_looked;
        if (m_callbacks.progress)
            m_callbacks.progress(m_looked);
    }

    const FolderSearchOptions& m_options;
    FileMask m_mask;
    TextMatcher m_matcher;
    const std::atomic<bool>& m_stop;
    const FolderSearchCallbacks& m_callbacks;
    QString m_rootPrefix;
    QSet<DirKey> m_visited;
    QByteArray m_buffer;
    qsizetype m_looked = 0;
    FolderSearchSummary m_summary;
};

} // namespace

FolderSearchSummary searchFolder(const FolderSearchOptions& options, const SearchQuery& query,
                                 const std::atomic<bool>& stop,
                                 const FolderSearchCallbacks& callbacks)
{
    FolderWalker walker(options, query, stop, callbacks);
    return walker.run();
}

FileVersion fileVersionOf(QByteArrayView bytes, qint64 modifiedNs)
{
    return FileVersion{bytes.size(), modifiedNs, quint64(qHash(bytes, 0))};
}

TextEncoding openingEncoding(QByteArrayView bytes)
{
    // Exactly what opening the file decides, whatever that takes into account.
    return detectDocumentEncoding(bytes).encoding;
}

QString systemReasonText(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return QStringLiteral("přístup odepřen");
    case ENOENT:
        return QStringLiteral("neexistuje");
    case ENOTDIR:
        return QStringLiteral("část cesty není složka");
    case ELOOP:
        return QStringLiteral("smyčka symbolických odkazů");
    case EIO:
        return QStringLiteral("chyba vstupu a výstupu");
    case ENOSPC:
        return QStringLiteral("na disku není místo");
    case EROFS:
        return QStringLiteral("systém souborů je jen pro čtení");
    case EISDIR:
        return QStringLiteral("je to složka");
    default:
        return QStringLiteral("chyba systému %1 (%2)")
            .arg(error)
            .arg(QString::fromLocal8Bit(::strerror(error)));
    }
}

} // namespace qw
