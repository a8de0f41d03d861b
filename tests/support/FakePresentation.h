#pragma once

#include "platform/Presentation.h"

#include <QMap>
#include <QSet>
#include <QStringList>

class FakePresentation;

// The decks a test's presentation program can open, and a log of what was done to them, shared by
// every presentation the program creates.
class FakePresentations {
public:
    PresentationFactory factory();

    // Deck file name (without folder) -> its slide count. A name not listed cannot be opened.
    QMap<QString, int> decks;
    // Where the show lands when asked for slide n; by default on n.
    std::function<int(int)> landOn;
    // Decks not converted yet: opened in the background, they announce a conversion and open only
    // when the test calls finishConversions().
    QSet<QString> unconverted;
    // Ends every conversion under way; the decks open (or fail) as the decks map says.
    void finishConversions();
    int conversionsCancelled = 0;

    // "open <file>", "run <file>", "quit <file>" in call order.
    QStringList log;
    int created = 0;
    int alive = 0;
    int gotoCalls = 0;
    FakePresentation* latest = nullptr;

    int runningShows() const;
    // The user ends the running show (Esc) without the program asking.
    void endShowsByUser();

private:
    friend class FakePresentation;
    QList<FakePresentation*> all_;
};

class FakePresentation : public Presentation {
    Q_OBJECT
public:
    explicit FakePresentation(FakePresentations& hub);
    ~FakePresentation() override;

    bool open(const QString& path) override;
    QString errorText() const override { return error_; }
    void openInBackground(const QString& path) override;
    void cancelOpening() override;
    bool isOpening() const override { return !converting_.isEmpty() || Presentation::isOpening(); }
    bool runShow() override;
    bool isShowRunning() const override { return running_; }
    int slideCount() const override { return slides_; }
    void gotoSlide(int n) override;
    std::optional<int> currentShowPosition() const override;
    void quit() override;

    void endShowByUser();
    void finishConversion();
    const QString& fileName() const { return file_; }

private:
    FakePresentations& hub_;
    QString file_;
    QString error_;
    // The deck whose conversion is under way.
    QString converting_;
    int slides_ = 0;
    int current_ = 0;
    bool running_ = false;
};
