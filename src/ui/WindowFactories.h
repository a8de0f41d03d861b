#pragma once

#include "ui/WindowKind.h"

class Program;
class ProgramWindow;

// A new window of that kind, as the program builds it.
ProgramWindow* createWindow(WindowKind kind, Program& program);

// Tells the program which code builds each of its windows: every kind in the window list.
void registerWindows(Program& program);
