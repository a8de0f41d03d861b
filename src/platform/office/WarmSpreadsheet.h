#pragma once

#include "platform/ForwardingSpreadsheet.h"

#include <QDateTime>
#include <QObject>
#include <memory>

class Timer;
class TimerDriver;

// Keeps our office instance warm around the name-list draw, so that a round starts at once instead
// of waiting seconds for the office to come up:
//  - prepare(): the teacher is on the way to the draw. The instance starts in the background and,
//    once up, opens the list in the background and holds it ("parked"): not yet anyone's workbook.
//  - The draw's own start() answers once the list is loaded (it waits for a load under way, or
//    starts one), so that its open() takes the parked list at once instead of loading it on the
//    user-interface thread. The parked list is handed over as opened, unless its file changed on
//    disk since, in which case it is opened afresh.
//  - quit() from the draw (its round saved, or the window left) closes the workbook but keeps the
//    instance; leave() says the teacher went elsewhere. Either way the instance ends after
//    kIdleEndMs unless the draw is prepared again.
//  - end(): the program ends; so does the instance, at once, abandoning a load under way.
// While a list loads, nothing here waits for it: what the draw closes meanwhile is closed as it lands.
// Everything else passes through to the engine.
class WarmSpreadsheet : public ForwardingSpreadsheet {
public:
    static constexpr int kIdleEndMs = 2 * 60 * 1000;

    WarmSpreadsheet(Spreadsheet& engine, TimerDriver& timers);
    ~WarmSpreadsheet() override;

    void prepare(const QString& path, const QString& sheetName);
    void leave();
    void end();

    // Whether a list is opened ahead and waits for the draw.
    bool hasParkedWorkbook() const { return parked_; }
    // Whether the list is loading in the background.
    bool isOpeningAhead() const { return openingAhead_; }
    // Whether the instance is kept for an idle end.
    bool isWaitingToEnd() const;

    void start(std::function<void(const OfficeError&)> ready) override;
    void cancelStart() override;
    OfficeError open(const QString& path, const QString& sheetName) override;
    // The draw's own loads go through open(), which takes a list opened ahead; only the loads ahead
    // run in the background.
    void openInBackground(const QString& path, const QString& sheetName,
                          std::function<void(const OfficeError&)> opened) override
    {
        Spreadsheet::openInBackground(path, sheetName, std::move(opened));
    }
    void finishOpening() override {}
    bool hasWorkbook() const override { return !isHeldAhead() && inner_.hasWorkbook(); }
    QString workbookPath() const override { return isHeldAhead() ? QString() : inner_.workbookPath(); }
    CellValue cell(int row, int column) override;
    QList<CellValue> columnDown(int column, int firstRow, int maxRows) override;
    OfficeError setCell(int row, int column, const CellValue& value) override;
    OfficeError save() override;
    OfficeError createWorkbook(const QString& sheetName) override;
    void closeWorkbook() override;
    void quit() override;
    OfficeError openForEditing(const QString& path) override;

private:
    struct FileStamp {
        qint64 size = -1;
        QDateTime modified;
        bool operator==(const FileStamp&) const = default;
    };
    static FileStamp stampOf(const QString& path);

    // A list opened ahead, loading or parked: nothing of the draw is in it yet.
    bool isHeldAhead() const { return parked_ || openingAhead_; }
    void startEngine();
    void onEngineStarted(const OfficeError& result);
    // Starts loading the prepared list in the background; false when it is not to be opened ahead.
    bool openAhead();
    void onOpenedAhead(const OfficeError& result);
    void answerReady(const OfficeError& result);
    void waitToEnd();
    void endNow();

    // Parents the idle timer.
    QObject owner_;
    Timer* idleEnd_;
    // Tells a load that lands after this decorator is gone that nobody waits for it.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    bool starting_ = false;
    // The draw has started a round with the instance and not quit it yet.
    bool inUse_ = false;
    std::function<void(const OfficeError&)> ready_;
    QString preparedPath_;
    QString preparedSheet_;
    bool parked_ = false;
    FileStamp parkedStamp_;

    bool openingAhead_ = false;
    // Which load an answer belongs to: one abandoned by a quit is not mistaken for a later one.
    int openAheadRound_ = 0;
    QString openingPath_;
    QString openingSheet_;
    FileStamp openingStamp_;
    // The draw closed the workbook while the list was loading: it is closed as it lands.
    bool closeWhenOpened_ = false;
};
