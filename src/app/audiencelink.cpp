#include "app/audiencelink.h"

#include "audience/audience.h"
#include "board/principale.h"

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

} // namespace

void linkAudience(Audience &audience, Principale &board)
{
    AudienceModel &model = audience.model();
    QObject::connect(&board, &Principale::marksChanged, &model,
                     [&model, &board] { pushMarks(model, board); });
    QObject::connect(&board, &Principale::themeChanged, &model,
                     [&model, &board] { pushTheme(model, board); });
    QObject::connect(&model, &AudienceModel::changed, &board,
                     [&model, &board] { board.setRevealLine(model.revealed()); });
    pushMarks(model, board);
    pushTheme(model, board);
}
