#include "player/logic/skin/infotexts.h"

void InfoTexts::set(int entry, int variant, const QString &title, const QString &description)
{
    m_texts.at(size_t(entry)).at(size_t(variant)) = {title, description};
}

void InfoTexts::AggiornaInfo()
{
    set(0, 0, {}, {});
    set(0, 1, {}, {});
    set(1, 0, QStringLiteral("Play"), QStringLiteral("Riproduce la canzone"));
    set(1, 1, QStringLiteral("Pausa"), QStringLiteral("Mette in pausa la canzone"));
    set(2, 0, QStringLiteral("Stop"), QStringLiteral("Ferma la canzone"));
    set(3, 0, QStringLiteral("Ripeti: Disattivato"),
        QStringLiteral("La canzone non verrà ripetuta"));
    set(3, 1, QStringLiteral("Ripeti: Attivato"), QStringLiteral("La canzone verrà ripetuta"));
    set(4, 0, QStringLiteral("Muto: Disattivato"), QStringLiteral("Premere per non sentire"));
    set(4, 1, QStringLiteral("Muto: Attivato"), QStringLiteral("Premere per sentire"));
    set(5, 0, QStringLiteral("Aggancia player: Attivato"),
        QStringLiteral("Premere per sganciare dal player"));
    set(5, 1, QStringLiteral("Aggancia player: Disattivato"),
        QStringLiteral("Premere per agganciare al player"));
    set(6, 0, QStringLiteral("Nascondi scheda"), QStringLiteral("Nascondi la scheda in basso"));
    set(6, 1, QStringLiteral("Mostra scheda"), QStringLiteral("Mostra la scheda in basso"));
    set(7, 0, QStringLiteral("Velocità della traccia"),
        QStringLiteral("Regola la velocità della traccia"));
    set(8, 0, QStringLiteral("Mixer audio"), QStringLiteral("Apri il mixer del computer"));
    set(9, 0, QStringLiteral("Chiudi"), QStringLiteral("Chiudi questa finestra"));
    set(10, 0, QStringLiteral("Volume del computer"),
        QStringLiteral("Click destro per il volume del player"));
    set(10, 1, QStringLiteral("Volume del computer"),
        QStringLiteral("Premere per il volume del player"));
    set(11, 0, QStringLiteral("Volume di WindowsMediaPlayer"),
        QStringLiteral("Click destro per il volume del Computer"));
    set(11, 1, QStringLiteral("Volume di WindowsMediaPlayer"),
        QStringLiteral("Premere per il volume del computer"));
    set(12, 0, QStringLiteral("Tempo trascorso"), QStringLiteral("Mostra il tempo trascorso"));
    set(13, 0, QStringLiteral("Rimanente"), QStringLiteral("Tempo rimanente della traccia"));
    set(14, 0, QStringLiteral("Durata totale"), QStringLiteral("Durata totale della traccia"));
    set(15, 0, QStringLiteral("Utilizzo CPU"), QStringLiteral("L'utilizzo della CPU del computer"));
    set(16, 0, QStringLiteral("Posizione della traccia"),
        QStringLiteral("Premere per spostarsi nella traccia"));
}

QString InfoTexts::text(int entry, int variant, int line) const
{
    if (entry < 0 || entry >= Entries || variant < 0 || variant > 1 || line < 0 || line > 1)
        return {};
    return m_texts.at(size_t(entry)).at(size_t(variant)).at(size_t(line));
}
