#include "platform/office/DeckConverter.h"

#include "platform/office/OfficePipes.h"
#include "platform/processes/DeadRuns.h"
#include "platform/processes/TerminationSignals.h"
#include "platform/processes/TiedProcess.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>
#include <csignal>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// Bump when the conversion's options change, so older conversions are not reused.
constexpr int kConversionVersion = 1;

// Hidden slides stay in the PDF: they count as slides of the deck like any other.
const QString kPdfFilter =
    QStringLiteral(R"(pdf:impress_pdf_Export:{"ExportHiddenSlides":{"type":"boolean","value":"true"}})");

// LibreOffice asks to be started again after it created a new profile.
constexpr int kOfficeRestartCode = 81;

const QString kWorkPrefix = QStringLiteral("work-");
const QString kHashSuffix = QStringLiteral(".sha256");
const QString kRecordPrefix = QStringLiteral("deck-");
const QString kRecordSuffix = QStringLiteral(".seen");
// The private cache of a run whose user cache folder cannot be written to, in the temporary folder.
const QString kTemporaryCachePrefix = QStringLiteral("vantrel-decks-");

// Read in slices, so that a cancelled check ends within a slice.
constexpr qint64 kReadSlice = 1 << 20;
// Reading a deck larger than this whole takes long enough to be told.
constexpr qint64 kLongRead = 32LL << 20;

using Stamp = DeckConverter::Stamp;
const std::atomic_bool kNeverCancelled{false};

// The SHA-256 of what is left to read in the file; empty when it cannot be read or once cancelled.
QByteArray sha256Of(QFile& file, const std::atomic_bool& cancelled)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    QByteArray slice(kReadSlice, Qt::Uninitialized);
    for (;;) {
        if (cancelled)
            return {};
        const qint64 got = file.read(slice.data(), slice.size());
        if (got < 0)
            return {};
        if (got == 0)
            break;
        hash.addData(QByteArrayView(slice.constData(), got));
    }
    return hash.result();
}

QByteArray sha256Of(const QString& path, const std::atomic_bool& cancelled = kNeverCancelled)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return sha256Of(file, cancelled).toHex();
}

