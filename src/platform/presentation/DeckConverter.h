#pragma once

#include <QString>
#include <functional>

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

    DeckPdf toPdf(const QString& deckPath);

    // Forgets a cached conversion (one that turned out unreadable, say).
    void drop(const QString& pdfPath) const;

    // Name of the cached PDF of a deck: its content's hash and kind, plus our conversion version.
    static QString cacheName(const QByteArray& contentHash, const QString& suffix);

    // Conversions work in "work-<pid>-XXXXXX" in the cache folder; removes those of ended runs.
    static void removeWorkOfDeadRuns(const QString& cacheFolder);

private:
    DeckPdf convert(const QString& deckPath, const QString& suffix, const QString& target);
    void prune(const QString& keep) const;
    bool isIntact(const QString& cached) const;

    QString cacheFolder_;
    QString office_;
    int timeoutMs_ = 120000;
    int kept_ = 32;
    std::function<void(const QString&)> conversionStart_;
};
