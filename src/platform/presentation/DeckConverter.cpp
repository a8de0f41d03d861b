#include "platform/presentation/DeckConverter.h"

#include "platform/DeadRuns.h"
#include "platform/TerminationSignals.h"
#include "platform/TiedProcess.h"
#include "platform/office/OfficePipes.h"

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
#include <csignal>

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

QByteArray sha256Of(const QString& path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return {};
    return hash.result().toHex();
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
    if (QFileInfo(pdfPath).absolutePath() == QDir(cacheFolder_).absolutePath()) {
        QFile::remove(pdfPath);
        QFile::remove(pdfPath + kHashSuffix);
    }
}

bool DeckConverter::isIntact(const QString& cached) const
{
    const QByteArray expected = contentOf(cached + kHashSuffix);
    return !expected.isEmpty() && sha256Of(cached) == expected;
}

void DeckConverter::removeWorkOfDeadRuns(const QString& cacheFolder)
{
    const QFileInfoList folders =
        QDir(cacheFolder).entryInfoList({kWorkPrefix + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QFileInfo& work : folders) {
        if (!work.isSymLink() && isLeftOverByDeadRun(work.fileName(), kWorkPrefix))
            removeWorkFolder(work.absoluteFilePath());
    }
}

DeckConverter::Lookup DeckConverter::lookUp(const QString& deckPath) const
{
    Lookup lookup;
    const QFileInfo info(deckPath);
    const QString name = info.fileName();
    auto fail = [&lookup](const QString& why) {
        lookup.known.error = why;
        return lookup;
    };
    if (!info.exists())
        return fail(QStringLiteral("找不到文件 %1。").arg(name));
    if (!info.isFile())
        return fail(QStringLiteral("%1 不是一个文件。").arg(name));
    QFile deck(deckPath);
    if (!deck.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("无法读取文件 %1。").arg(name));
    if (deck.size() == 0)
        return fail(QStringLiteral("文件 %1 是空的。").arg(name));

    lookup.suffix = info.suffix().toLower();
    if (lookup.suffix == QLatin1String("pdf")) {
        lookup.known.path = info.absoluteFilePath();
        return lookup;
    }

    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&deck))
        return fail(QStringLiteral("无法读取文件 %1。").arg(name));
    deck.close();

    lookup.target = QDir(cacheFolder_).filePath(cacheName(hash.result(), lookup.suffix));
    if (QFileInfo(lookup.target).size() > 0 && isIntact(lookup.target)) {
        // Marks it as recently used.
        QFile used(lookup.target);
        if (used.open(QIODevice::Append))
            used.setFileTime(QDateTime::currentDateTime(), QFileDevice::FileModificationTime);
        lookup.known = {lookup.target, {}, true};
        return lookup;
    }
    lookup.convert = true;
    return lookup;
}

DeckPdf DeckConverter::toPdf(const QString& deckPath)
{
    const Lookup lookup = lookUp(deckPath);
    if (!lookup.convert)
        return lookup.known;
    return convert(deckPath, lookup);
}

QString DeckConverter::prepare(const QString& deckPath, const Lookup& lookup, OfficeRun& run) const
{
    const QString name = QFileInfo(deckPath).fileName();
    run.deckName = name;
    run.target = lookup.target;
    if (office_.isEmpty())
        return QStringLiteral("没有找到 LibreOffice，无法打开演示文稿 %1。请安装 libreoffice-impress。")
            .arg(name);
    if (!QDir().mkpath(cacheFolder_))
        return QStringLiteral("无法建立缓存文件夹 %1。").arg(QDir::toNativeSeparators(cacheFolder_));

    // Everything happens in a private folder beside the cache: a copy of the deck under a plain
    // name (the user's folder stays untouched), a fresh office profile (never the user's own
    // office), the office's temporary files and the output, which is then renamed into the cache in
    // one step. The office works in that folder and is given plain relative names, so no character
    // of the cache's path can trip its parsing of file names.
    run.work = std::make_unique<QTemporaryDir>(
        QDir(cacheFolder_).filePath(namePrefixOfThisRun(kWorkPrefix) + QStringLiteral("XXXXXX")));
    const QTemporaryDir& work = *run.work;
    if (!work.isValid())
        return QStringLiteral("无法在 %1 中工作。").arg(QDir::toNativeSeparators(cacheFolder_));
    const QString suffix = lookup.suffix;
    const QString inputName = QStringLiteral("deck.") + (suffix.isEmpty() ? QStringLiteral("ppt") : suffix);
    if (!QFile::copy(deckPath, work.filePath(inputName)))
        return QStringLiteral("无法读取文件 %1。").arg(name);
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
    return QStringLiteral("无法启动 LibreOffice（%1）。").arg(office);
}

