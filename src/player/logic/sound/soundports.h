#pragma once

class CpuCounterSource;
class MixerLauncher;
class ProcessPriority;
class SystemMixer;

// What the playback window's sound controls ask of the system, handed in by the application
// (and by the tests, with fakes). All of them outlive the window.
struct SoundPorts {
    SystemMixer &mixer;
    MixerLauncher &mixerApp;
    CpuCounterSource &cpu;
    ProcessPriority &priority;
};
