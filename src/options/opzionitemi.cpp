// The theme tab: the list of themes, a small preview of the chosen one, apply and rescan.
#include "options/opzioni.h"

#include "core/appstate.h"
#include "core/ports.h"
#include "core/settingsfile.h"
#include "core/themes.h"
#include "widgets/progressione.h"
#include "widgets/twips.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>

namespace {

// Draws a theme as a little board: background colour, board picture, exit picture.
class PreviewTarget : public ThemeTarget {
public:
    void setBoardPicture(const QString &file) override { board.load(file); }
    void setExitPicture(const QString &file) override { exit.load(file); }
    void setBackgroundColour(int colour) override
    {
        background = QColor(colour & 0xff, (colour >> 8) & 0xff, (colour >> 16) & 0xff);
    }
    QPixmap draw(QSize size) const
    {
        QPixmap result(size);
        result.fill(background);
        QPainter painter(&result);
        if (!board.isNull())
            painter.drawPixmap(QRect(QPoint(), size), board);
        if (!exit.isNull()) {
            const QSize small = exit.size().scaled(size / 6, Qt::KeepAspectRatio);
            painter.drawPixmap(
                QRect(QPoint(size.width() - small.width() - 4, size.height() - small.height() - 4),
                      small),
                exit);
        }
        return result;
    }
    QPixmap board;
    QPixmap exit;
    QColor background = Qt::black;
};

} // namespace

QWidget *Opzioni::buildThemeFrame()
{
    auto *frame = new QWidget;
    frame->setObjectName(QStringLiteral("frOpzioni0"));
    auto *layout = new QGridLayout(frame);
    m_skin = new QListWidget(frame);
    m_skin->setObjectName(QStringLiteral("Skin"));
    m_skin->setToolTip(QStringLiteral("Seleziona il tema che preferisci e premi Applica Tema"));
    m_skin->setAccessibleName(m_skin->toolTip());
    m_preview = new QLabel(frame);
    m_preview->setObjectName(QStringLiteral("PictureAnteprimaTema"));
    m_preview->setAccessibleName(QStringLiteral("Anteprima del tema"));
    m_preview->setFixedSize(Twips::toPixels(4800), Twips::toPixels(3600));
    m_preview->setFrameShape(QFrame::Box);
    auto *applyButton = new QPushButton(QStringLiteral("Applica il tema"), frame);
    applyButton->setObjectName(QStringLiteral("btnApplicaTema"));
    applyButton->setToolTip(QStringLiteral("Applica il tema selezionato"));
    auto *rescan = new QPushButton(QStringLiteral("Aggiorna i temi"), frame);
    rescan->setObjectName(QStringLiteral("CambInter"));
    rescan->setToolTip(QStringLiteral("Ricontrolla i temi presenti nella cartella Temi del "
                                      "programma"));
    layout->addWidget(m_skin, 0, 0, 2, 1);
    layout->addWidget(m_preview, 0, 1, Qt::AlignTop);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(applyButton);
    buttons->addWidget(rescan);
    layout->addLayout(buttons, 1, 1, Qt::AlignTop);
    connect(m_skin, &QListWidget::currentRowChanged, this, &Opzioni::selectTheme);
    connect(applyButton, &QPushButton::clicked, this, [this] {
        applyTheme();
        (void)SalvaImpostazioni(m_state);
    });
    connect(rescan, &QPushButton::clicked, this, &Opzioni::rescanThemes);
    return frame;
}

void Opzioni::fillThemeList()
{
    const QSignalBlocker quiet(m_skin);
    m_skin->clear();
    m_skin->addItems(m_state.TemiTitoli);
}

void Opzioni::selectTheme(int row)
{
    // The list may lag behind the theme list during a rescan; then clicks do nothing.
    if (m_skin->count() != m_state.TemiCartelle.size())
        return;
    if (row < 0 || row >= m_skin->count()) {
        m_skin->setCurrentRow(-1);
        m_preview->clear();
        return;
    }
    if (m_skin->currentRow() != row) {
        const QSignalBlocker quiet(m_skin);
        m_skin->setCurrentRow(row);
    }
    PreviewTarget preview;
    Themes(m_state, *m_progress, m_ports.questions)
        .ApplicaTema(m_state.TemiCartelle.at(row), preview);
    m_preview->setPixmap(preview.draw(m_preview->size()));
}

void Opzioni::applyTheme()
{
    const int row = m_skin->currentRow();
    if (row < 0 || row >= m_state.TemiCartelle.size())
        return;
    m_state.TemaScelto = row;
    Themes(m_state, *m_progress, m_ports.questions).ImpostaTema(m_ports.board);
}

void Opzioni::rescanThemes()
{
    m_progress->setTitle(QStringLiteral("Aggiornamento Temi"));
    const bool found = Themes(m_state, *m_progress, m_ports.questions).CaricaTemi();
    m_progress->close();
    if (!found) {
        // The presenter has been told; the program ends the normal way, saving what it must.
        if (m_ports.endProgram)
            m_ports.endProgram();
        return;
    }
    fillThemeList();
    selectTheme(m_state.settings.number(QStringLiteral("indextema")));
}
