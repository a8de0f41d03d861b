#pragma once

// Maps the designed faces ("宋体", "Times New Roman") onto faces installed on this machine, so the
// Chinese texts and the digits render with the look they were designed for.
void installFontSubstitutes();