QString conversionTimedOut(const QString& deckName)
{
    return QStringLiteral("LibreOffice 转换 %1 超时。").arg(deckName);
}

} // namespace

DeckPdf DeckConverter::collect(const OfficeRun& run, const QString& output) const
{
    const QString produced =
        QDir(run.work->filePath(QStringLiteral("out"))).filePath(QStringLiteral("deck.pdf"));
    if (QFileInfo(produced).size() <= 0) {
        // What the office printed is for developers; the user is told what it means.
        if (!output.isEmpty())
            qInfo("LibreOffice could not convert %s: %s", qPrintable(run.deckName), qPrintable(output));
        return {{},
                QStringLiteral("无法打开演示文稿 %1：文件可能已损坏、设有打开密码，或者不是演示文稿。")
                    .arg(run.deckName)};
    }
    QFile::remove(run.target);
    QSaveFile check(run.target + kHashSuffix);
    if (!check.open(QIODevice::WriteOnly) || check.write(sha256Of(produced) + '\n') <= 0 || !check.commit() ||
        !QFile::rename(produced, run.target))
        return {{}, QStringLiteral("无法写入缓存文件 %1。").arg(QDir::toNativeSeparators(run.target))};
    prune(run.target);
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
            failure = TerminationSignals::isPending() ? QStringLiteral("程序正在退出。")
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
        stopOffice();
        run_.work.reset();
    }
    Job(const Job&) = delete;
    Job& operator=(const Job&) = delete;

    // Tells a result known without the office.
    void tell(DeckPdf known)
    {
        QTimer::singleShot(0, this, [this, known] { deliver(known); });
    }

    void run(OfficeRun run)
    {
        run_ = std::move(run);
        QTimer::singleShot(0, this, [this] {
            if (owner_.conversionStart_)
                owner_.conversionStart_(run_.deckName);
            deadline_.start(owner_.timeoutMs_);
            startAttempt();
        });
    }

private:
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
};

void DeckConverter::startPdf(const QString& deckPath, std::function<void(const DeckPdf&)> done)
{
    cancel();
    job_ = std::make_unique<Job>(*this, std::move(done));
    const Lookup lookup = lookUp(deckPath);
    if (!lookup.convert) {
        job_->tell(lookup.known);
        return;
    }
    OfficeRun run;
    if (const QString failed = prepare(deckPath, lookup, run); !failed.isEmpty()) {
        job_->tell({{}, failed});
        return;
    }
    job_->run(std::move(run));
}

void DeckConverter::cancel()
{
    job_.reset();
}

void DeckConverter::prune(const QString& keep) const
{
    QDir cache(cacheFolder_);
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
    // Work folders left by a conversion that never finished (the program was killed); those of
    // versions that did not name them after the run go once they are an hour old.
    removeWorkOfDeadRuns(cacheFolder_);
    const QDateTime stale = QDateTime::currentDateTime().addSecs(-3600);
    for (const QFileInfo& work :
         cache.entryInfoList({kWorkPrefix + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (ownerInName(work.fileName(), kWorkPrefix) == 0 && work.lastModified() < stale)
            QDir(work.absoluteFilePath()).removeRecursively();
    }
}
