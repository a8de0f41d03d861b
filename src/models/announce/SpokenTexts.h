#pragma once

#include <QString>

// What a screen reader says for the count and the draws: words, not the digits and colons the
// windows show ("04 : 12" is read as "zero four colon one two").

// The count, for the teacher who moves to it: "剩余 4 分 12 秒", "剩余 30 秒".
QString spokenRemaining(int minutes, int seconds);

// The reminder: "还剩 1 分钟", "还剩 1 分 30 秒", "还剩 30 秒".
QString spokenReminder(int minutes, int seconds);

// The time-up: "时间到".
QString spokenTimeUp();

// A number or a name just drawn: "抽中 7", "抽中 张三"; the last of a round says so: "抽中 7，本轮抽签结束".
QString spokenDraw(const QString& drawn, bool roundOver);
