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

DeckPdf DeckConverter::toPdf(const QString& deckPath)
{
    const QFileInfo info(deckPath);
    const QString name = info.fileName();
    if (!info.exists())
        return {{}, QStringLiteral("找不到文件 %1。").arg(name)};
    if (!info.isFile())
        return {{}, QStringLiteral("%1 不是一个文件。").arg(name)};
    QFile deck(deckPath);
    if (!deck.open(QIODevice::ReadOnly))
        return {{}, QStringLiteral("无法读取文件 %1。").arg(name)};
    if (deck.size() == 0)
        return {{}, QStringLiteral("文件 %1 是空的。").arg(name)};

    const QString suffix = info.suffix().toLower();
    if (suffix == QLatin1String("pdf"))
        return {info.absoluteFilePath(), {}};

    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&deck))
        return {{}, QStringLiteral("无法读取文件 %1。").arg(name)};
    deck.close();

    const QString target = QDir(cacheFolder_).filePath(cacheName(hash.result(), suffix));
    if (QFileInfo(target).size() > 0 && isIntact(target)) {
        // Marks it as recently used.
        QFile used(target);
        if (used.open(QIODevice::Append))
            used.setFileTime(QDateTime::currentDateTime(), QFileDevice::FileModificationTime);
        return {target, {}, true};
    }
    return convert(deckPath, suffix, target);
}

DeckPdf DeckConverter::convert(const QString& deckPath, const QString& suffix, const QString& target)
{
    const QString name = QFileInfo(deckPath).fileName();
    if (office_.isEmpty())
        return {{},
                QStringLiteral("没有找到 LibreOffice，无法打开演示文稿 %1。请安装 libreoffice-impress。")
                    .arg(name)};
    if (!QDir().mkpath(cacheFolder_))
        return {{}, QStringLiteral("无法建立缓存文件夹 %1。").arg(QDir::toNativeSeparators(cacheFolder_))};

    // Everything happens in a private folder beside the cache: a copy of the deck under a plain
    // name (the user's folder stays untouched), a fresh office profile (never the user's own
    // office), the office's temporary files and the output, which is then renamed into the cache in
    // one step. The office works in that folder and is given plain relative names, so no character
    // of the cache's path can trip its parsing of file names.
    QTemporaryDir work(
        QDir(cacheFolder_).filePath(namePrefixOfThisRun(kWorkPrefix) + QStringLiteral("XXXXXX")));
    if (!work.isValid())
        return {{}, QStringLiteral("无法在 %1 中工作。").arg(QDir::toNativeSeparators(cacheFolder_))};
    const QString inputName = QStringLiteral("deck.") + (suffix.isEmpty() ? QStringLiteral("ppt") : suffix);
    if (!QFile::copy(deckPath, work.filePath(inputName)))
        return {{}, QStringLiteral("无法读取文件 %1。").arg(name)};
    const QString outDir = work.filePath(QStringLiteral("out"));
    const QString temporaryFolder = work.filePath(QStringLiteral("tmp"));
    const QString profile = work.filePath(QStringLiteral("profile"));
    QDir().mkpath(outDir);
    QDir().mkpath(temporaryFolder);
    recordOfficePipes(work.path(), {officeInstancePipePath(officeUrl(profile))});

    const QStringList arguments{
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
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TMPDIR"), temporaryFolder);

    if (conversionStart_)
        conversionStart_(name);
    QString output;
    QString failure;
    for (int attempt = 0; attempt < 2; ++attempt) {
        QProcess office;
        office.setProcessChannelMode(QProcess::MergedChannels);
        office.setWorkingDirectory(work.path());
        office.setProcessEnvironment(environment);
        tieToThisProgram(office);
        office.start(office_, arguments);
        if (!office.waitForStarted(10000)) {
            failure = QStringLiteral("无法启动 LibreOffice（%1）。").arg(office_);
            break;
        }
        const QDeadlineTimer deadline(timeoutMs_);
        bool ended = false;
        // In slices, so that a request to end the program is not kept waiting by the conversion.
        while (!(ended = office.waitForFinished(100)) && !deadline.hasExpired() &&
               !TerminationSignals::isPending()) {
        }
        if (!ended) {
            // Ours to end: its whole group, and wait until it is gone.
            ::kill(-pid_t(office.processId()), SIGKILL);
            office.waitForFinished(5000);
            failure = TerminationSignals::isPending()
                          ? QStringLiteral("程序正在退出。")
                          : QStringLiteral("LibreOffice 转换 %1 超时。").arg(name);
            break;
        }
        output = QString::fromLocal8Bit(office.readAll()).trimmed();
        if (office.exitStatus() == QProcess::NormalExit && office.exitCode() == kOfficeRestartCode)
            continue;
        break;
    }
    // The office leaves its pipe behind when it is killed, and now and then when it quits.
    removeRecordedOfficePipes(work.path());
    if (!failure.isEmpty())
        return {{}, failure};

    const QString produced = QDir(outDir).filePath(QStringLiteral("deck.pdf"));
    if (QFileInfo(produced).size() <= 0) {
        QString detail = output.section(QLatin1Char('\n'), -1);
        return {{},
                QStringLiteral("无法打开演示文稿 %1：文件可能已损坏，或不是演示文稿。%2")
                    .arg(name, detail.isEmpty() ? QString()
                                                : QStringLiteral("（") + detail + QStringLiteral("）"))};
    }
    QFile::remove(target);
    QSaveFile check(target + kHashSuffix);
    if (!check.open(QIODevice::WriteOnly) || check.write(sha256Of(produced) + '\n') <= 0 || !check.commit() ||
        !QFile::rename(produced, target))
        return {{}, QStringLiteral("无法写入缓存文件 %1。").arg(QDir::toNativeSeparators(target))};
    prune(target);
    return {target, {}};
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
