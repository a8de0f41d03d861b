#pragma once

class ProgramWindow;

// Ctrl+加号 (Ctrl++ or Ctrl+=) and Ctrl+减号 zoom the window's kind one step in or out, Ctrl+0 back to
// as designed, while any window of the program has the keyboard.
void attachZoomKeys(ProgramWindow* window);
