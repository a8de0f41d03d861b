// The sound cues as a module: the sound server's client, loaded after the main window
// is shown.
#include "platform/modules/ModuleEntry.h"
#include "platform/sound/PulseSoundDevice.h"

VANTREL_MODULE_INTERFACE_VERSION

extern "C" Q_DECL_EXPORT SoundDeviceFactory* vantrel_create_sound_factory(const QStringList& cueFolders)
{
    return new PulseSoundDeviceFactory(cueFolders);
}
