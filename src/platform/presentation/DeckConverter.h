#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QTemporaryDir;

// The PDF a deck is shown from: the deck itself when it is a PDF, otherwise a conversion by a
// headless LibreOffice of our own, made once and kept in a cache keyed by the deck's content. Each
// cached PDF has its SHA-256 beside it ("<name>.sha256"); one that no longer matches is converted
// again. The office is killed with this program, however it ends.
struct DeckPdf {
    QString path;  // empty when the deck cannot be shown
    QString error; // why, in words for the user
    bool fromCache = false;
};

class DeckConverter {
public:
    // cacheFolder: where converted decks are kept; office: the office program to run (empty: none).
    explicit DeckConverter(QString cacheFolder = defaultCacheFolder(), QString office = findOffice());
    // A conversion under way is ended with its office. Not to be moved while one runs.
    ~DeckConverter();
    DeckConverter(DeckConverter&&) noexcept;
    DeckConverter& operator=(DeckConverter&&) noexcept;

    // <user cache folder>/decks
    static QString defaultCacheFolder();
    // LibreOffice's own binary, so that the process we start is the one we end; else soffice.
    static QString findOffice();

    // Called just before the office is started, with the deck's file name: a conversion takes seconds.
    void onConversionStart(std::function<void(const QString&)> notify)
    {
        conversionStart_ = std::move(notify);
    }

    // How many converted decks the cache keeps; the least recently used go first.
    void setKeptConversions(int count) { kept_ = count; }

    // Longest a conversion may take before the office is ended.
    void setTimeoutMs(int ms) { timeoutMs_ = ms; }
    const QString& cacheFolder() const { return cacheFolder_; }

    // The deck's PDF, converted when the cache lacks it; waits for the office (seconds).
    DeckPdf toPdf(const QString& deckPath);

    // The same without waiting: returns at once, and done() gets the result from the event loop (also
    // a result known at once: a PDF deck, a cached one, a missing file). One at a time: a new start
    // ends the one under way. The office runs while the program goes on.
    void startPdf(const QString& deckPath, std::function<void(const DeckPdf&)> done);
    // Ends a conversion under way: the office is killed, its work folder and pipe removed, and done()
    // is not called.
    void cancel();
    bool isBusy() const { return job_ != nullptr; }

    // Forgets a cached conversion (one that turned out unreadable, say).
    void drop(const QString& pdfPath) const;

    // Name of the cached PDF of a deck: its content's hash and kind, plus our conversion version.
    static QString cacheName(const QByteArray& contentHash, const QString& suffix);

    // Conversions work in "work-<pid>-XXXXXX" in the cache folder; removes those of ended runs.
    static void removeWorkOfDeadRuns(const QString& cacheFolder);

private:
    class Job;
    // What the cache knows of a deck before any conversion.
    struct Lookup {
        DeckPdf known;        // the answer, when no conversion is needed
        bool convert = false; // the office must make the PDF
        QString suffix;
        QString target;
    };
    // One run of the office: its private work folder and its command line.
    struct OfficeRun {
        QString deckName;
        QString target;
        std::unique_ptr<QTemporaryDir> work;
        QStringList arguments;
        QProcessEnvironment environment;
    };

    Lookup lookUp(const QString& deckPath) const;
    // Fills run; an error when the work cannot be set up.
    QString prepare(const QString& deckPath, const Lookup& lookup, OfficeRun& run) const;
    // Moves what the office produced into the cache.
    DeckPdf collect(const OfficeRun& run, const QString& output) const;
    DeckPdf convert(const QString& deckPath, const Lookup& lookup);
    void prune(const QString& keep) const;
    bool isIntact(const QString& cached) const;

    QString cacheFolder_;
    QString office_;
    int timeoutMs_ = 120000;
    int kept_ = 32;
    std::function<void(const QString&)> conversionStart_;
    std::unique_ptr<Job> job_;
};
