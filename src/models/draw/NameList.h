#pragma once

#include "models/draw/DrawPot.h"
#include "models/draw/NameListOrder.h"
#include "platform/files/WriteProtection.h"

#include <QList>
#include <QString>
#include <functional>

class Spreadsheet;

// The participants of the name-list workbook, read through our own office instance, and the draw
// order written back into column C of it. A round keeps the workbook open in our instance with the
// order written but not yet saved; the round's end saves it and ends the instance.
class NameList {
public:
    // One row of the list that takes part, its cells as they read: not trimmed, the number possibly
    // empty, the name never.
    struct Entry {
        QString number;
        QString name;
        int row = 0;
    };

    // What went wrong, with the text that tells the user.
    struct Problem {
        enum class Kind {
            None,
            CannotOpen,         // no office, no file, held elsewhere, not a workbook, a bad A1, no names ...
            NotSaved,           // the round's order did not reach the file
            NotWritten,         // the office stopped mid-round: the rest of the round is not recorded
            StillOpenElsewhere, // the user's own office still has the list open
            // Someone saved the list during the round: the text asks whether the round's order goes
            // into the list as it now is (writeOrderIntoChangedList) or beside it (keepOrderAside).
            ListChanged,
            OrderKeptAside, // the round's order is in a file beside the list, not in the list
        };
        Kind kind = Kind::None;
        QString text;

        explicit operator bool() const { return kind != Kind::None; }
    };

    enum class State {
        Closed,  // nothing of ours holds the list
        Opening, // waiting for our instance to come up
        Open,    // read for a round; the order goes into the workbook held open
    };

    // At most as many rows take part as a round can draw, whatever A1 says.
    static constexpr int kMaxEntries = DrawPot::kMaxEntries;
    // How far below the rows taking part the sheet is looked at, to tell of names left out.
    static constexpr int kMaxRowsLookedBelow = 65536;

    // Without an engine every read is a problem that says this build has no office.
    NameList(Spreadsheet* engine, QString folder);
    ~NameList();
    NameList(const NameList&) = delete;
    NameList& operator=(const NameList&) = delete;

    State state() const { return state_; }
    bool isOpening() const { return state_ == State::Opening; }
    bool isOpen() const { return state_ == State::Open; }

    // The list file as the last read found it.
    const QString& path() const { return path_; }
    // Draws from that file from the next read on; empty: the folder's own list (name.xls).
    void setChosenFile(const QString& path) { chosen_ = path; }
    // The file the next read takes.
    QString fileToRead() const;

    // Saves and ends what an earlier round left open in our instance; nothing when nothing is open.
    Problem finishEarlierRound();

    // Reads the list afresh for a round: the rows A1 counts (at most 200) that hold a name, each with
    // its number, and column C of those rows cleared. What can be told without the office (no office,
    // no file, the list open in another program) is told at once, before this returns; otherwise done
    // is called once our instance is up and the list read. A problem ends our instance. Reading closes
    // a workbook still open in our instance unsaved: finish an earlier round first.
    void open(std::function<void(const Problem&)> done);
    // Forgets a read still waiting for our instance.
    void cancelOpening();

    // The entries of the last read that succeeded; numbered from 1.
    int count() const { return int(entries_.size()); }
    const Entry& entry(int number) const { return entries_.at(number - 1); }

    // What the teacher should be asked before drawing from the list just read: A1 and the rows do not
    // add up (and which rows the draw then takes), or the file is write-protected. Empty when the
    // list is as it should be.
    const QString& caveat() const { return caveat_; }
    // A write-protected list is drawn from but never written: no order, no save, the file as it was.
    bool isWriteProtected() const { return protection_ != WriteProtection::None; }
    // Ends our instance without saving (the teacher chose not to draw from the list as read).
    void close();

    // Writes the entry's draw order into column C. The first write that fails is reported; the rest
    // of the round is then neither written nor saved, so the file keeps what it had.
    Problem recordOrder(int entry, int order);
    // Takes back what recordOrder wrote for the entry (a draw undone, or the person absent): the cell
    // is empty again, as the round's read left it.
    Problem clearOrder(int entry);
    // Whether a write of this round failed.
    bool isOrderLost() const { return orderLost_; }

    // Saves the round's order into the file (unless a write failed) and ends our instance. A list that
    // someone saved during the round is never written over: the round's order is then kept aside at
    // once when their office still has the list open, and otherwise ListChanged asks what to do.
    Problem saveAndEnd();
    // After ListChanged: reads the list as it now is, writes the round's order into the rows of the
    // people drawn (found by number and name), saves it and ends our instance. Whoever cannot be
    // found, or a list that cannot be read or saved, has the whole order kept aside as well.
    Problem writeOrderIntoChangedList();
    // After ListChanged: leaves the list as it now is and writes the round's order into a file beside
    // it (orderFilePath); ends our instance.
    Problem keepOrderAside();
    // Where keepOrderAside puts the order.
    const QString& orderFilePath() const { return orderFile_; }
    // As saveAndEnd, when a round is open or our instance still runs; otherwise nothing.
    Problem release();

    // Opens the list in the user's own spreadsheet program for editing.
    Problem editElsewhere();
    // The user's own office still holds the list (after editing it there).
    Problem stillOpenElsewhere();

private:
    Problem readOpened();
    Problem fail(const QString& text);
    int namesBelow(int row);
    Problem listChanged();
    Problem keepOrderAside(const QString& reason);
    QList<namelist::Draw> draws() const;

    Spreadsheet* engine_;
    QString folder_;
    QString chosen_;
    QString path_;
    QList<Entry> entries_;
    // The order each entry got in this round; 0 while not drawn.
    QList<int> orders_;
    // The round's order waits for the teacher's answer about a list that changed on disk.
    bool orderWaiting_ = false;
    QString orderFile_;
    QString caveat_;
    WriteProtection protection_ = WriteProtection::None;
    State state_ = State::Closed;
    bool orderLost_ = false;
};
