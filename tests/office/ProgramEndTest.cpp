// However the program ends, no office instance of ours outlives it by more than a moment, and the
// next start finds nothing of it left: not in the temporary folder, not among the pipes, not in the
// data folder. The folders' names hold what file names and URLs find hard.
#include "CalcFiles.h"
#include "OfficeEnvironment.h"
#include "ProcessTraces.h"
#include "platform/office/OfficeLeftovers.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

namespace {

const QString kAwkwardName = QStringLiteral("名单 a#b%41c$HOME'q\"d");

struct Ending {
    int signalNumber;
    bool orderly; // the program turns the signal into its own orderly exit
    const char* name;
};

class ProgramEndTest : public ::testing::TestWithParam<Ending> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(base.isValid());
        ASSERT_FALSE(office::ensureRunning());
        ASSERT_TRUE(QDir().mkpath(data()));
        ASSERT_TRUE(QDir().mkpath(temporary()));
        const QString plain = scratch.filePath(QStringLiteral("name.xls"));
        office::files().write(
            plain, {nameSheet(CellValue::fromNumber(2),
                              {{CellValue::fromNumber(1), CellValue::fromText(QStringLiteral("张三"))},
                               {CellValue::fromNumber(2), CellValue::fromText(QStringLiteral("李四"))}})});
        ASSERT_TRUE(QFile::copy(plain, workbook()));
    }

    QString data() const { return base.filePath(kAwkwardName + QStringLiteral(" 数据")); }
    QString temporary() const { return base.filePath(kAwkwardName + QStringLiteral(" 临时")); }
    QString workbook() const { return QDir(data()).filePath(QStringLiteral("name.xls")); }

    QTemporaryDir base;
    QTemporaryDir scratch;
};

TEST_P(ProgramEndTest, NothingOfOursOutlivesTheProgramAndTheNextStartFindsNothingLeft)
{
    const Ending ending = GetParam();
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TMPDIR"), temporary());
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QStringList arguments{workbook()};
    if (ending.orderly)
        arguments << QStringLiteral("--orderly");
    program.start(QStringLiteral(VANTREL_OFFICE_OWNER_HELPER), arguments);
    ASSERT_TRUE(program.waitForStarted());
    QByteArray said;
    ASSERT_TRUE(office::waitFor([&] {
        said += program.readAllStandardOutput();
        return said.contains("saved") || program.state() == QProcess::NotRunning;
    })) << "the program never saved";
    ASSERT_TRUE(said.contains("saved")) << said.constData();

    const QString pid = QString::number(program.processId());
    const QStringList ours{QStringLiteral("vantrel-office-%1-").arg(pid),
                           QStringLiteral("vantrel-%1-").arg(pid)};
    const QList<qint64> offices = traces::processesWith(ours);
    ASSERT_FALSE(offices.isEmpty()) << "no office of the program found";
    const QStringList pipes = traces::socketFilesOf(offices);
    EXPECT_GE(pipes.size(), 2) << pipes.join(QLatin1Char(' ')).toStdString();
    // The office's profile and temporary files went where they were told, awkward name or not.
    const QStringList profiles = QDir(temporary()).entryList({ours.first() + QLatin1Char('*')}, QDir::Dirs);
    ASSERT_EQ(profiles.size(), 1);
    EXPECT_TRUE(QFileInfo::exists(QDir(temporary()).filePath(profiles.first() + QStringLiteral("/user"))));
    EXPECT_EQ(QDir(base.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 2);

    ASSERT_EQ(::kill(pid_t(program.processId()), ending.signalNumber), 0);
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_TRUE(office::waitFor([&] { return traces::processesWith(ours).isEmpty(); }, 3000))
        << "an office of ours outlived the program";

    auto leftInData = [&] {
        return QDir(data()).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    };
    auto leftInTemporary = [&] {
        return QDir(temporary())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    };
    auto pipesLeft = [&] {
        QStringList left;
        for (const QString& pipe : pipes) {
            if (QFileInfo::exists(pipe))
                left << pipe;
        }
        return left;
    };
    if (ending.orderly) {
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(leftInData(), QStringList{QStringLiteral("name.xls")});
        EXPECT_EQ(leftInTemporary(), QStringList{});
        EXPECT_EQ(pipesLeft(), QStringList{});
    }

    removeLeftoversOfDeadRuns(data(), temporary(), base.filePath(QStringLiteral("decks")));
    EXPECT_EQ(leftInData(), QStringList{QStringLiteral("name.xls")});
    EXPECT_EQ(leftInTemporary(), QStringList{});
    EXPECT_EQ(pipesLeft(), QStringList{});

    // The workbook holds the list as before, with the order of one save or another.
    LibreOfficeSpreadsheet& engine = office::engine();
    const OfficeError opened = engine.open(workbook(), QStringLiteral("sheet1"));
    ASSERT_FALSE(opened) << opened.detail.toStdString();
    EXPECT_EQ(cellText(engine.cell(3, 2)), "张三");
    EXPECT_EQ(cellText(engine.cell(4, 2)), "李四");
    EXPECT_EQ(engine.cell(3, 3).kind, CellValue::Kind::Number);
    engine.closeWorkbook();
}

INSTANTIATE_TEST_SUITE_P(Endings, ProgramEndTest,
                         ::testing::Values(Ending{SIGKILL, false, "Kill"}, Ending{SIGTERM, false, "Term"},
                                           Ending{SIGINT, false, "Int"}, Ending{SIGTERM, true, "OrderlyTerm"},
                                           Ending{SIGINT, true, "OrderlyInt"},
                                           Ending{SIGHUP, true, "OrderlyHup"}),
                         [](const ::testing::TestParamInfo<Ending>& ending) {
                             return std::string(ending.param.name);
                         });

} // namespace
