#pragma once

#include "platform/Presentation.h"
#include "platform/office/DeckConverter.h"

#include <QPointer>
#include <memory>

class QPdfDocument;
class SlideShowWindow;

// Decks shown by the program itself: converted to PDF once (DeckConverter) and shown full screen
// by a SlideShowWindow.
class BuiltInPresentation : public Presentation {
    Q_OBJECT
public:
    explicit BuiltInPresentation(DeckConverter converter = DeckConverter());
    ~BuiltInPresentation() override;

    bool open(const QString& path) override;
    QString errorText() const override { return error_; }
    bool deckIsAtFault() const override { return deckAtFault_; }
    void openInBackground(const QString& path) override;
    void cancelOpening() override;
    bool isOpening() const override { return converter_.isBusy(); }
    bool runShow() override;
    void focusShow() override;
    void keepAboveShow(QWidget* window) override;
    bool isShowRunning() const override;
    int slideCount() const override;
    void gotoSlide(int n) override;
    std::optional<int> currentShowPosition() const override;
    void quit() override;

    SlideShowWindow* showWindow() const;
    // Whether the last open() found the deck already converted.
    bool openedFromCache() const { return fromCache_; }

private:
    bool loadPdf(const QString& pdfPath);
    // The background opening's last step; a damaged cached PDF is converted once more.
    void finishOpening(const QString& path, const DeckPdf& pdf, bool mayConvertAgain);
    void endShow();

    DeckConverter converter_;
    std::unique_ptr<QPdfDocument> document_;
    QPointer<SlideShowWindow> window_;
    QString error_;
    bool deckAtFault_ = true;
    bool opened_ = false;
    bool fromCache_ = false;
};
