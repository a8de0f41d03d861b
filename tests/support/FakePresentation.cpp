#include "support/FakePresentation.h"

#include <QFileInfo>
#include <QPointer>
#include <QTimer>

PresentationFactory FakePresentations::factory()
{
    return [this]() -> std::unique_ptr<Presentation> { return std::make_unique<FakePresentation>(*this); };
}

int FakePresentations::runningShows() const
{
    int n = 0;
    for (const FakePresentation* p : all_)
        n += p->isShowRunning() ? 1 : 0;
    return n;
}

void FakePresentations::endShowsByUser()
{
    for (FakePresentation* p : all_)
        p->endShowByUser();
}

void FakePresentations::finishConversions()
{
    // A handler of the opening may release presentations.
    QList<QPointer<FakePresentation>> waiting;
    for (FakePresentation* p : all_)
        waiting.append(p);
    for (const QPointer<FakePresentation>& p : waiting) {
        if (p)
            p->finishConversion();
    }
}

FakePresentation::FakePresentation(FakePresentations& hub) : hub_(hub)
{
    ++hub_.created;
    ++hub_.alive;
    hub_.latest = this;
    hub_.all_.append(this);
}

FakePresentation::~FakePresentation()
{
    --hub_.alive;
    hub_.all_.removeOne(this);
    if (hub_.latest == this)
        hub_.latest = nullptr;
}

bool FakePresentation::open(const QString& path)
{
    file_ = QFileInfo(path).fileName();
    hub_.log << QStringLiteral("open ") + file_;
    auto deck = hub_.decks.constFind(file_);
    if (deck == hub_.decks.constEnd()) {
        error_ = QStringLiteral("找不到文件");
        slides_ = 0;
        return false;
    }
    if (deck.value() <= 0) {
        error_ = QStringLiteral("没有幻灯片");
        slides_ = 0;
        return false;
    }
    error_.clear();
    slides_ = deck.value();
    return true;
}

void FakePresentation::openInBackground(const QString& path)
{
    cancelOpening();
    const QString file = QFileInfo(path).fileName();
    if (!hub_.unconverted.contains(file)) {
        Presentation::openInBackground(path);
        return;
    }
    file_ = file;
    converting_ = path;
    QTimer::singleShot(0, this, [this, file, path] {
        if (converting_ == path)
            emit converting(file);
    });
}

void FakePresentation::finishConversion()
{
    if (converting_.isEmpty())
        return;
    const QString path = converting_;
    converting_.clear();
    hub_.unconverted.remove(QFileInfo(path).fileName());
    emit opened(open(path));
}

void FakePresentation::cancelOpening()
{
    if (!converting_.isEmpty()) {
        converting_.clear();
        ++hub_.conversionsCancelled;
    }
    Presentation::cancelOpening();
}

void FakePresentation::endShowByUser()
{
    if (!running_)
        return;
    running_ = false;
    emit showEndedByUser();
}

bool FakePresentation::runShow()
{
    if (slides_ <= 0)
        return false;
    hub_.log << QStringLiteral("run ") + file_;
    running_ = true;
    current_ = 1;
    return true;
}

void FakePresentation::gotoSlide(int n)
{
    ++hub_.gotoCalls;
    if (!running_ || n < 1 || n > slides_)
        return;
    current_ = hub_.landOn ? hub_.landOn(n) : n;
}

std::optional<int> FakePresentation::currentShowPosition() const
{
    if (!running_)
        return std::nullopt;
    return current_;
}

void FakePresentation::quit()
{
    cancelOpening();
    hub_.log << QStringLiteral("quit ") + file_;
    running_ = false;
    slides_ = 0;
}
