// The floor for the start-up figure: a bare Qt window with one label, maximised, that reports
// its first paint the way the board does.
#include <QApplication>
#include <QLabel>
#include <QPaintEvent>
#include <QTimer>

#include <cstdio>

namespace {

class Label : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QLabel::paintEvent(event);
        if (!m_painted) {
            m_painted = true;
            // Once the window has been drawn and sent to the screen, as the board reports it.
            QTimer::singleShot(0, [] {
                std::fputs("first-paint\n", stdout);
                std::fflush(stdout);
            });
        }
    }

private:
    bool m_painted = false;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Label label(QStringLiteral("Zefiro"));
    label.setWindowFlag(Qt::FramelessWindowHint);
    label.setWindowTitle(QStringLiteral("Bare"));
    label.showMaximized();
    return QApplication::exec();
}
