#pragma once

#include "platform/Timer.h"
#include "support/FindControl.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <array>
#include <initializer_list>

// The main window's controls by role, for every test that drives it: found by their object names, as
// the accessibility tree and the other windows find them.
struct MainWindowControls {
    explicit MainWindowControls(QWidget& window) : w(window) {}

    template <class T> T* find(const char* name) const { return control<T>(&w, name); }

    QLineEdit* totalMinutes() const { return find<QLineEdit>("Text1"); }
    QLineEdit* totalSeconds() const { return find<QLineEdit>("Text4"); }
    QLineEdit* reminderMinutes() const { return find<QLineEdit>("Text2"); }
    QLineEdit* reminderSeconds() const { return find<QLineEdit>("Text5"); }

    QPushButton* startButton() const { return find<QPushButton>("Command1"); }
    QPushButton* pauseButton() const { return find<QPushButton>("Command2"); }
    QPushButton* stopButton() const { return find<QPushButton>("Command3"); }
    QPushButton* foldButton() const { return find<QPushButton>("Command4"); }
    QPushButton* drawButton() const { return find<QPushButton>("Command5"); }
    QPushButton* helpButton() const { return find<QPushButton>("Command6"); }
    QPushButton* exitButton() const { return find<QPushButton>("Command7"); }

    QRadioButton* preset(int index) const
    {
        static const std::array<const char*, 3> names{"Option1", "Option2", "Option3"};
        return find<QRadioButton>(names.at(index));
    }

    QLabel* countLabel() const { return find<QLabel>("Label3"); }
    QLabel* timeUpLabel() const { return find<QLabel>("Label5"); }
    QLabel* reminderLabel() const { return find<QLabel>("Label6"); }
    QLabel* presetNameLabel() const { return find<QLabel>("Label8"); }
    QLabel* runStateLabel() const { return find<QLabel>("Label18"); }
    QLabel* summaryLabel() const { return find<QLabel>("Label31"); }

    Timer* trackingTimer() const { return find<Timer>("Timer2"); }
    Timer* slideTimer() const { return find<Timer>("Timer3"); }
    Timer* reminderBlinkTimer() const { return find<Timer>("Timer4"); }
    Timer* pauseBlinkTimer() const { return find<Timer>("Timer5"); }

    // The boxes and captions of the time entry, shown while the countdown stands still.
    bool entryRowVisible() const
    {
        for (const char* name : {"Text1", "Text2", "Text4", "Text5", "Label1", "Label2", "Label22", "Label28",
                                 "Label29", "Label30"})
            if (!find<QWidget>(name)->isVisible())
                return false;
        return true;
    }

    QWidget& w;
};
