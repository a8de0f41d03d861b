#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <memory>

class QTemporaryDir;

// The PDF a deck is shown from: the deck itself when it is a PDF, otherwise a conversion by a
// headless LibreOffice of our own, made once and kept in a cache keyed by the deck's content. Each
// cached PDF has its SHA-256 beside it ("<name>.sha256"); one that no longer matches is converted
// again. Which content a deck had is remembered by its size and times ("deck-<path hash>.seen"), so
// a deck opened again is read whole only when it changed. The office is killed with this program,
// however it ends.
struct DeckPdf {
    QString path;  // empty when the deck cannot be shown
    QString error; // why, in words for the user
    bool fromCache = false;
    // The failure lies with the deck file itself (missing, empty, unreadable, damaged): another deck
    // in its place would do. False for what no other deck would mend: no office, no room for the
    // conversion, a deck too large (its message says what to do).
    bool deckAtFault = false;
};

class DeckConverter {
public:
    // cacheFolder: where converted decks are kept; office: the office program to run (empty: none).
    explicit DeckConverter(QString cacheFolder = defaultCacheFolder(), QString office = findOffice());
    // A conversion under way is ended with its office. Not to be moved while one runs.
    ~DeckConverter();
    DeckConverter(DeckConverter&&) noexcept;
    DeckConverter& operator=(DeckConverter&&) noexcept;

    // Decks to be converted that are larger than this are refused: the office would take many minutes
    // and gigabytes over them, and the cache would fill with their copies.
    static constexpr qint64 kMaxDeckBytes = 1LL << 30;

    // <user cache folder>/decks
    static QString defaultCacheFolder();
    // LibreOffice's own binary, so that the process we start is the one we end; else soffice.
    static QString findOffice();

    // Called once before a wait of seconds, with the deck's file name: just before the office is
    // started, or (in the background) before a large new or changed deck is read whole.
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
    // ends the one under way. The deck is checked (and read whole, when it is new or changed) on a
    // thread of its own and the office runs while the program goes on.
    void startPdf(const QString& deckPath, std::function<void(const DeckPdf&)> done);
    // Ends a conversion under way: the office is killed, its work folder and pipe removed, and done()
    // is not called.
    void cancel();
    bool isBusy() const { return job_ != nullptr; }

    // Forgets a cached conversion (one that turned out unreadable, say).
    void drop(const QString& pdfPath) const;

    // Name of the cached PDF of a deck: its content's hash and kind, plus our conversion version.
    static QString cacheName(const QByteArray& contentHash, const QString& suffix);

    // Conversions work in "work-<pid>-XXXXXX" in the cache folder; removes those of ended runs, and
    // the private caches that ended runs made in the temporary folder.
    static void removeWorkOfDeadRuns(const QString& cacheFolder);

    // The cache folder conversions go to: the one given when it can be written to, otherwise a
    // private folder of this run in the temporary folder (removed when the program ends). Empty when
    // neither can be used; problem then says what is wrong with the cache folder.
    QString cacheInUse(QString* problem = nullptr) const;

    // What is known of a deck's file when it was checked: size, times and identity.
    struct Stamp {
        qint64 size = -1;
        qint64 modifiedNs = 0;
        qint64 changedNs = 0;
        quint64 device = 0;
        quint64 inode = 0;
        bool operator==(const Stamp&) const = default;
    };

private:
    class Job;
    // What the cache knows of a deck before any conversion.
    struct Lookup {
        DeckPdf known;        // the answer, when no conversion is needed
        bool convert = false; // the office must make the PDF
        QString cache;        // the cache folder looked in; empty when there is none
        QString suffix;
        QByteArray hash; // of the deck's content
        QString target;
        Stamp stamp; // the deck as it was checked
    };
    // One run of the office: its private work folder and its command line.
    struct OfficeRun {
        QString deckPath;
        QString deckName;
        QString cache;
        QString target;
        QByteArray hash;
        Stamp stamp;
        std::unique_ptr<QTemporaryDir> work;
        QStringList arguments;
        QProcessEnvironment environment;
    };

    // Reads the deck as far as needed: the answer, or what a conversion needs. Runs on any thread;
    // reading stops early (with an empty answer) once cancelled is set. longRead, when given, is
    // called before a large deck is read whole (that takes seconds).
    static Lookup lookUp(const QString& deckPath, const QString& cache, const std::atomic_bool& cancelled,
                         const std::function<void()>& longRead = {});
    // Fills run; an error when the work cannot be set up.
    QString prepare(const QString& deckPath, const Lookup& lookup, OfficeRun& run) const;
    // Moves what the office produced into the cache.
    DeckPdf collect(const OfficeRun& run, const QString& output) const;
    DeckPdf convert(const QString& deckPath, const Lookup& lookup);
    void prune(const QString& cache, const QString& keep) const;

    QString cacheFolder_;
    QString office_;
    int timeoutMs_ = 120000;
    int kept_ = 32;
    std::function<void(const QString&)> conversionStart_;
    std::unique_ptr<Job> job_;
};
