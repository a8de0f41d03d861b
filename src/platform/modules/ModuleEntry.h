#pragma once

// The entry points of the back-end modules: each heavy back-end (the office engine, the slide show on
// Qt PDF, the sound cues on PulseAudio) is a shared library of its own that the program loads when
// it first needs it, so that starting the program pays for the main window alone.
//
// A module exports one C function that creates its back-end, plus its interface version: a module
// left behind by an older installation is refused rather than called with the wrong layout.

#include <QStringList>

class Presentation;
class SoundDeviceFactory;
class Spreadsheet;

namespace modules {

// Raised whenever an interface behind a module (Spreadsheet, Presentation, SoundDevice) changes.
constexpr int kInterfaceVersion = 2;

inline constexpr char kVersionSymbol[] = "vantrel_module_interface_version";
inline constexpr char kSpreadsheetSymbol[] = "vantrel_create_spreadsheet";
inline constexpr char kPresentationSymbol[] = "vantrel_create_presentation";
inline constexpr char kSoundSymbol[] = "vantrel_create_sound_factory";

using VersionFunction = int (*)();
// The caller owns what these return.
using SpreadsheetFunction = Spreadsheet* (*)();
using PresentationFunction = Presentation* (*)();
using SoundFunction = SoundDeviceFactory* (*)(const QStringList& cueFolders);

// The modules' file names, without the folder.
inline constexpr char kOfficeModule[] = "vantrel-office.so";
inline constexpr char kSlidesModule[] = "vantrel-slides.so";
inline constexpr char kSoundModule[] = "vantrel-sound.so";

} // namespace modules

#define VANTREL_MODULE_INTERFACE_VERSION                                                                     \
    extern "C" Q_DECL_EXPORT int vantrel_module_interface_version()                                          \
    {                                                                                                        \
        return modules::kInterfaceVersion;                                                                   \
    }
