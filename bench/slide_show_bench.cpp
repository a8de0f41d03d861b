// How fast our own slide show is, for a deck of 200 slides:
//  - first slide on screen for a deck met for the first time (converted by LibreOffice) and for the
//    same deck again (taken from the cache);
//  - slide changes that reach the screen per second while rolling at the slide draw's 6 ms pace,
//    with ready pages swapped in, against rendering each page when it is asked for.
// Run under an X server (xvfb-run) for figures close to a real screen:
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/release/bench/bench_slide_show
#include "platform/office/DeckConverter.h"
#include "platform/presentation/BuiltInPresentation.h"
#include "platform/presentation/PageCache.h"
#include "platform/presentation/SlideShowWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QPdfDocument>
#include <QProcess>
#include <QRandomGenerator>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <cstdio>

namespace {

constexpr int kSlides = 200;
constexpr int kRollMs = 3000;

QString flatOdp(int slides)
{
    // Each slide carries a picture of some fifty shapes and some text, so that rendering a page
    // costs about what a slide with a photo or a drawing costs.
    QString picture;
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 8; ++column) {
            picture += QStringLiteral("<draw:ellipse draw:style-name=\"g%1\" svg:x=\"%2cm\" svg:y=\"%3cm\" "
                                      "svg:width=\"2.6cm\" svg:height=\"1.8cm\"/>")
                           .arg((row + column) % 6)
                           .arg(0.6 + column * 3.4)
                           .arg(0.6 + row * 2.0);
        }
    }
    QString pages;
    for (int i = 1; i <= slides; ++i) {
        pages += QStringLiteral("<draw:page draw:name=\"p%1\" draw:style-name=\"dp%2\" draw:master-page-name=\"D\">"
                                "%3<draw:frame svg:x=\"2cm\" svg:y=\"12.5cm\" svg:width=\"24cm\" "
                                "svg:height=\"3cm\"><draw:text-box><text:p>Slide %1</text:p></draw:text-box>"
                                "</draw:frame></draw:page>\n")
                     .arg(i)
                     .arg(i % 6)
                     .arg(picture);
    }
    QString styles;
    for (int k = 0; k < 6; ++k) {
        const QString colour = QColor::fromHsv(k * 60, 180, 220).name();
        styles += QStringLiteral("<style:style style:name=\"dp%1\" style:family=\"drawing-page\">"
                                 "<style:drawing-page-properties draw:fill=\"solid\" draw:fill-color=\"#ffffff\"/>"
                                 "</style:style><style:style style:name=\"g%1\" style:family=\"graphic\">"
                                 "<style:graphic-properties draw:fill=\"solid\" draw:fill-color=\"%2\"/></style:style>")
                      .arg(k)
                      .arg(colour);
    }
    return QStringLiteral(
               R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0" xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0" xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" xmlns:presentation="urn:oasis:names:tc:opendocument:xmlns:presentation:1.0" office:version="1.3" office:mimetype="application/vnd.oasis.opendocument.presentation">
<office:automatic-styles><style:page-layout style:name="PM"><style:page-layout-properties fo:page-width="28cm" fo:page-height="15.75cm"/></style:page-layout>%1</office:automatic-styles>
<office:master-styles><style:master-page style:name="D" style:page-layout-name="PM"/></office:master-styles>
<office:body><office:presentation>%2</office:presentation></office:body></office:document>
)")
        .arg(styles, pages);
}

// A 200-slide .ppt made by the office from a flat ODF text.
QString makeDeck(const QTemporaryDir& dir)
{
    const QString source = dir.filePath(QStringLiteral("deck200.fodp"));
    QFile file(source);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(flatOdp(kSlides).toUtf8());
    file.close();
    const QString profile = QUrl::fromLocalFile(dir.filePath(QStringLiteral("profile"))).toString();
    const QString deck = dir.filePath(QStringLiteral("deck200.ppt"));
    for (int attempt = 0; attempt < 2 && !QFile::exists(deck); ++attempt) {
        QProcess office;
        office.setProcessChannelMode(QProcess::MergedChannels);
        office.start(DeckConverter::findOffice(),
                     {QStringLiteral("-env:UserInstallation=") + profile, QStringLiteral("--headless"),
                      QStringLiteral("--convert-to"), QStringLiteral("ppt"), QStringLiteral("--outdir"), dir.path(),
                      source});
        office.waitForFinished(300000);
    }
    return QFile::exists(deck) ? deck : QString();
}