Stamp stampOf(const struct stat& status)
{
    return {qint64(status.st_size), qint64(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec,
            qint64(status.st_ctim.tv_sec) * 1'000'000'000 + status.st_ctim.tv_nsec, quint64(status.st_dev),
            quint64(status.st_ino)};
}

std::optional<Stamp> stampOf(const QString& path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return stampOf(status);
}

// Where the content of the deck at that path is remembered.
QString recordPath(const QString& cache, const QString& deckPath)
{
    const QByteArray pathHash = QCryptographicHash::hash(
        QFile::encodeName(QFileInfo(deckPath).absoluteFilePath()), QCryptographicHash::Sha256);
    return QDir(cache).filePath(kRecordPrefix + QString::fromLatin1(pathHash.toHex().left(32)) +
                                kRecordSuffix);
}

QByteArray recordText(const Stamp& stamp)
{
    return QByteArray::number(stamp.size) + ' ' + QByteArray::number(stamp.modifiedNs) + ' ' +
           QByteArray::number(stamp.changedNs) + ' ' + QByteArray::number(stamp.device) + ' ' +
           QByteArray::number(stamp.inode);
}

// The content hash recorded for the deck when it still is as it was then; empty otherwise.
QByteArray recordedHash(const QString& record, const Stamp& stamp)
{
    QFile file(record);
    if (!file.open(QIODevice::ReadOnly) || file.size() > 512)
        return {};
    const QList<QByteArray> lines = file.readAll().split('\n');
    if (lines.size() < 2 || lines[0] != recordText(stamp))
        return {};
    const QByteArray hash = QByteArray::fromHex(lines[1]);
    return hash.size() == 32 ? hash : QByteArray();
}

void writeRecord(const QString& record, const Stamp& stamp, const QByteArray& hash)
{
    QSaveFile file(record);
    if (file.open(QIODevice::WriteOnly) && file.write(recordText(stamp) + '\n' + hash.toHex() + '\n') > 0)
        file.commit();
}

// "4.2 GB": rounded up, so that a deck just over the limit is not said to be as large as it.
QString sizeText(qint64 bytes)
{
    const double gigabytes = std::ceil(double(bytes) * 10 / double(1LL << 30)) / 10;
    return QString::number(gigabytes, 'f', gigabytes == std::floor(gigabytes) ? 0 : 1) +
           QStringLiteral(" GB");
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(256).trimmed() : QByteArray();
}

void removeWorkFolder(const QString& path)
{
    removeRecordedOfficePipes(path);
    QDir(path).removeRecursively();
}

// What is remembered of a deck goes with its last conversion.
void removeRecordsOfDroppedConversions(const QString& cacheFolder)
{
    const QDir cache(cacheFolder);
    for (const QFileInfo& record :
         cache.entryInfoList({kRecordPrefix + QLatin1Char('*') + kRecordSuffix}, QDir::Files)) {
        QFile file(record.absoluteFilePath());
        const QByteArray hash = file.open(QIODevice::ReadOnly) && file.size() <= 512
                                    ? file.readAll().split('\n').value(1)
                                    : QByteArray();
        if (QByteArray::fromHex(hash).toHex() != hash || hash.size() != 64 ||
            cache.entryList({QString::fromLatin1(hash) + QStringLiteral("-*.pdf")}, QDir::Files).isEmpty())
            QFile::remove(record.absoluteFilePath());
    }
}

// What is wrong with a cache folder that cannot be used, in words for the user.
QString cacheFolderProblem(const QString& folder)
{
    QFileInfo existing(folder);
    while (!existing.exists() && !existing.isRoot() && existing.absolutePath() != existing.absoluteFilePath())
        existing = QFileInfo(existing.absolutePath());
    const QString shown = QDir::toNativeSeparators(existing.absoluteFilePath());
    if (existing.exists() && !existing.isDir())
        return QCoreApplication::translate("DeckConverter", "缓存文件夹无法建立：%1 是一个文件，不是文件夹。")
            .arg(shown);
    if (existing.exists() && ::access(QFile::encodeName(existing.absoluteFilePath()).constData(), W_OK) != 0)
        return QCoreApplication::translate("DeckConverter",
                                           "缓存文件夹 %1 不能写入（没有写入权限，或者磁盘是只读的）。")
            .arg(shown);
    return QCoreApplication::translate("DeckConverter", "无法建立缓存文件夹 %1。")
        .arg(QDir::toNativeSeparators(folder));
}

bool isWritableFolder(const QString& folder)
{
    return QFileInfo(folder).isDir() && ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

// This run's private cache in the temporary folder, once made. Removed with the program; a killed
// run's is removed by the next run.
std::unique_ptr<QTemporaryDir>& temporaryCacheHolder()
{
    static std::unique_ptr<QTemporaryDir> folder;
    return folder;
}

// The same, made on first use (and again should the temporary folder change); empty when none can
// be made.
QString temporaryCacheOfThisRun()
{
    std::unique_ptr<QTemporaryDir>& folder = temporaryCacheHolder();
    const QString temporary = QDir::tempPath();
    if (temporary.isEmpty() || !QFileInfo(temporary).isDir())
        return {};
    if (!folder || !folder->isValid() || !QFileInfo(folder->path()).isDir() ||
        QFileInfo(folder->path()).absolutePath() != QDir(temporary).absolutePath()) {
        folder = std::make_unique<QTemporaryDir>(
            QDir(temporary).filePath(namePrefixOfThisRun(kTemporaryCachePrefix) + QStringLiteral("XXXXXX")));
    }
    return folder->isValid() ? folder->path() : QString();
}

} // namespace

DeckConverter::DeckConverter(QString cacheFolder, QString office)
    : cacheFolder_(std::move(cacheFolder)), office_(std::move(office))
{
}

DeckConverter::~DeckConverter() = default;
DeckConverter::DeckConverter(DeckConverter&&) noexcept = default;
DeckConverter& DeckConverter::operator=(DeckConverter&&) noexcept = default;

QString DeckConverter::defaultCacheFolder()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (base.isEmpty())
        base = QDir::tempPath();
    return QDir(base).filePath(QStringLiteral("vantrel/decks"));
}

