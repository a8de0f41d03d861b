#pragma once

#include "platform/CatalogueText.h"
#include "platform/ProgramNoticeTitle.h"

#include <QString>
#include <cstdint>

// The number in an entry box: blanks trimmed, the leading decimal digits read, 0 when there are none.
// Values beyond 16 bits saturate instead of wrapping.
int16_t readBox(const QString& text);

enum class StartCheck {
    Accepted,
    TooShort,        // total below 20 seconds
    ReminderTooLate, // total less than 10 seconds above the reminder
};

StartCheck checkStart(int totalMinutes, int totalSeconds, int reminderMinutes, int reminderSeconds);

// Seconds boxes take 0 to 59; the minutes boxes are only limited by their two characters.
bool secondsAcceptable(const QString& text);

// Texts of the entry messages, titled as given.
namespace EntryMessages {
inline const CatalogueText kTooShortTitle{"TimeEntry", QT_TRANSLATE_NOOP("TimeEntry", "Vantrel工具")};
inline const CatalogueText kTooShort{
    "TimeEntry", QT_TRANSLATE_NOOP("TimeEntry", "请输入定时时间，定时时间至少需大于20秒")};
inline const CatalogueText& kReminderTitle = kProgramNoticeTitle;
inline const CatalogueText kReminderTooLate{
    "TimeEntry", QT_TRANSLATE_NOOP("TimeEntry", "“定时时间”需大于“提前提醒时间”至少10秒，请重新输入")};
inline const CatalogueText& kSecondsTitle = kProgramNoticeTitle;
inline const CatalogueText kSecondsRange{
    "TimeEntry",
    QT_TRANSLATE_NOOP(
        "TimeEntry",
        "“分”钟值范围：0-99，“秒”钟值范围：1-59，点击“确定”后请在光标指示位置输入一个0-59的数字!")};
} // namespace EntryMessages
