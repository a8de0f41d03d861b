#pragma once

#include "platform/sound/WavFile.h"

// The cue's samples at a share of their loudness (0 to 100 per cent), in the same format. The sound
// server's own volume belongs to the user's whole desktop; the program's volume is its cues' own.
PcmSound withVolume(const PcmSound& sound, int percent);
