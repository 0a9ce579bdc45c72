#include "SpeakerBeep.h"
#include "Speaker.h"

void SpeakerBeep()
{
    // The tone of the old busy-wait square wave depended on the processor;
    // a 1 kHz square wave of 150 periods sounds like it.
    SpeakerLayer().SquareWave(1000, 150);
}
