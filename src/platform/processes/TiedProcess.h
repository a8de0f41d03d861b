#pragma once

class QProcess;

// Makes the process that QProcess starts next the leader of a process group of its own (so it can be
// ended with whatever it starts) and has the kernel kill it the moment this program ends, however it
// ends: exit, signal, kill -9 or crash. The kill comes when the thread that starts the process ends,
// so start it from one that lives as long as the program (the main thread).
void tieToThisProgram(QProcess& process);
