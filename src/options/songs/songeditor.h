#pragma once

#include "options/songs/filechoice.h"

#include <QStringList>

#include <array>
#include <functional>

struct AppState;
class QuestionPort;
class SongCheck;
class SongFileDialog;

// The songs tab's editing rules, free of widgets: it shows one category at a time as five
// cells, edits the working table PercorsiModifica, and applies it through the song copy. The
// cells only draw what cell() says and report clicks.
class SongEditor {
public:
    static constexpr int NoCell = 5;
    enum class Button { Left = 1, Right = 2 };

    struct Cell {
        QString caption;
        bool red = false;
        bool selected = false;
        int position = 0; // where the cell stands on screen; its points are those of the place
        QString snippet;  // "01.12 - 01.42" when the slot plays a part of its song
    };
    enum class Point { Start, End };
    struct Menu {
        bool incolla = false;
        bool spostaSu = false;
        bool spostaGiu = false;
        bool nonUtilizzate = false;
        // "30 => name" for each slot of each category.
        std::array<QStringList, 5> categories;
        QStringList unused;
    };

    // unusedSongs lists the files of Musiche that no slot uses.
    SongEditor(AppState &state, SongCheck &check, QuestionPort &questions, SongFileDialog &dialog,
               std::function<QStringList()> unusedSongs);

    void ComboSelCateg_Click(int category);
    // Song check, then the category drawn again.
    void refresh();
    int varCategCombo() const { return m_category; }
    int iSelezionato() const { return m_selected; }
    Cell cell(int label) const;
    int slotOf(int label) const;
    // lblNoFile blinks while some slot has no playable song.
    bool noFileShown() const { return m_checkListShown; }

    void SelDeselPulsante(int label, Button button);
    void deselect();
    // Right click on a cell: selects it and says how its menu looks.
    Menu openMenu(int label);
    int iCanzoni() const { return m_menuLabel; }

    // Each edit reruns the song check and draws the category again.
    void chooseFile(int label);
    void StCanzone(int index, int category);
    void SpCanzone(int index, int category);
    void RimuoviCanzone(int iOrdine);
    void useUnused(const QString &name);
    void Copia();
    void Incolla();
    void Ripristina(int label);
    [[nodiscard]] bool ApplicaModifiche();
    // The snippet of a cell's slot in the working table. A point is taken at ms of the song;
    // false when the slot has no song or an end would not come after the start (a start
    // after the end clears the end).
    [[nodiscard]] bool setPoint(int label, Point point, qint64 ms);
    void clearPoints(int label);
    // The cell whose points the preview's buttons set: the selected one, or with none selected
    // the cell being previewed (at previewedPosition, -1 when the preview plays no cell of this
    // category). -1 for none. Start and end are taken only from the cell's own song: a
    // selected cell other than the previewed one gets none.
    int pointsLabel(int previewedPosition, bool takingPosition) const;
    void Resetta();

    // Moves. lblSu/lblGiu of a cell move that cell (delta +1 up, -1 down); lblbSu/lblbGiu and
    // the menu move the selected cell. Each move is queued in DiffSposta; stepMove() completes
    // one position, exchanging the two songs; false when nothing (more) can move. A step under
    // way on screen goes on in its own direction (up, +1 or -1) whatever was queued meanwhile;
    // with up 0 the queue gives the direction. While a cell moves, the arrows of the other
    // cells do nothing.
    bool cellMove(int label, int delta);
    bool selectionMove(int delta);
    bool stepMove(int up = 0);
    int DiffSposta() const { return m_pendingMoves; }
    // Whether the moving cell belongs to the selection (it stays selected when done).
    bool moveKeepsSelection() const { return m_moveKeepsSelection; }
    int labelAt(int position) const;
    std::array<int, 5> order() const { return m_labelAt; }
    int positionOf(int label) const;

private:
    int base() const { return m_category * 5; }
    QString workingName(int slot) const;
    int askSwap(const QString &verb, int a, int b);
    void resetOrder();

    AppState &m_state;
    SongCheck &m_check;
    QuestionPort &m_questions;
    FileChoice m_choice;
    std::function<QStringList()> m_unusedSongs;

    int m_category = 0;
    int m_selected = NoCell;
    int m_menuLabel = 0;
    int m_pendingMoves = 0;
    bool m_moveKeepsSelection = false;
    bool m_checkListShown = false;
    // OrdineCelle rows 0 and 1: the label at each position, the position of each label.
    std::array<int, 5> m_labelAt{0, 1, 2, 3, 4};
    std::array<int, 5> m_positionOf{0, 1, 2, 3, 4};
    std::array<QString, 5> m_captions;
    std::array<bool, 5> m_red{};
};
