// The office engine behind a module loaded on first use, and what the teacher is told without it.
#include "platform/modules/ModuleSpreadsheet.h"

#include "support/FakeSpreadsheet.h"

#include <gtest/gtest.h>

namespace {

TEST(ModuleSpreadsheet, WithoutTheEngineEveryActionSaysLibreOfficeIsNeeded)
{
    int loads = 0;
    ModuleSpreadsheet spreadsheet([&loads]() -> std::unique_ptr<Spreadsheet> {
        ++loads;
        return nullptr;
    });
    OfficeError told;
    spreadsheet.start([&told](const OfficeError& result) { told = result; });
    EXPECT_EQ(told.code, OfficeError::Code::EngineUnavailable);
    EXPECT_TRUE(told.detail.contains(QStringLiteral("LibreOffice")));
    EXPECT_TRUE(told.detail.contains(QStringLiteral("安装")));
    EXPECT_EQ(spreadsheet.openForEditing(QStringLiteral("/tmp/name.xls")).code,
              OfficeError::Code::EngineUnavailable);
    EXPECT_EQ(spreadsheet.open(QStringLiteral("/tmp/name.xls"), QStringLiteral("sheet1")).code,
              OfficeError::Code::EngineUnavailable);
    OfficeError opened;
    spreadsheet.openInBackground(QStringLiteral("/tmp/name.xls"), QStringLiteral("sheet1"),
                                 [&opened](const OfficeError& result) { opened = result; });
    EXPECT_EQ(opened.code, OfficeError::Code::EngineUnavailable);
    EXPECT_FALSE(spreadsheet.isRunning());
    EXPECT_FALSE(spreadsheet.hasWorkbook());
    EXPECT_TRUE(spreadsheet.heldBy(QStringLiteral("/tmp/name.xls")).isEmpty());
    spreadsheet.quit();
    // Looked for once, not at every call.
    EXPECT_EQ(loads, 1);
}

TEST(ModuleSpreadsheet, EngineIsLoadedOnFirstUseAndServesEveryCall)
{
    FakeSpreadsheet* engine = nullptr;
    ModuleSpreadsheet spreadsheet([&engine]() -> std::unique_ptr<Spreadsheet> {
        auto created = std::make_unique<FakeSpreadsheet>();
        created->putWorkbook(QStringLiteral("/list.xls"),
                             FakeSpreadsheet::nameList(CellValue::fromNumber(1), {{"1", "李雷"}}));
        engine = created.get();
        return created;
    });
    EXPECT_FALSE(spreadsheet.isRunning());
    EXPECT_EQ(engine, nullptr);
    OfficeError told = OfficeError::of(OfficeError::Code::EngineStopped);
    spreadsheet.start([&told](const OfficeError& result) { told = result; });
    ASSERT_NE(engine, nullptr);
    EXPECT_FALSE(told);
    ASSERT_FALSE(spreadsheet.open(QStringLiteral("/list.xls"), QStringLiteral("SHEET1")));
    EXPECT_EQ(cellText(spreadsheet.cell(3, 2)), QStringLiteral("李雷"));
    EXPECT_FALSE(spreadsheet.setCell(3, 3, CellValue::fromNumber(1)));
    EXPECT_FALSE(spreadsheet.save());
    EXPECT_EQ(engine->savedCell(QStringLiteral("/list.xls"), 3, 3), CellValue::fromNumber(1));
    spreadsheet.quit();
    EXPECT_EQ(engine->quits, 1);
}

} // namespace
