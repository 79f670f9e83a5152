#include "options/songs/nofileblink.h"

void NoFileBlink::setWanted(bool wanted)
{
    if (wanted == m_running)
        return;
    m_running = wanted;
    m_visible = wanted;
    m_interval = FirstMs;
}

void NoFileBlink::Timer1_Timer()
{
    if (!m_running)
        return;
    m_visible = !m_visible;
    m_interval = m_visible ? ShownMs : HiddenMs;
}