// Opens the deck and runs its show until the first slide has been painted; milliseconds taken.
double firstSlideMs(const QString& deck, const QString& cache, bool* fromCache)
{
    QElapsedTimer clock;
    clock.start();
    BuiltInPresentation presentation{DeckConverter(cache)};
    if (!presentation.open(deck) || !presentation.runShow())
        return -1;
    while (presentation.showWindow()->paintedChanges() < 1)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    *fromCache = presentation.openedFromCache();
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    presentation.quit();
    QCoreApplication::processEvents();
    return ms;
}

// Rolls the show at a 6 ms pace for a while; slide changes painted per second.
double rollingChangesPerSecond(SlideShowWindow& show)
{
    const int before = show.paintedChanges();
    QTimer roll;
    roll.setTimerType(Qt::PreciseTimer);
    QObject::connect(&roll, &QTimer::timeout, &show,
                     [&show] { show.showPage(1 + QRandomGenerator::global()->bounded(show.pageCount())); });
    roll.start(6);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < kRollMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    roll.stop();
    return (show.paintedChanges() - before) * 1000.0 / double(clock.elapsed());
}

// The same pace, but every change renders its page first, as a show without ready pages must.
class RenderEachTime : public QWidget {
public:
    explicit RenderEachTime(QPdfDocument& document) : document_(document) {}
    void showPage(int page)
    {
        page_ = page;
        update();
    }
    int painted = 0;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        const QRect place = fitPage(document_.pagePointSize(page_), size() * devicePixelRatioF());
        painter.drawImage(QRectF(QPointF(place.topLeft()) / devicePixelRatioF(),
                                 QSizeF(place.size()) / devicePixelRatioF()),
                          document_.render(page_, place.size()));
        ++painted;
    }

private:
    QPdfDocument& document_;
    int page_ = 0;
};

double renderEachTimeChangesPerSecond(QPdfDocument& document, const QRect& screen)
{
    RenderEachTime widget(document);
    widget.setGeometry(screen);
    widget.showFullScreen();
    QCoreApplication::processEvents();
    const int before = widget.painted;
    QTimer roll;
    roll.setTimerType(Qt::PreciseTimer);
    QObject::connect(&roll, &QTimer::timeout, &widget,
                     [&] { widget.showPage(QRandomGenerator::global()->bounded(document.pageCount())); });
    roll.start(6);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < kRollMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    roll.stop();
    return (widget.painted - before) * 1000.0 / double(clock.elapsed());
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (DeckConverter::findOffice().isEmpty()) {
        std::printf("LibreOffice is not installed\n");
        return 1;
    }
    QTemporaryDir dir;
    const QString deck = makeDeck(dir);
    if (deck.isEmpty()) {
        std::printf("could not make the 200-slide deck\n");
        return 1;
    }
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    std::printf("screen %dx%d, deck of %d slides\n", screen.width(), screen.height(), kSlides);

    const QString cache = dir.filePath(QStringLiteral("cache"));
    bool fromCache = false;
    const double uncached = firstSlideMs(deck, cache, &fromCache);
    std::printf("first slide, deck not yet converted: %8.0f ms (from cache: %s)\n", uncached,
                fromCache ? "yes" : "no");
    const double cached = firstSlideMs(deck, cache, &fromCache);
    std::printf("first slide, deck in the cache:      %8.0f ms (from cache: %s)  goal <= 1000 ms\n", cached,
                fromCache ? "yes" : "no");

    BuiltInPresentation presentation{DeckConverter(cache)};
    if (!presentation.open(deck) || !presentation.runShow())
        return 1;
    SlideShowWindow& show = *presentation.showWindow();
    QElapsedTimer ready;
    ready.start();
    while (show.cache()->previewsReady() < show.pageCount())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    std::printf("all %d previews ready after:        %8.0f ms (preview scale %.2f)\n", show.pageCount(),
                double(ready.elapsed()), show.cache()->previewScale());

    const double swapped = rollingChangesPerSecond(show);
    presentation.quit();
    QPdfDocument document;
    document.load(DeckConverter(cache).toPdf(deck).path);
    const double rendered = renderEachTimeChangesPerSecond(document, screen);
    std::printf("rolling, ready pages swapped:        %8.1f changes/s  goal >= 60\n", swapped);
    std::printf("rolling, each page rendered anew:    %8.1f changes/s\n", rendered);
    std::printf("ratio swapped / rendered:            %8.1f x\n", rendered > 0 ? swapped / rendered : 0.0);
    return 0;
}
