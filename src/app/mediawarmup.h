#pragma once

#include <QObject>

class QWidget;
class QuestionPort;

// Loads the media stack right after the board's first paint, so that the start shows the board
// without waiting for it and the first click plays as fast as the later ones. A back end that
// is missing is reported then, at the start, not at the first song in front of the audience.
class MediaWarmup : public QObject {
    Q_OBJECT

public:
    MediaWarmup(QWidget &board, QuestionPort &questions);

signals:
    // The media stack is loaded, or what is missing has been reported.
    void warmed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void warm();

    QWidget &m_board;
    QuestionPort &m_questions;
};
