#include "support/FakePresentation.h"

#include <QFileInfo>

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
    hub_.log << QStringLiteral("quit ") + file_;
    running_ = false;
    slides_ = 0;
}
