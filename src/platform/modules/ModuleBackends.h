#pragma once

#include "platform/Presentation.h"
#include "platform/SoundDevice.h"
#include "platform/Spreadsheet.h"

#include <QStringList>
#include <memory>

class ModuleLibrary;

// The back-ends that live in modules, created through their entry points. Each loads its module on
// the first call (the caller keeps the ModuleLibrary for as long as the objects live) and returns
// nullptr when the module cannot be loaded.
namespace modules {

std::unique_ptr<Spreadsheet> createSpreadsheet(ModuleLibrary& module);
std::unique_ptr<Presentation> createPresentation(ModuleLibrary& module);
// Safe to call from any thread.
std::unique_ptr<SoundDeviceFactory> createSoundFactory(ModuleLibrary& module, const QStringList& cueFolders);

} // namespace modules
