#include "platform/presentation/DeckConverter.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

namespace {

// Bump when the conversion's options change, so older conversions are not reused.
constexpr int kConversionVersion = 1;

// Hidden slides stay in the PDF: they count as slides of the deck like any other.
const QString kPdfFilter =
    QStringLiteral(R"(pdf:impress_pdf_Export:{"ExportHiddenSlides":{"type":"boolean","value":"true"}})");

// LibreOffice asks to be started again after it created a new profile.
constexpr int kOfficeRestartCode = 81;

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
    if (QFileInfo(pdfPath).absolutePath() == QDir(cacheFolder_).absolutePath())
        QFile::remove(pdfPath);
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
    if (QFileInfo(target).size() > 0) {
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
    // office), and the output, which is then renamed into the cache in one step.
    QTemporaryDir work(QDir(cacheFolder_).filePath(QStringLiteral("work-XXXXXX")));
    if (!work.isValid())
        return {{}, QStringLiteral("无法在 %1 中工作。").arg(QDir::toNativeSeparators(cacheFolder_))};
    const QString input =
        work.filePath(QStringLiteral("deck.") + (suffix.isEmpty() ? QStringLiteral("ppt") : suffix));
    if (!QFile::copy(deckPath, input))
        return {{}, QStringLiteral("无法读取文件 %1。").arg(name)};
    const QString outDir = work.filePath(QStringLiteral("out"));
    QDir().mkpath(outDir);

    const QStringList arguments{
        QStringLiteral("-env:UserInstallation=") +
            QUrl::fromLocalFile(work.filePath(QStringLiteral("profile"))).toString(),
        QStringLiteral("--headless"),
        QStringLiteral("--invisible"),
        QStringLiteral("--norestore"),
        QStringLiteral("--nologo"),
        QStringLiteral("--nodefault"),
        QStringLiteral("--nolockcheck"),
        QStringLiteral("--convert-to"),
        kPdfFilter,
        QStringLiteral("--outdir"),
        outDir,
        input,
    };

    if (conversionStart_)
        conversionStart_(name);
    QString output;
    for (int attempt = 0; attempt < 2; ++attempt) {
        QProcess office;
        office.setProcessChannelMode(QProcess::MergedChannels);
        office.start(office_, arguments);
        if (!office.waitForStarted(10000))
            return {{}, QStringLiteral("无法启动 LibreOffice（%1）。").arg(office_)};
        if (!office.waitForFinished(timeoutMs_)) {
            // Ours to end: by its process id, and wait until it is gone.
            office.kill();
            office.waitForFinished(5000);
            return {{}, QStringLiteral("LibreOffice 转换 %1 超时。").arg(name)};
        }
        output = QString::fromLocal8Bit(office.readAll()).trimmed();
        if (office.exitStatus() == QProcess::NormalExit && office.exitCode() == kOfficeRestartCode)
            continue;
        break;
    }

    const QString produced = QDir(outDir).filePath(QStringLiteral("deck.pdf"));
    if (QFileInfo(produced).size() <= 0) {
        QString detail = output.section(QLatin1Char('\n'), -1);
        return {{},
                QStringLiteral("无法打开演示文稿 %1：文件可能已损坏，或不是演示文稿。%2")
                    .arg(name, detail.isEmpty() ? QString()
                                                : QStringLiteral("（") + detail + QStringLiteral("）"))};
    }
    QFile::remove(target);
    if (!QFile::rename(produced, target))
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
    }
    // Work folders left by a conversion that never finished (the program was killed).
    const QDateTime stale = QDateTime::currentDateTime().addSecs(-3600);
    for (const QFileInfo& work :
         cache.entryInfoList({QStringLiteral("work-*")}, QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (work.lastModified() < stale)
            QDir(work.absoluteFilePath()).removeRecursively();
    }
}
