#pragma once

// Makes the icons compiled into the program library available (a static library's resources are not
// registered on their own).
void initProgramResources();
