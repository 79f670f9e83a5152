#include "player/playerface.h"

#include "player/logic/playerlogic.h"
#include "player/logic/skin/controlnames.h"
#include "player/panelbuilder.h"
#include "player/playerwidgets.h"
#include "player/skinimage.h"
#include "player/skinpictures.h"
#include "player/stripbuilder.h"
#include "widgets/twips.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

using namespace PlayerLayout;

namespace {

// A caption too long for its label at the panel's size is drawn a pixel or two smaller rather
// than cut off ("Volume di Windows Media Player" beside the speed caption).
void fitToWidth(QLabel *label, int pixelSize)
{
    QFont font = label->font();
    for (int size = pixelSize; size >= pixelSize - 2; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).horizontalAdvance(label->text()) <= label->width())
            break;
    }
    label->setFont(font);
}

} // namespace

PlayerFace::PlayerFace(QWidget &window, PlayerLogic &logic, SkinPictures &pictures)
    : m_window(window), m_logic(logic), m_pictures(pictures)
{
}

void PlayerFace::build()
{
    auto *background = new Surface(PlayerColours::window(), PlayerColours::window(), &m_window);
    background->setObjectName(QStringLiteral("imgSfondo"));
    background->setGeometry(m_window.rect());
    buildVideoArea();
    StripBuilder(m_c).build(&m_window);
    PanelBuilder(m_c, m_logic).build(&m_window);
    buildCommandButtons();
}

// The backdrop the video is shown on, between its two side pieces.
void PlayerFace::buildVideoArea()
{
    const QColor edgeTop(58, 64, 76);
    const QColor edgeBottom(30, 33, 40);
    auto *left = new Surface(edgeTop, edgeBottom, &m_window);
    left->setObjectName(QStringLiteral("imgWMPlayMezzo1"));
    m_c.sideLeft = left;
    auto *right = new Surface(edgeTop, edgeBottom, &m_window);
    right->setObjectName(QStringLiteral("imgWMPlayMezzo2"));
    m_c.sideRight = right;
    m_c.backdrop = new Backdrop(&m_window);
    m_c.backdrop->setObjectName(QStringLiteral("WMPlayFintoSfondo"));
}

// Command buttons kept off the skinned face.
void PlayerFace::buildCommandButtons()
{
    m_c.pausa = new QPushButton(QStringLiteral("Play"), &m_window);
    m_c.pausa->setObjectName(QStringLiteral("Pausa"));
    m_c.stop = new QPushButton(QStringLiteral("Stop"), &m_window);
    m_c.stop->setObjectName(QStringLiteral("Stop"));
    m_c.command1 = new QPushButton(QStringLiteral("Command1"), &m_window);
    m_c.command1->setObjectName(QStringLiteral("Command1"));
    for (QPushButton *button : {m_c.pausa, m_c.stop, m_c.command1})
        button->hide();
    PlayerLogic &logic = m_logic;
    QObject::connect(m_c.pausa, &QPushButton::clicked, m_c.pausa,
                     [&logic] { logic.transport.pausaClicked(); });
    QObject::connect(m_c.stop, &QPushButton::clicked, m_c.stop,
                     [&logic] { logic.transport.stopClicked(); });
    QObject::connect(m_c.command1, &QPushButton::clicked, m_c.command1,
                     [&logic] { logic.swap.swap(false); });
}

void PlayerFace::setTitle(const QString &tipo, const QString &fileName)
{
    m_c.backdrop->setTitle(tipo, fileName);
    m_c.infoBox->setIdleText(tipo, fileName);
}

void PlayerFace::showPicture(Image which)
{
    SkinImage *control = m_c.images.at(size_t(which));
    if (!control)
        return;
    const QString &name = m_logic.model.picture(which);
    control->setPicture(name, m_pictures.picture(name));
    control->setAccessibleName(ControlNames::ofPicture(which, name));
}

void PlayerFace::showText(Text which)
{
    const QString &value = m_logic.model.text(which);
    if (which == Text::Pausa) {
        m_c.pausa->setText(value);
        return;
    }
    if (QLabel *target = m_c.texts.at(size_t(which)))
        target->setText(value);
    if (which == Text::LblVolume)
        fitToWidth(m_c.volumeCaption, 11);
    if (which == Text::Info0 || which == Text::Info1)
        m_c.infoBox->setIdle(m_logic.model.text(Text::Info0).isEmpty() &&
                             m_logic.model.text(Text::Info1).isEmpty());
}

void PlayerFace::showProgress()
{
    const ProgressDisplay &p = m_logic.model.progress();
    m_c.bar->setValue(p.value);
    m_c.bar->setRange(p.rangeFrom, p.rangeTo);
    const int knobLeft = Twips::toPixels(p.knobLeft);
    m_c.knob->move(knobLeft, m_c.knob->y());
    m_c.knobSurface->move(knobLeft, m_c.knobSurface->y());
    m_c.miniIndicator->resize(Twips::toPixels(p.miniWidth), m_c.miniIndicator->height());
    m_c.miniIndicator->setVisible(p.miniWidth > 0);
    m_c.bar->setEnabled(p.enabled);
    m_c.miniSensor->setEnabled(p.enabled);
}

void PlayerFace::showPanel()
{
    const PanelGeometry &g = m_logic.model.panel();
    m_c.panel->move(Twips::toPixels(PanelLeft), Twips::toPixels(g.panelTop));
    m_c.backdrop->setGeometry(
        Twips::toPixels(BackdropLeft, BackdropTop, BackdropWidth, g.backdropHeight));
    m_c.sideLeft->setGeometry(
        Twips::toPixels(SideLeftLeft, BackdropTop, SideLeftWidth, g.sideLeftHeight));
    m_c.sideRight->setGeometry(
        Twips::toPixels(SideRightLeft, BackdropTop, SideRightWidth, g.sideRightHeight));
    m_c.strip->move(Twips::toPixels(StripLeft), Twips::toPixels(g.stripTop));
}

// The logic's values shown on the controls; the sliders' own signals stay quiet, since only a
// change made by the presenter is one the logic has not seen yet.
void PlayerFace::showVolume()
{
    const VolumeDisplay &v = m_logic.model.volume();
    {
        const QSignalBlocker quiet(m_c.volume);
        m_c.volume->setValue(v.volume);
    }
    {
        const QSignalBlocker quiet(m_c.volPrinc);
        m_c.volPrinc->setValue(v.computer);
    }
    m_c.volume->setEnabled(v.volumeEnabled);
    m_c.volPrinc->setEnabled(v.computerEnabled);
    m_c.volPrinc->move(Twips::toPixels(v.computerLeft), 0);
    m_c.volume->move(Twips::toPixels(v.playerLeft), 0);
    m_c.volumeCaption->move(0, Twips::toPixels(v.labelTop - VolumeLabelClipTop));

    const int knobLeft = Twips::toPixels(v.knobLeft);
    m_c.volumeKnob->move(knobLeft, m_c.volumeKnob->y());
    m_c.volumeKnobSurface->move(knobLeft, m_c.volumeKnobSurface->y());
    m_c.volumeTrack->setFilled(Twips::toPixels(v.knobLeft + VolumeKnobWidth / 2 - VolumeTrackLeft));
    for (QWidget *part : {static_cast<QWidget *>(m_c.volumeTrack), m_c.volumeSensor,
                          m_c.volumeKnobSurface, static_cast<QWidget *>(m_c.volumeKnob)})
        part->setEnabled(v.volumeEnabled);
}