QString DeckConverter::findOffice()
{
    for (const char* candidate :
         {"/usr/lib/libreoffice/program/soffice.bin", "/opt/libreoffice/program/soffice.bin"}) {
        if (QFileInfo(QString::fromLatin1(candidate)).isExecutable())
            return QString::fromLatin1(candidate);
    }
    for (const char* name : {"soffice", "libreoffice"}) {
        const QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!found.isEmpty())
            return found;
    }
    return {};
}

QString DeckConverter::cacheName(const QByteArray& contentHash, const QString& suffix)
{
    return QStringLiteral("%1-%2-v%3.pdf")
        .arg(QString::fromLatin1(contentHash.toHex()), suffix.toLower())
        .arg(kConversionVersion);
}

void DeckConverter::drop(const QString& pdfPath) const
{
    // Only a conversion of ours: a PDF deck is shown from the user's own file.
    const QString folder = QFileInfo(pdfPath).absolutePath();
    const std::unique_ptr<QTemporaryDir>& temporary = temporaryCacheHolder();
    if (folder == QDir(cacheFolder_).absolutePath() ||
        (temporary && temporary->isValid() && folder == QDir(temporary->path()).absolutePath())) {
        QFile::remove(pdfPath);
        QFile::remove(pdfPath + kHashSuffix);
        removeRecordsOfDroppedConversions(folder);
    }
}

