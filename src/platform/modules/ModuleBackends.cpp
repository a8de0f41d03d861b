#include "platform/modules/ModuleBackends.h"

#include "platform/Spreadsheet.h"
#include "platform/modules/ModuleEntry.h"
#include "platform/modules/ModuleLibrary.h"

namespace modules {

std::unique_ptr<Spreadsheet> createSpreadsheet(ModuleLibrary& module)
{
    const auto create = reinterpret_cast<SpreadsheetFunction>(module.resolve(kSpreadsheetSymbol));
    return std::unique_ptr<Spreadsheet>(create ? create() : nullptr);
}

std::unique_ptr<Presentation> createPresentation(ModuleLibrary& module)
{
    const auto create = reinterpret_cast<PresentationFunction>(module.resolve(kPresentationSymbol));
    return std::unique_ptr<Presentation>(create ? create() : nullptr);
}

std::unique_ptr<SoundDeviceFactory> createSoundFactory(ModuleLibrary& module, const QStringList& cueFolders)
{
    const auto create = reinterpret_cast<SoundFunction>(module.resolve(kSoundSymbol));
    return std::unique_ptr<SoundDeviceFactory>(create ? create(cueFolders) : nullptr);
}

} // namespace modules
