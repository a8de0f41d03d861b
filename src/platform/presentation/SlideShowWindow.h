#pragma once

#include "platform/presentation/PageCache.h"

#include <QList>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <memory>

class QPdfDocument;

// Our full-screen slide show: one page of a PDF at a time, as large as the screen allows. Keys and
// clicks move through the slides as in a presentation program; Esc ends the show.
class SlideShowWindow : public QWidget {
    Q_OBJECT
public:
    // How long a page must stay before it is rendered sharp; rolling never waits for that.
    static constexpr int kSettleMs = 40;

    explicit SlideShowWindow(QPdfDocument& document, QWidget* parent = nullptr);
    ~SlideShowWindow() override;

    // Shows the window full screen on the screen it is on, at page 1.
    void start();

    // Ends the show without telling anyone: stops all work, hides and releases the window.
    void shutDown();

    // Keeps another window of ours above the show while it runs, even while the show has the focus: a
    // window manager puts a focused full-screen window above every "stay on top" window, but keeps
    // the window's own dependents (transients) above it.
    void keepAbove(QWidget* window);

    // 1-based; numbers outside the deck are ignored.
    void showPage(int page);
    int currentPage() const { return current_ + 1; }
    int pageCount() const;

    // Page changes that reached the screen (several requests between two paints count once).
    int paintedChanges() const { return paintedChanges_; }
    const PageCache* cache() const { return cache_.get(); }

signals:
    // The user ended the show (Esc, or the window was closed).
    void endRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void rebuildCache();
    void renderAhead();
    void sharpen();
    // Marks the window as a dependent of the show, or no longer (the show ends).
    void tieToShow(QWidget* window, bool tied);
    void releaseKeptWindows();

    QPdfDocument& document_;
    std::unique_ptr<PageCache> cache_;
    QSize cacheSize_;
    int current_ = 0;
    int lastPainted_ = -1;
    int paintedChanges_ = 0;
    bool ending_ = false;
    QTimer ahead_;
    QTimer settle_;
    QList<QPointer<QWidget>> keptAbove_;
};
