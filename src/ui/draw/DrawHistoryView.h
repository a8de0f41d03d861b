#pragma once

#include "models/draw/NameListOrder.h"
#include "platform/DrawHistory.h"

#include <QDialog>
#include <functional>
#include <vector>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

// "抽签记录": the rounds of the list being drawn, the newest first, each with its order, the absent
// and the draws taken back; how often each person was drawn and their weight when "少抽过的优先" is
// on; and the export of it all. Names are shown as plain text.
class DrawHistoryView : public QDialog {
    Q_OBJECT
public:
    explicit DrawHistoryView(QWidget* parent);

    // Shows these rounds of the list (its name for the heading) and the people of the list as last read.
    void showRounds(const QString& listName, const QList<RoundRecord>& rounds,
                    const QList<namelist::Person>& people, bool fairDraw);

    QString roundsText() const;

signals:
    void fairDrawToggled(bool on);
    void exportRequested();

private:
    void showWeights();

    QPlainTextEdit* roundsBox_ = nullptr;
    QTableWidget* weightsTable_ = nullptr;
    QCheckBox* fairDrawBox_ = nullptr;
    QPushButton* exportButton_ = nullptr;
    QList<RoundRecord> rounds_;
    QList<namelist::Person> people_;
};
