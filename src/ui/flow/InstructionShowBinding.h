#pragma once

class Program;

// Brings the windows back around the program's instruction show: over a started show the main window
// returns at its help height with its tracking on; after a close the taskbar and the main window do.
void bindInstructionShow(Program& program);
