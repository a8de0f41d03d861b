#pragma once

#include "platform/SettingsStore.h"
#include "support/FakePresentation.h"
#include "support/FakeSound.h"
#include "support/FakeSpreadsheet.h"
#include "support/FakeWindowSystem.h"
#include "support/ScriptedDialogs.h"
#include "support/VirtualTimerDriver.h"
#include "ui/Program.h"

#include <QTemporaryDir>
#include <memory>

class MainWindow;

// The whole program on virtual time with a fake desktop, scripted message boxes and logged sound.
// start() loads the main window as the program does at start-up.
class TestProgram {
public:
    // The program uses the in-memory spreadsheet unless given another one (the real engine, say).
    explicit TestProgram(Spreadsheet* spreadsheetEngine = nullptr);
    ~TestProgram();

    MainWindow& start();
    MainWindow& main();

    // Lets virtual time pass; timers fire in order.
    void advance(qint64 ms) { timers.advance(ms); }
    // Runs deferred deletions and queued events.
    static void settle();

    // Sets or clears one edge flag of the main window's docking, the others as they are.
    void setDockedEdge(bool docking::Flags::*edge, bool docked)
    {
        docking::Flags flags = program->tracking().docked();
        flags.*edge = docked;
        program->tracking().setDocked(flags);
    }

    VirtualTimerDriver timers;
    ScriptedDialogs dialogs;
    FakeWindowSystem windows;
    FakeSoundFactory sounds;
    FakePresentations presentations;
    FakeSpreadsheet spreadsheet;
    // The settings file as the teacher or a school left it; set keys before start().
    InMemorySettings settings;
    // The draws' history, for this test only.
    InMemoryDrawHistory drawHistory;
    QTemporaryDir dataDir;
    bool onlyCopy = true;
    int quitCode = -1;
    std::unique_ptr<Program> program;
};