namespace {

bool isIntact(const QString& cached, const std::atomic_bool& cancelled)
{
    const QByteArray expected = contentOf(cached + kHashSuffix);
    return !expected.isEmpty() && sha256Of(cached, cancelled) == expected;
}

void removeWorkFoldersOfDeadRuns(const QString& cacheFolder)
{
    const QFileInfoList folders =
        QDir(cacheFolder).entryInfoList({kWorkPrefix + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QFileInfo& work : folders) {
        if (!work.isSymLink() && isLeftOverByDeadRun(work.fileName(), kWorkPrefix))
            removeWorkFolder(work.absoluteFilePath());
    }
}

} // namespace

void DeckConverter::removeWorkOfDeadRuns(const QString& cacheFolder)
{
    removeWorkFoldersOfDeadRuns(cacheFolder);
    const QFileInfoList caches = QDir::temp().entryInfoList({kTemporaryCachePrefix + QLatin1Char('*')},
                                                            QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QFileInfo& cache : caches) {
        if (cache.isSymLink() || !isLeftOverByDeadRun(cache.fileName(), kTemporaryCachePrefix))
            continue;
        // Its work folders hold the notes of the office pipes to remove with them.
        const QFileInfoList works =
            QDir(cache.absoluteFilePath())
                .entryInfoList({kWorkPrefix + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QFileInfo& work : works) {
            if (!work.isSymLink())
                removeRecordedOfficePipes(work.absoluteFilePath());
        }
        QDir(cache.absoluteFilePath()).removeRecursively();
    }
}

QString DeckConverter::cacheInUse(QString* problem) const
{
    if (QDir().mkpath(cacheFolder_) && isWritableFolder(cacheFolder_))
        return cacheFolder_;
    const QString why = cacheFolderProblem(cacheFolder_);
    const QString temporary = temporaryCacheOfThisRun();
    if (temporary.isEmpty()) {
        if (problem)
            *problem = why;
        return {};
    }
    // Said once for each folder, for developers: the teacher sees the decks as usual.
    static QString told;
    if (told != temporary) {
        told = temporary;
        qInfo("Deck cache %s cannot be used; converted decks are kept in %s until the program ends",
              qPrintable(cacheFolder_), qPrintable(temporary));
    }
    return temporary;
}

DeckConverter::Lookup DeckConverter::lookUp(const QString& deckPath, const QString& cache,
                                            const std::atomic_bool& cancelled,
                                            const std::function<void()>& longRead)
{
    Lookup lookup;
    lookup.cache = cache;
    const QFileInfo info(deckPath);
    const QString name = info.fileName();
    auto fail = [&lookup](const QString& why, bool deckAtFault = true) {
        lookup.known.error = why;
        lookup.known.deckAtFault = deckAtFault;
        return lookup;
    };
    if (!info.exists())
        return fail(QCoreApplication::translate("DeckConverter", "找不到文件 %1。").arg(name));
    if (!info.isFile())
        return fail(QCoreApplication::translate("DeckConverter", "%1 不是一个文件。").arg(name));
    // Never waits on a special file that was put in the deck's place meanwhile.
    const int descriptor =
        ::open(QFile::encodeName(deckPath).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    QFile deck;
    struct stat status {};
    if (descriptor < 0 || !deck.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (descriptor >= 0)
            ::close(descriptor);
        return fail(QCoreApplication::translate("DeckConverter", "无法读取文件 %1。").arg(name));
    }
    if (::fstat(descriptor, &status) != 0)
        return fail(QCoreApplication::translate("DeckConverter", "无法读取文件 %1。").arg(name));
    if (!S_ISREG(status.st_mode))
        return fail(QCoreApplication::translate("DeckConverter", "%1 不是一个文件。").arg(name));
    lookup.stamp = stampOf(status);
    if (lookup.stamp.size == 0)
        return fail(QCoreApplication::translate("DeckConverter", "文件 %1 是空的。").arg(name));

    lookup.suffix = info.suffix().toLower();
    if (lookup.suffix == QLatin1String("pdf")) {
        lookup.known.path = info.absoluteFilePath();
        return lookup;
    }
    if (lookup.stamp.size > kMaxDeckBytes) {
        return fail(
            QCoreApplication::translate(
                "DeckConverter",
                "演示文稿 %1 太大了（%2，超过 %3），无法打开。请压缩其中的图片、删去其中的视频后再试。")
                .arg(name, sizeText(lookup.stamp.size), sizeText(kMaxDeckBytes)),
            false);
    }
    lookup.convert = true;
    if (cache.isEmpty())
        return lookup;

    // A deck as it was when last opened is not read again.
    const QString record = recordPath(cache, deckPath);
    QByteArray hash = recordedHash(record, lookup.stamp);
    const bool recorded = !hash.isEmpty();
    if (!recorded) {
        if (longRead && lookup.stamp.size > kLongRead)
            longRead();
        hash = sha256Of(deck, cancelled);
        if (hash.isEmpty())
            return cancelled
                       ? lookup
                       : fail(QCoreApplication::translate("DeckConverter", "无法读取文件 %1。").arg(name));
    }
    deck.close();

    lookup.hash = hash;
    lookup.target = QDir(cache).filePath(cacheName(hash, lookup.suffix));
    if (QFileInfo(lookup.target).size() > 0 && isIntact(lookup.target, cancelled)) {
        // Marks it as recently used.
        QFile used(lookup.target);
        if (used.open(QIODevice::Append))
            used.setFileTime(QDateTime::currentDateTime(), QFileDevice::FileModificationTime);
        // Remembered with its conversion, and only when the deck did not change while it was read.
        if (!recorded && stampOf(deckPath) == lookup.stamp)
            writeRecord(record, lookup.stamp, hash);
        lookup.known = {lookup.target, {}, true};
        lookup.convert = false;
    }
    return lookup;
}

DeckPdf DeckConverter::toPdf(const QString& deckPath)
{
    const Lookup lookup = lookUp(deckPath, cacheInUse(), kNeverCancelled);
    if (!lookup.convert)
        return lookup.known;
    return convert(deckPath, lookup);
}

QString DeckConverter::prepare(const QString& deckPath, const Lookup& lookup, OfficeRun& run) const
{
    const QString name = QFileInfo(deckPath).fileName();
    run.deckPath = deckPath;
    run.deckName = name;
    run.cache = lookup.cache;
    run.target = lookup.target;
    run.hash = lookup.hash;
    run.stamp = lookup.stamp;
    if (office_.isEmpty())
        return QCoreApplication::translate(
                   "DeckConverter", "没有找到 LibreOffice，无法打开演示文稿 %1。请安装 libreoffice-impress。")
            .arg(name);
    if (run.cache.isEmpty() || run.target.isEmpty()) {
        QString problem;
        cacheInUse(&problem);
        return problem.isEmpty() ? cacheFolderProblem(cacheFolder_) : problem;
    }

    // Everything happens in a private folder beside the cache: a link to the deck under a plain name
    // (the office only reads it, so the user's folder stays untouched and nothing is copied), a fresh
    // office profile (never the user's own office), the office's temporary files and the output,
    // which is then renamed into the cache in one step. The office works in that folder and is given
    // plain relative names, so no character of the cache's path can trip its parsing of file names.
    run.work = std::make_unique<QTemporaryDir>(
        QDir(run.cache).filePath(namePrefixOfThisRun(kWorkPrefix) + QStringLiteral("XXXXXX")));
    const QTemporaryDir& work = *run.work;
    if (!work.isValid())
        return cacheFolderProblem(run.cache);
    const QString suffix = lookup.suffix;
    const QString inputName = QStringLiteral("deck.") + (suffix.isEmpty() ? QStringLiteral("ppt") : suffix);
    const QString input = work.filePath(inputName);
    if (!QFile::link(QFileInfo(deckPath).absoluteFilePath(), input) && !QFile::copy(deckPath, input))
        return QCoreApplication::translate("DeckConverter", "无法读取文件 %1。").arg(name);
    const QString temporaryFolder = work.filePath(QStringLiteral("tmp"));
    const QString profile = work.filePath(QStringLiteral("profile"));
    QDir().mkpath(work.filePath(QStringLiteral("out")));
    QDir().mkpath(temporaryFolder);
    recordOfficePipes(work.path(), {officeInstancePipePath(officeUrl(profile))});

    run.arguments = QStringList{
        QStringLiteral("-env:UserInstallation=") + officeArgumentUrl(profile),
        QStringLiteral("--headless"),
        QStringLiteral("--invisible"),
        QStringLiteral("--norestore"),
        QStringLiteral("--nologo"),
        QStringLiteral("--nodefault"),
        QStringLiteral("--nolockcheck"),
        QStringLiteral("--convert-to"),
        kPdfFilter,
        QStringLiteral("--outdir"),
        QStringLiteral("out"),
        inputName,
    };
    run.environment = QProcessEnvironment::systemEnvironment();
    run.environment.insert(QStringLiteral("TMPDIR"), temporaryFolder);
    return {};
}

namespace {

void startOffice(QProcess& office, const QString& program, const QStringList& arguments,
                 const QProcessEnvironment& environment, const QString& folder)
{
    office.setProcessChannelMode(QProcess::MergedChannels);
    office.setWorkingDirectory(folder);
    office.setProcessEnvironment(environment);
    tieToThisProgram(office);
    office.start(program, arguments);
}

// Ours to end: its whole group, and wait until it is gone.
void killOffice(QProcess& office)
{
    if (office.state() == QProcess::NotRunning)
        return;
    if (office.processId() > 0)
        ::kill(-pid_t(office.processId()), SIGKILL);
    office.kill();
    office.waitForFinished(5000);
}

QString officeNotStarted(const QString& office)
{
    return QCoreApplication::translate("DeckConverter", "无法启动 LibreOffice（%1）。").arg(office);
}

QString conversionTimedOut(const QString& deckName)
{
    return QCoreApplication::translate("DeckConverter", "LibreOffice 转换 %1 超时。").arg(deckName);
}

} // namespace

DeckPdf DeckConverter::collect(const OfficeRun& run, const QString& output) const
{
    const QString produced =
        QDir(run.work->filePath(QStringLiteral("out"))).filePath(QStringLiteral("deck.pdf"));
    // The office read the deck itself, not a copy: what it read must be what was checked, or the
    // conversion would be kept under another content's name.
    if (stampOf(run.deckPath) != run.stamp) {
        return {
            {},
            QCoreApplication::translate("DeckConverter", "演示文稿 %1 在打开的过程中被改动了，请再打开一次。")
                .arg(run.deckName)};
    }
    if (QFileInfo(produced).size() <= 0) {
        // What the office printed is for developers; the user is told what it means.
        if (!output.isEmpty())
            qInfo("LibreOffice could not convert %s: %s", qPrintable(run.deckName), qPrintable(output));
        return {{},
                QCoreApplication::translate(
                    "DeckConverter", "无法打开演示文稿 %1：文件可能已损坏、设有打开密码，或者不是演示文稿。")
                    .arg(run.deckName),
                false,
                true};
    }
    QFile::remove(run.target);
    QSaveFile check(run.target + kHashSuffix);
    if (!check.open(QIODevice::WriteOnly) || check.write(sha256Of(produced) + '\n') <= 0 || !check.commit() ||
        !QFile::rename(produced, run.target))
        return {{},
                QCoreApplication::translate("DeckConverter", "无法写入缓存文件 %1。")
                    .arg(QDir::toNativeSeparators(run.target))};
    writeRecord(recordPath(run.cache, run.deckPath), run.stamp, run.hash);
    prune(run.cache, run.target);
    return {run.target, {}};
}

DeckPdf DeckConverter::convert(const QString& deckPath, const Lookup& lookup)
{
    OfficeRun run;
    if (const QString failed = prepare(deckPath, lookup, run); !failed.isEmpty())
        return {{}, failed};
    if (conversionStart_)
        conversionStart_(run.deckName);
    QString output;
    QString failure;
    for (int attempt = 0; attempt < 2; ++attempt) {
        QProcess office;
        startOffice(office, office_, run.arguments, run.environment, run.work->path());
        if (!office.waitForStarted(10000)) {
            failure = officeNotStarted(office_);
            break;
        }
        const QDeadlineTimer deadline(timeoutMs_);
        bool ended = false;
        // In slices, so that a request to end the program is not kept waiting by the conversion.
        while (!(ended = office.waitForFinished(100)) && !deadline.hasExpired() &&
               !TerminationSignals::isPending()) {
        }
        if (!ended) {
            killOffice(office);
            failure = TerminationSignals::isPending()
                          ? QCoreApplication::translate("DeckConverter", "程序正在退出。")
                          : conversionTimedOut(run.deckName);
            break;
        }
        output = QString::fromLocal8Bit(office.readAll()).trimmed();
        if (office.exitStatus() == QProcess::NormalExit && office.exitCode() == kOfficeRestartCode)
            continue;
        break;
    }
    // The office leaves its pipe behind when it is killed, and now and then when it quits.
    removeRecordedOfficePipes(run.work->path());
    if (!failure.isEmpty())
        return {{}, failure};
    return collect(run, output);
}

// A conversion that runs while the event loop goes on: the office's end, its restart after making
// its profile and the deadline come as events.
class DeckConverter::Job : public QObject {
public:
    using Done = std::function<void(const DeckPdf&)>;

    Job(DeckConverter& owner, Done done) : owner_(owner), done_(std::move(done))
    {
        deadline_.setSingleShot(true);
        QObject::connect(&deadline_, &QTimer::timeout, this, [this] {
            stopOffice();
            deliver({{}, conversionTimedOut(run_.deckName)});
        });
    }
    ~Job() override
    {
        // The check ends within a slice of reading; its answer is not posted once cancelled, and one
        // posted already goes with this object.
        cancelled_ = true;
        if (checker_.joinable())
            checker_.join();
        stopOffice();
        run_.work.reset();
    }
    Job(const Job&) = delete;
    Job& operator=(const Job&) = delete;

    // Looks the deck up on a thread of its own (reading a large deck whole takes seconds), then
    // answers from the cache or starts the office.
    void check(const QString& deckPath, const QString& cache)
    {
        deckPath_ = deckPath;
        checker_ = std::thread([this, deckPath, cache] {
            const Lookup lookup = lookUp(deckPath, cache, cancelled_, [this] {
                QMetaObject::invokeMethod(
                    this, [this] { announce(); }, Qt::QueuedConnection);
            });
            if (cancelled_)
                return;
            QMetaObject::invokeMethod(
                this, [this, deckPath, lookup] { checked(deckPath, lookup); }, Qt::QueuedConnection);
        });
    }

private:
    void checked(const QString& deckPath, const Lookup& lookup)
    {
        checker_.join();
        if (!lookup.convert) {
            deliver(lookup.known);
            return;
        }
        OfficeRun run;
        if (const QString failed = owner_.prepare(deckPath, lookup, run); !failed.isEmpty()) {
            deliver({{}, failed});
            return;
        }
        run_ = std::move(run);
        announce();
        deadline_.start(owner_.timeoutMs_);
        startAttempt();
    }

    // The user is told once that the deck takes a while: when it is read whole or converted.
    void announce()
    {
        if (announced_)
            return;
        announced_ = true;
        if (owner_.conversionStart_)
            owner_.conversionStart_(QFileInfo(deckPath_).fileName());
    }

    void startAttempt()
    {
        ++attempts_;
        office_ = new QProcess(this);
        QObject::connect(office_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart) {
                stopOffice();
                deliver({{}, officeNotStarted(owner_.office_)});
            }
        });
        QObject::connect(office_, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
            output_ = QString::fromLocal8Bit(office_->readAll()).trimmed();
            stopOffice();
            if (status == QProcess::NormalExit && code == kOfficeRestartCode && attempts_ < 2) {
                startAttempt();
                return;
            }
            deadline_.stop();
            deliver(owner_.collect(run_, output_));
        });
        startOffice(*office_, owner_.office_, run_.arguments, run_.environment, run_.work->path());
    }

