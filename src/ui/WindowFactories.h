#pragma once

class Program;

// Tells the program which code builds each of its windows.
void registerWindows(Program& program);
