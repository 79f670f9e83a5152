#include "player/logic/panel/cpumeter.h"

#include "player/logic/playermodel.h"

CpuMeter::CpuMeter(PlayerModel &model, CpuCounterSource &source) : m_model(model), objCPU(source) {}

void CpuMeter::start()
{
    objCPU.Initialize();
    m_model.setTimer(Timer::TmrRefresh, true);
    refresh();
}

void CpuMeter::refresh()
{
    if (m_model.unloaded)
        return;
    const qint32 usage = objCPU.Query();
    if (usage == clsCPUUsageNT::Unavailable)
        m_model.setTimer(Timer::TmrRefresh, false);
    m_model.setText(Text::CPUUsage, cpuUsageText(usage));
}

void CpuMeter::stop()
{
    m_model.setTimer(Timer::TmrRefresh, false);
    objCPU.Terminate();
}