    void stopOffice()
    {
        if (!office_)
            return;
        QProcess* office = office_;
        office_ = nullptr;
        office->disconnect(this);
        killOffice(*office);
        office->deleteLater();
        // The office leaves its pipe behind when it is killed, and now and then when it quits.
        if (run_.work)
            removeRecordedOfficePipes(run_.work->path());
    }

    // Hands the result over once; the job is then done and goes.
    void deliver(const DeckPdf& pdf)
    {
        deadline_.stop();
        stopOffice();
        run_.work.reset();
        Done done = std::move(done_);
        std::unique_ptr<Job> self = std::move(owner_.job_);
        self.release()->deleteLater();
        if (done)
            done(pdf);
    }

    DeckConverter& owner_;
    Done done_;
    OfficeRun run_;
    QProcess* office_ = nullptr;
    QTimer deadline_;
    QString output_;
    int attempts_ = 0;
    QString deckPath_;
    bool announced_ = false;
    std::atomic_bool cancelled_{false};
    std::thread checker_;
};

void DeckConverter::startPdf(const QString& deckPath, std::function<void(const DeckPdf&)> done)
{
    cancel();
    job_ = std::make_unique<Job>(*this, std::move(done));
    job_->check(deckPath, cacheInUse());
}

void DeckConverter::cancel()
{
    job_.reset();
}

