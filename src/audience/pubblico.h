#pragma once

#include "core/categories.h"

#include <QWidget>

#include <array>

class AudienceModel;
class BoardPicture;
class QLabel;
class QScreen;

// The audience window: the board as the room sees it on a projector. The theme's picture with
// the numbers and their played marks, the teams' scores, the team that booked (large, in its
// colour), the revealed title, and where the phones join. A passive view: it reads the model
// and repaints on every change; no click or key of it changes the game (Esc closes it).
class Pubblico : public QWidget {
    Q_OBJECT

public:
    explicit Pubblico(const AudienceModel &model, QWidget *parent = nullptr);

    // Full screen on a screen other than board's when there is one; otherwise a normal window
    // beside it that the presenter can drag to a projector and maximise.
    void open(QScreen *board);
    // The screen the window opens on for a board on board, null for none but board's own.
    static QScreen *projectorScreen(const QList<QScreen *> &screens, const QScreen *board);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void build();
    void refresh();
    void refreshNumbers();
    void refreshTeams();
    void refreshPhones();
    void place();
    void placeNumbers();
    QLabel *bigLabel(const QString &objectName, QWidget *parent);

    const AudienceModel &m_model;
    BoardPicture *m_picture = nullptr;
    QString m_pictureFile;
    std::array<QLabel *, SlotCount> m_numbers{};
    QWidget *m_strip = nullptr;
    QList<QLabel *> m_scores;
    QLabel *m_booking = nullptr;
    QLabel *m_reveal = nullptr;
    QWidget *m_phones = nullptr;
    QLabel *m_qr = nullptr;
    QLabel *m_address = nullptr;
    QLabel *m_code = nullptr;
};
