#pragma once

#include "platform/systemmixer.h"

#include <QList>

// A system mixer for tests: says whether it is there and records every value it would send.
class FakeSystemMixer final : public SystemMixer {
public:
    // Whether open() finds a mixer, whether that has a volume control, and the maximum it
    // then reports.
    bool present = true;
    bool hasVolumeControl = true;
    int presentMaximum = 65535;
    // The volume it reports as a slider position; -1: it cannot tell.
    int presentSliderValue = -1;

    int openCalls = 0;
    int closeCalls = 0;
    // Mixer values sent, in order (already scaled, as a real mixer receives them).
    QList<int> sentValues;

    bool open() override
    {
        ++openCalls;
        m_open = present && hasVolumeControl;
        return present;
    }
    bool isAvailable() const override { return m_open; }
    int maximum() const override { return m_open ? presentMaximum : 0; }
    void setVolumeFromSlider(int sliderValue) override
    {
        if (m_open)
            sentValues.append(mixerValueForSlider(sliderValue, presentMaximum));
    }
    int sliderValue() const override { return m_open ? presentSliderValue : -1; }
    void close() override
    {
        ++closeCalls;
        m_open = false;
    }

private:
    bool m_open = false;
};
