#pragma once

#include "OfficeEnvironment.h"
#include "platform/Timer.h"
#include "support/FindControl.h"
#include "support/TestProgram.h"
#include "ui/draw/NameListDraw.h"

#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>
#include <string>

// The name-list draw's buttons pressed as the teacher presses them, with the real office behind.
namespace name_list_round {

// 开始: waits for the list to load; the round is on once the roll runs.
inline void start(TestProgram& t, NameListDraw* w)
{
    control<QPushButton>(w, "Command1")->click();
    ASSERT_TRUE(office::waitFor([&] { return !w->isLoading(); }));
    ASSERT_TRUE(control<Timer>(w, "Timer1")->isEnabled())
        << (t.dialogs.shown.isEmpty() ? std::string("no message")
                                      : t.dialogs.shown.last().text.toStdString());
}

// 下一位 where it is offered, then 抽签; returns the name shown.
inline QString drawOne(TestProgram& t, NameListDraw* w)
{
    if (control<QPushButton>(w, "CommandZb")->isEnabled())
        control<QPushButton>(w, "CommandZb")->click();
    t.advance(100);
    control<QPushButton>(w, "CommandQq")->click();
    return control<QLineEdit>(w, "Text2")->text();
}

} // namespace name_list_round
