#include "player/logic/position/songposition.h"

#include "platform/mediaplayer.h"
#include "player/logic/panel/playerlayout.h"
#include "player/logic/playermodel.h"
#include "player/logic/position/numbertext.h"

#include <cmath>

using namespace PlayerLayout;

SongPosition::SongPosition(PlayerModel &model, MediaPlayer &player, SkinButtons &skin)
    : m_model(model), m_player(player), m_skin(skin)
{
}

double SongPosition::knobCentredAt(double v)
{
    return BarLeft + 30 + v * (BarWidth - 60) / 100 - KnobWidth / 2;
}

double SongPosition::miniAt(double v)
{
    return v * (MiniWidth - 30) / 100;
}

void SongPosition::setMiniFromValue()
{
    m_model.setMiniWidth(miniAt(m_model.progress().value));
}

void SongPosition::resetToStart()
{
    m_model.setProgressValue(0);
    m_model.setKnobLeft(knobCentredAt(0));
    m_model.setMiniWidth(0);
}

QString SongPosition::remainingTime(const QString &duration, const QString &position)
{
    const int total = NumberText::seconds(duration);
    const int done = NumberText::seconds(position);
    if (total < 0 || done < 0)
        return QStringLiteral("-00.00");
    // A position a moment past the end reads as nothing left rather than a negative time.
    return QStringLiteral("-") + MediaPlayer::minutesDotSeconds(total - done);
}

void SongPosition::tick()
{
    const QString position = m_player.currentPositionString();
    const QString durationText = m_player.durationString();
    if (!position.isEmpty()) {
        m_model.setText(Text::DurataCorr, position);
        m_model.setText(Text::Label8, position + QStringLiteral(" / ") + durationText);
    } else {
        m_model.setText(Text::DurataCorr, QStringLiteral("00.00"));
        m_model.setText(Text::Label8, QStringLiteral("00.00 / ") + durationText);
    }
    // Some files tell their length only after playback has begun.
    if (!durationText.isEmpty() && m_model.text(Text::DurataTot) != durationText)
        m_model.setText(Text::DurataTot, durationText);

    const double duration = m_player.duration();
    if (duration == 0) {
        if (ProgressoFalso) {
            m_model.setProgressValue(ValProgresso);
            setMiniFromValue();
            ProgressoFalso = false;
        }
    } else {
        const double ratio = m_player.currentPosition() / duration;
        if (std::isfinite(ratio) && ratio >= 0 && ratio <= 100) {
            const double percent = ratio * 100;
            m_model.TimerIIProtetto = percent;
            if (m_model.AggiornaProgresso) {
                // The bar refuses a value past its end; the knob still goes to the point.
                if (percent <= 100)
                    m_model.setProgressValue(percent);
                m_model.setKnobLeft(BarLeft + 30 + percent * (BarWidth - 60) / 100);
                setMiniFromValue();
            }
            m_model.setText(Text::DurataRim, position.isEmpty()
                                                 ? QStringLiteral("-00.00")
                                                 : remainingTime(durationText, position));
        }
    }
    m_model.setText(Text::Avanzamento, NumberText::avanzamento(m_model.progress().value));
}

double SongPosition::rateFor(int sliderValue)
{
    if (sliderValue > 1)
        return sliderValue / 2.0;
    return sliderValue == 1 ? 0.75 : 0.5;
}

void SongPosition::speedChanged(int value)
{
    const double rate = rateFor(value);
    m_player.setRate(rate);
    m_model.VelocitaCorrente = rate;
}
