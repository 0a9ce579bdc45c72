#pragma once
// One short tone on the speaker; always returns normally.
void SpeakerBeep();
