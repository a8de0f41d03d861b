#pragma once

#include <QString>
#include <array>

// The program's windows. Each keeps the object name of its design (Form1 ... Form7), by which tests
// and tools find it.
enum class WindowKind {
    Main,              // Form1: the countdown, presets and the buttons to everything else
    DrawLauncher,      // Form2: chooses a draw and takes the participant count
    ToolStrip,         // Form3: the compact strip over a running show
    NameListDraw,      // Form4: names drawn from the user's workbook
    SlideDraw,         // Form5: random slides of a deck
    EnlargedCountdown, // Form6: the screen-wide countdown
    SequenceDraw,      // Form7: sequence numbers 1..N
};

// Every window of the program, in the order they are unloaded at the end: the draws and their office
// instances before the windows that opened them, the main window last. A new window is added here
// and given its object name below and its factory in WindowFactories.cpp.
inline constexpr std::array kWindowsInUnloadOrder = {
    WindowKind::SlideDraw, WindowKind::EnlargedCountdown, WindowKind::SequenceDraw, WindowKind::NameListDraw,
    WindowKind::ToolStrip, WindowKind::DrawLauncher,      WindowKind::Main,
};

QString windowObjectName(WindowKind kind);
// The window's role ("main", "tool-strip" ...), by which the user's settings name what they keep of it.
QString windowRoleName(WindowKind kind);
