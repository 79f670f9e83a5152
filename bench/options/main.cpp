// Time from asking for the options window to its first paint, beside a bare dialog holding one
// tab widget, each the median of several openings in a copy of the program folder. Fails when
// the options window takes more than 1.5 times the bare dialog.
#include "core/appstate.h"
#include "core/ports.h"
#include "options/opzioni.h"

#include <QApplication>
#include <QDialog>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

class Quiet : public QuestionPort, public StartupWindows, public ThemeTarget {
public:
    Answer ask(const QString &, const QString &, Icon, Buttons, Answer answer) override
    {
        return answer;
    }
    void showCopy(int) override {}
    void closeCopy() override {}
    void showOptions() override {}
    void setBoardPicture(const QString &) override {}
    void setExitPicture(const QString &) override {}
    void setBackgroundColour(int) override {}
};

class PaintWatch : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

// Milliseconds from make() to the first paint of the window it returns.
double firstPaint(const std::function<QWidget *()> &make)
{
    QElapsedTimer clock;
    clock.start();
    QWidget *window = make();
    PaintWatch watch;
    window->installEventFilter(&watch);
    window->show();
    while (!watch.painted && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    delete window;
    QCoreApplication::processEvents();
    return ms;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString program = qEnvironmentVariable("ZEFIRO_PROGRAM_DIR");
    QTemporaryDir dir;
    QDirIterator it(program + QStringLiteral("/Temi"), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = dir.path() + file.mid(program.size());
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(file, target);
    }
    AppState state;
    state.Path = dir.path();
    Quiet quiet;
    const auto bare = [] {
        auto *dialog = new QDialog;
        auto *layout = new QVBoxLayout(dialog);
        auto *tabs = new QTabWidget(dialog);
        for (const char *name : {"Impostazioni Tema", "Impostazioni delle Canzoni", "Avanzate"})
            tabs->addTab(new QWidget, QString::fromLatin1(name));
        layout->addWidget(tabs);
        return dialog;
    };
    const auto options = [&] {
        return new Opzioni(state,
                           OpzioniPorts{quiet, quiet, quiet, {}, {}, QStringLiteral("zefiro")});
    };
    QList<double> bareTimes, optionTimes;
    firstPaint(bare); // warm-up: fonts and style
    firstPaint(options);
    for (int i = 0; i < 7; ++i) {
        bareTimes << firstPaint(bare);
        optionTimes << firstPaint(options);
    }
    const double b = median(bareTimes), o = median(optionTimes);
    std::printf("bare dialog with one tab widget: %.1f ms to first paint (median of 7)\n", b);
    std::printf("options window \"Opzioni\":        %.1f ms to first paint (median of 7)\n", o);
    std::printf("ratio %.2f, floor 1.50: %s\n", o / b, o <= 1.5 * b ? "met" : "NOT met");
    return o <= 1.5 * b ? 0 : 1;
}
