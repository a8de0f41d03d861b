#include "platform/SoundDevice.h"

void playCue(SoundDevice& device)
{
    device.close();
    device.open();
    device.play();
}
