#pragma once

#include "CalcFiles.h"
#include "platform/office/LibreOfficeSpreadsheet.h"

// One real engine for a whole test program (a LibreOffice start costs a second or two), started on
// first use, restarted when a test ended it, and ended after the last test.
namespace office {

LibreOfficeSpreadsheet& engine();
// Starts the engine unless it runs, letting events run until it is ready; the error otherwise.
OfficeError ensureRunning();
// A second connection to the engine's office, for fixtures and read-backs.
CalcFiles& files();

// Lets events run until the condition holds or the time is over.
bool waitFor(const std::function<bool()>& condition, int timeoutMs = 90000);

} // namespace office
