#pragma once
// The speaker: a square-wave tone through the sound output, the desktop bell
// where there is none. Never fails.

class ISpeaker {
public:
    virtual ~ISpeaker() = default;
    virtual void SquareWave(int FrequencyHz, int Periods) = 0;
};

ISpeaker& SpeakerLayer();
// Tests put a recording speaker in place; nullptr restores the real one.
void SetSpeakerLayer(ISpeaker* Speaker);
