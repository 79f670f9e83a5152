#include "player/logic/skin/skinnames.h"

namespace SkinNames {

QStringList all()
{
    return {
        QStringLiteral("Play1N"),       QStringLiteral("Play1P"),
        QStringLiteral("Play2N"),       QStringLiteral("Play2S"),
        QStringLiteral("Play2P"),       QStringLiteral("Pausa2N"),
        QStringLiteral("Pausa2S"),      QStringLiteral("Pausa2P"),
        QStringLiteral("Play3N"),       QStringLiteral("Play3P"),
        QStringLiteral("StopNPN"),      QStringLiteral("StopSPN"),
        QStringLiteral("StopPPN"),      QStringLiteral("StopNPP"),
        QStringLiteral("RipetiNPN"),    QStringLiteral("RipetiSPN"),
        QStringLiteral("RipetiPPN"),    QStringLiteral("RipetiNPP"),
        QStringLiteral("NRipetiNPN"),   QStringLiteral("NRipetiSPN"),
        QStringLiteral("NRipetiPPN"),   QStringLiteral("NRipetiNPP"),
        QStringLiteral("MutoN"),        QStringLiteral("MutoS"),
        QStringLiteral("MutoP"),        QStringLiteral("SonoroN"),
        QStringLiteral("SonoroS"),      QStringLiteral("SonoroP"),
        QStringLiteral("AgganciatoN"),  QStringLiteral("AgganciatoS"),
        QStringLiteral("AgganciatoP"),  QStringLiteral("SganciatoN"),
        QStringLiteral("SganciatoS"),   QStringLiteral("SganciatoP"),
        QStringLiteral("ScorriBassoN"), QStringLiteral("ScorriBassoS"),
        QStringLiteral("ScorriBassoP"), QStringLiteral("MixerN"),
        QStringLiteral("MixerS"),       QStringLiteral("MixerP"),
        QStringLiteral("ChiudiN"),      QStringLiteral("ChiudiS"),
        QStringLiteral("ChiudiP"),      QStringLiteral("PlayMN"),
        QStringLiteral("PlayMS"),       QStringLiteral("PlayMP"),
        QStringLiteral("PausaMN"),      QStringLiteral("PausaMS"),
        QStringLiteral("PausaMP"),      QStringLiteral("StopMN"),
        QStringLiteral("StopMS"),       QStringLiteral("StopMP"),
        QStringLiteral("ScorriAltoN"),  QStringLiteral("ScorriAltoS"),
        QStringLiteral("ScorriAltoP"),
    };
}

} // namespace SkinNames
