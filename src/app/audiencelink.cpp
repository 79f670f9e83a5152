#include "app/audiencelink.h"

#include "audience/audience.h"
#include "board/audienceentries.h"
#include "board/principale.h"
#include "game/gamesession.h"

namespace {

void pushMarks(AudienceModel &model, const Principale &board)
{
    for (int slot = 0; slot < SlotCount; ++slot)
        model.setPlayed(slot, board.isPlayed(slot / SlotsPerCategory, slot % SlotsPerCategory));
}

void pushTheme(AudienceModel &model, const Principale &board)
{
    model.setPicture(board.boardPictureFile());
    model.setBackground(board.backgroundColour());
}

void pushGame(AudienceModel &model, const Principale &board)
{
    const GameSession *session = board.game();
    model.setTeams(session ? session->teams() : QList<Team>());
    model.setScores(session ? session->game().scores() : QList<int>());
}

} // namespace

void linkAudience(Audience &audience, Principale &board)
{
    AudienceModel &model = audience.model();
    QObject::connect(&board, &Principale::marksChanged, &model,
                     [&model, &board] { pushMarks(model, board); });
    QObject::connect(&board, &Principale::themeChanged, &model,
                     [&model, &board] { pushTheme(model, board); });
    QObject::connect(&board, &Principale::gameChanged, &model,
                     [&model, &board] { pushGame(model, board); });
    QObject::connect(&model, &AudienceModel::changed, &board,
                     [&model, &board] { board.audience().setLine(model.revealed()); });
    pushMarks(model, board);
    pushTheme(model, board);
    pushGame(model, board);
}
