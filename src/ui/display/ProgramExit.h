#pragma once

class Program;

// Ends the program for good: closes a running instruction show first, unloads every window in the
// order that lets each release what it holds (draws and their office instances before the main
// window), then ends the program with exit code 0. A missing or already closed window is skipped.
void shutDownProgram(Program& program);
