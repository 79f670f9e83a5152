#include "player/logic/skin/infotexts.h"

void InfoTexts::set(InfoEntry entry, int variant, const QString &title, const QString &description)
{
    m_texts.at(size_t(entry)).at(size_t(variant)) = {title, description};
}

void InfoTexts::AggiornaInfo()
{
    set(InfoEntry::Nothing, 0, {}, {});
    set(InfoEntry::Nothing, 1, {}, {});
    set(InfoEntry::Play, 0, QStringLiteral("Play"), QStringLiteral("Riproduce la canzone"));
    set(InfoEntry::Play, 1, QStringLiteral("Pausa"), QStringLiteral("Mette in pausa la canzone"));
    set(InfoEntry::Stop, 0, QStringLiteral("Stop"), QStringLiteral("Ferma la canzone"));
    set(InfoEntry::Repeat, 0, QStringLiteral("Ripeti: Disattivato"),
        QStringLiteral("La canzone non verrà ripetuta"));
    set(InfoEntry::Repeat, 1, QStringLiteral("Ripeti: Attivato"),
        QStringLiteral("La canzone verrà ripetuta"));
    set(InfoEntry::Mute, 0, QStringLiteral("Muto: Disattivato"),
        QStringLiteral("Premere per non sentire"));
    set(InfoEntry::Mute, 1, QStringLiteral("Muto: Attivato"),
        QStringLiteral("Premere per sentire"));
    set(InfoEntry::Dock, 0, QStringLiteral("Aggancia player: Attivato"),
        QStringLiteral("Premere per sganciare dal player"));
    set(InfoEntry::Dock, 1, QStringLiteral("Aggancia player: Disattivato"),
        QStringLiteral("Premere per agganciare al player"));
    set(InfoEntry::Panel, 0, QStringLiteral("Nascondi scheda"),
        QStringLiteral("Nascondi la scheda in basso"));
    set(InfoEntry::Panel, 1, QStringLiteral("Mostra scheda"),
        QStringLiteral("Mostra la scheda in basso"));
    set(InfoEntry::Speed, 0, QStringLiteral("Velocità della traccia"),
        QStringLiteral("Regola la velocità della traccia"));
    set(InfoEntry::Mixer, 0, QStringLiteral("Mixer audio"),
        QStringLiteral("Apri il mixer del computer"));
    set(InfoEntry::Close, 0, QStringLiteral("Chiudi"), QStringLiteral("Chiudi questa finestra"));
    set(InfoEntry::ComputerVolume, 0, QStringLiteral("Volume del computer"),
        QStringLiteral("Click destro per il volume del player"));
    set(InfoEntry::ComputerVolume, 1, QStringLiteral("Volume del computer"),
        QStringLiteral("Premere per il volume del player"));
    set(InfoEntry::PlayerVolume, 0, QStringLiteral("Volume di WindowsMediaPlayer"),
        QStringLiteral("Click destro per il volume del Computer"));
    set(InfoEntry::PlayerVolume, 1, QStringLiteral("Volume di WindowsMediaPlayer"),
        QStringLiteral("Premere per il volume del computer"));
    set(InfoEntry::Elapsed, 0, QStringLiteral("Tempo trascorso"),
        QStringLiteral("Mostra il tempo trascorso"));
    set(InfoEntry::Remaining, 0, QStringLiteral("Rimanente"),
        QStringLiteral("Tempo rimanente della traccia"));
    set(InfoEntry::Duration, 0, QStringLiteral("Durata totale"),
        QStringLiteral("Durata totale della traccia"));
    set(InfoEntry::Cpu, 0, QStringLiteral("Utilizzo CPU"),
        QStringLiteral("L'utilizzo della CPU del computer"));
    set(InfoEntry::Position, 0, QStringLiteral("Posizione della traccia"),
        QStringLiteral("Premere per spostarsi nella traccia"));
}

QString InfoTexts::text(InfoEntry entry, int variant, int line) const
{
    if (entry >= InfoEntry::Count || variant < 0 || variant > 1 || line < 0 || line > 1)
        return {};
    return m_texts.at(size_t(entry)).at(size_t(variant)).at(size_t(line));
}
