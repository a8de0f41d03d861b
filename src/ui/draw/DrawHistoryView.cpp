#include "ui/draw/DrawHistoryView.h"

#include "models/draw/FairWeights.h"
#include "models/draw/RoundSummary.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString personText(const namelist::Person& person)
{
    const QString number = person.number.trimmed();
    return (number.isEmpty() ? QString() : number + QLatin1Char(' ')) + person.name.trimmed();
}

QString peopleText(const QList<namelist::Person>& people)
{
    QStringList texts;
    for (const namelist::Person& person : people)
        texts << personText(person);
    return texts.join(QStringLiteral("、"));
}

} // namespace

DrawHistoryView::DrawHistoryView(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DrawHistoryView"));
    setWindowTitle(tr("抽签记录"));
    resize(640, 420);
    roundsBox_ = new QPlainTextEdit(this);
    roundsBox_->setObjectName(QStringLiteral("HistoryRounds"));
    roundsBox_->setReadOnly(true);
    roundsBox_->setAccessibleName(tr("抽签记录"));
    weightsTable_ = new QTableWidget(0, 3, this);
    weightsTable_->setObjectName(QStringLiteral("HistoryWeights"));
    weightsTable_->setHorizontalHeaderLabels({tr("抽签者"), tr("抽中次数"), tr("权重")});
    weightsTable_->verticalHeader()->hide();
    weightsTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    weightsTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    weightsTable_->setAccessibleName(tr("抽中次数和权重"));
    fairDrawBox_ = new QCheckBox(tr("少抽过的优先"), this);
    fairDrawBox_->setObjectName(QStringLiteral("FairDraw"));
    fairDrawBox_->setToolTip(tr("在这个名单以往的抽签中被抽中次数少的人，更容易被抽到"));
    exportButton_ = new QPushButton(tr("导出…"), this);
    exportButton_->setObjectName(QStringLiteral("HistoryExport"));
    auto* closeButton = new QPushButton(tr("关闭"), this);
    closeButton->setObjectName(QStringLiteral("HistoryClose"));

    auto* lists = new QHBoxLayout;
    lists->addWidget(roundsBox_, 3);
    lists->addWidget(weightsTable_, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(fairDrawBox_);
    buttons->addStretch();
    buttons->addWidget(exportButton_);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addLayout(buttons);

    connect(closeButton, &QPushButton::clicked, this, &QDialog::hide);
    connect(exportButton_, &QPushButton::clicked, this, &DrawHistoryView::exportRequested);
    connect(fairDrawBox_, &QCheckBox::toggled, this, [this](bool on) {
        showWeights();
        emit fairDrawToggled(on);
    });
}

void DrawHistoryView::showRounds(const QString& listName, const QList<RoundRecord>& rounds,
                                 const QList<namelist::Person>& people, bool fairDraw)
{
    rounds_ = rounds;
    people_ = people;
    setWindowTitle(tr("抽签记录 - %1").arg(listName));
    QStringList lines;
    if (rounds.isEmpty())
        lines << tr("这个名单还没有抽签记录。");
    for (const RoundRecord& round : rounds) {
        const RoundSummary summary = summarise(round);
        lines << round.startedAt.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
        for (int i = 0; i < summary.order.size(); ++i)
            lines << QStringLiteral("  %1. %2").arg(i + 1).arg(personText(summary.order.at(i)));
        if (!summary.absent.isEmpty())
            lines << tr("  缺席：%1").arg(peopleText(summary.absent));
        if (!summary.undone.isEmpty())
            lines << tr("  撤销：%1").arg(peopleText(summary.undone));
        lines << QString();
    }
    roundsBox_->setPlainText(lines.join(QLatin1Char('\n')));
    {
        const QSignalBlocker quiet(fairDrawBox_);
        fairDrawBox_->setChecked(fairDraw);
    }
    showWeights();
    QDialog::show();
    raise();
    activateWindow();
}

QString DrawHistoryView::roundsText() const
{
    return roundsBox_->toPlainText();
}

void DrawHistoryView::showWeights()
{
    const QHash<QString, int> counts = drawCounts(rounds_);
    const std::vector<double> weights = fairdraw::weights(people_, counts);
    const bool fair = fairDrawBox_->isChecked();
    weightsTable_->setRowCount(int(people_.size()));
    for (int i = 0; i < people_.size(); ++i) {
        const auto item = [](const QString& text) {
            auto* made = new QTableWidgetItem(text);
            made->setFlags(Qt::ItemIsEnabled);
            return made;
        };
        weightsTable_->setItem(i, 0, item(personText(people_.at(i))));
        weightsTable_->setItem(i, 1, item(QString::number(counts.value(personKey(people_.at(i))))));
        weightsTable_->setItem(
            i, 2, item(fair ? QString::number(weights.at(std::size_t(i))) : QStringLiteral("1")));
    }
}