void DeckConverter::prune(const QString& cacheFolder, const QString& keep) const
{
    QDir cache(cacheFolder);
    const QFileInfoList pdfs = cache.entryInfoList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Time);
    int kept = 0;
    for (const QFileInfo& pdf : pdfs) {
        if (pdf.absoluteFilePath() == QFileInfo(keep).absoluteFilePath() || ++kept <= kept_ - 1)
            continue;
        QFile::remove(pdf.absoluteFilePath());
        QFile::remove(pdf.absoluteFilePath() + kHashSuffix);
    }
    for (const QFileInfo& check : cache.entryInfoList({QLatin1Char('*') + kHashSuffix}, QDir::Files)) {
        if (!QFile::exists(check.absoluteFilePath().chopped(kHashSuffix.size())))
            QFile::remove(check.absoluteFilePath());
    }
    removeRecordsOfDroppedConversions(cacheFolder);
    // Work folders left by a conversion that never finished (the program was killed); those of
    // versions that did not name them after the run go once they are an hour old.
    removeWorkFoldersOfDeadRuns(cacheFolder);
    const QDateTime stale = QDateTime::currentDateTime().addSecs(-3600);
    for (const QFileInfo& work :
         cache.entryInfoList({kWorkPrefix + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (ownerInName(work.fileName(), kWorkPrefix) == 0 && work.lastModified() < stale)
            QDir(work.absoluteFilePath()).removeRecursively();
    }
}
