#pragma once

#include "platform/Spreadsheet.h"
#include "platform/files/FileStamp.h"

#include <QObject>
#include <memory>

class OfficeProcess;
struct LoadedWorkbook;

// The spreadsheet program on Linux: LibreOffice Calc in a background instance of our own, reached over
// UNO through a private pipe. Started on first use; the workbook is loaded hidden with the filter of
// its format (the format of its name, else the one the office finds in its content), so a file that
// is not such a workbook is refused rather than read as an empty sheet. The lock the instance keeps
// beside the workbook names Vantrel, so the teacher's own office says who holds the list.
class LibreOfficeSpreadsheet : public QObject, public Spreadsheet {
    Q_OBJECT
public:
    explicit LibreOfficeSpreadsheet(QObject* parent = nullptr);
    ~LibreOfficeSpreadsheet() override;

    void start(std::function<void(const OfficeError&)> ready) override;
    void cancelStart() override;
    bool isRunning() const override;

    OfficeError open(const QString& path, const QString& sheetName) override;
    void openInBackground(const QString& path, const QString& sheetName,
                          std::function<void(const OfficeError&)> opened) override;
    void finishOpening() override;
    bool hasWorkbook() const override;
    QString workbookPath() const override;
    CellValue cell(int row, int column) override;
    QList<CellValue> columnDown(int column, int firstRow, int maxRows) override;
    OfficeError setCell(int row, int column, const CellValue& value) override;
    OfficeError save() override;
    OfficeError createWorkbook(const QString& sheetName) override;
    OfficeError saveAs(const QString& path) override;
    void closeWorkbook() override;
    void quit() override;

    QString heldBy(const QString& path) override;
    OfficeError openForEditing(const QString& path) override;

    // Our instance's process, while it runs (tests end it the hard way to see what survives).
    OfficeProcess* process() const { return process_.get(); }

    // The import and export filter for a workbook file, by its extension; empty for other files.
    static QString filterFor(const QString& path);

    // How long to wait for a starting instance before giving up.
    static constexpr int kStartTimeoutMs = 60000;

private:
    struct Uno;
    struct Opening;
    void connectInBackground();
    void finishStart(const OfficeError& result);
    void engineEnded();
    void retire(std::unique_ptr<OfficeProcess> process);
    // What open() can tell without loading: no instance, no such file, not a workbook, held by another.
    OfficeError checkBeforeLoading(const QString& path);
    // Makes a loaded workbook the open one, or tells why there is none; stamp: the file as it was read.
    OfficeError take(LoadedWorkbook loaded, const QString& path, const FileStamp& stamp);
    // Ends a load under way for quit(): taken as usual when it is done, otherwise given up with the
    // instance (a load only reads the file), leaving no lock of ours behind. Its callback is forgotten.
    void abandonOpening();
    void removeOwnLock(const QString& path);
    // Puts the stored workbook (at storedPath) in the place of the list: renamed over it, or written
    // into it where a new file would lose its owner or split its hard links.
    OfficeError replaceList(const QString& storedPath, const QString& listPath, qint64 oldSize);

    std::unique_ptr<Uno> uno_;
    std::unique_ptr<OfficeProcess> process_;
    std::function<void(const OfficeError&)> ready_;
    QString path_;
    QString filter_;
    FileStamp stamp_;
};
