#pragma once

#include <QFrame>

class QLabel;
class QToolButton;

// One row of the songs tab: the file name and its small buttons. It draws what it is told and
// reports what the presenter does; the rules live in SongEditor.
class SongCell : public QFrame {
    Q_OBJECT
public:
    enum class Look { Normal, Selected };

    SongCell(int label, QWidget *parent);

    // path: the song's file with its folder, empty for a slot without one. hot: the mouse is
    // over the cell.
    void display(const QString &caption, const QString &path, bool red, Look look,
                 bool hot = false);
    QString caption() const;
    // The part of the song the slot plays ("01.12 - 01.42"), beside the glyphs; empty: none.
    void showSnippet(const QString &points);
    bool isRed() const { return m_red; }
    int label() const { return m_label; }

signals:
    // Mouse button released over the cell area (imgTabella) or over the name (Canzoni).
    void areaReleased(int label, Qt::MouseButton button, QPoint global);
    void nameReleased(int label, Qt::MouseButton button, QPoint global);
    void playRequested(int label);
    void menuRequested(int label, QPoint global);
    void browseRequested(int label);
    void moveRequested(int label, int delta); // +1 up, -1 down
    void restoreRequested(int label);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QToolButton *addButton(const char *name, const QString &tip);
    void elide();

    int m_label;
    bool m_red = false;
    QString m_caption;
    QLabel *m_name;
    QLabel *m_snippet = nullptr;
    QToolButton *m_menu = nullptr;
};
