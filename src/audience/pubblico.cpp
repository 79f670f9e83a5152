#include "audience/pubblico.h"

#include "audience/model/audiencemodel.h"
#include "board/boardlayout.h"
#include "board/boardpicture.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace {

// The theme's colour value (blue x 65536 + green x 256 + red) as a colour.
QColor themeColour(int value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

QString labelStyle(const QString &colour, int pixels)
{
    return QStringLiteral("color: %1; font-weight: bold; font-size: %2px;")
        .arg(colour)
        .arg(qMax(8, pixels));
}

} // namespace

Pubblico::Pubblico(const AudienceModel &model, QWidget *parent)
    : QWidget(parent, Qt::Window), m_model(model)
{
    setObjectName(QStringLiteral("Pubblico"));
    setWindowTitle(QStringLiteral("Pubblico"));
    setAccessibleName(QStringLiteral("Pubblico"));
    // Opening it leaves the keyboard with the board, where the presenter is.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(true);
    resize(960, 600);
    build();
    connect(&m_model, &AudienceModel::changed, this, &Pubblico::refresh);
    refresh();
}

QLabel *Pubblico::bigLabel(const QString &objectName, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->hide();
    return label;
}

void Pubblico::build()
{
    m_picture = new BoardPicture(this);
    m_picture->setObjectName(QStringLiteral("Tabella"));
    for (int slot = 0; slot < SlotCount; ++slot) {
        auto *label = new QLabel(QString::number(slotPoints(slot % SlotsPerCategory)), m_picture);
        label->setObjectName(QStringLiteral("Numero%1").arg(slot));
        label->setAlignment(Qt::AlignCenter);
        // The board's own face for its numbers, so the room reads the same board.
        label->setFont(QFont(QStringLiteral("Comic Sans MS")));
        m_numbers[size_t(slot)] = label;
    }
    m_strip = new QWidget(this);
    m_strip->setObjectName(QStringLiteral("Punteggi"));
    new QHBoxLayout(m_strip);
    m_booking = bigLabel(QStringLiteral("Prenotata"), this);
    m_reveal = bigLabel(QStringLiteral("Rivelato"), this);

    m_phones = new QWidget(this);
    m_phones->setObjectName(QStringLiteral("Telefoni"));
    auto *column = new QVBoxLayout(m_phones);
    m_qr = new QLabel(m_phones);
    m_qr->setObjectName(QStringLiteral("CodiceQR"));
    m_qr->setAccessibleName(QStringLiteral("Codice QR dell'indirizzo"));
    m_qr->setAlignment(Qt::AlignCenter);
    m_qr->setScaledContents(false);
    m_address = bigLabel(QStringLiteral("Indirizzo"), m_phones);
    m_code = bigLabel(QStringLiteral("CodiceGioco"), m_phones);
    column->addStretch();
    for (QLabel *label : {m_qr, m_address, m_code})
        column->addWidget(label);
    column->addStretch();
}

void Pubblico::refresh()
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, themeColour(m_model.background()));
    setPalette(palette);
    // The picture is opened again only when the theme changes, not at every mark.
    if (m_model.picture() != m_pictureFile && m_picture->setPictureFile(m_model.picture()))
        m_pictureFile = m_model.picture();
    refreshNumbers();
    refreshTeams();

    const QString booked = m_model.bookedName();
    m_booking->setText(booked);
    m_booking->setAccessibleName(booked);
    m_booking->setVisible(!booked.isEmpty());
    m_reveal->setText(m_model.revealed());
    m_reveal->setAccessibleName(m_model.revealed());
    m_reveal->setVisible(!m_model.revealed().isEmpty());
    refreshPhones();
    place();
}

void Pubblico::refreshNumbers()
{
    for (int slot = 0; slot < SlotCount; ++slot) {
        QLabel *label = m_numbers[size_t(slot)];
        const bool played = m_model.isPlayed(slot);
        label->setAccessibleName(AudienceModel::numberName(slot, played));
        QFont font = label->font();
        font.setStrikeOut(played);
        label->setFont(font);
        label->setProperty("played", played);
    }
}

void Pubblico::refreshTeams()
{
    const int count = m_model.teamCount();
    while (m_scores.size() > count)
        delete m_scores.takeLast();
    while (m_scores.size() < count) {
        auto *label = new QLabel(m_strip);
        label->setObjectName(QStringLiteral("Punteggio%1").arg(m_scores.size() + 1));
        label->setAlignment(Qt::AlignCenter);
        m_strip->layout()->addWidget(label);
        m_scores.append(label);
    }
    for (int team = 0; team < count; ++team) {
        m_scores.at(team)->setText(m_model.team(team).name + u"  " +
                                   QString::number(m_model.score(team)));
        m_scores.at(team)->setAccessibleName(m_model.scoreName(team));
    }
    m_strip->setVisible(count > 0);
}

void Pubblico::refreshPhones()
{
    const bool on = !m_model.phoneAddress().isEmpty();
    m_phones->setVisible(on);
    if (!on)
        return;
    QPixmap qr;
    qr.loadFromData(m_model.phoneQr(), "PNG");
    m_qr->setPixmap(qr);
    m_qr->setVisible(!qr.isNull());
    m_address->setText(m_model.phoneAddress());
    m_address->setAccessibleName(m_model.phoneAddress());
    m_address->show();
    const QString code = QStringLiteral("Codice: ") + m_model.phoneCode();
    m_code->setText(code);
    m_code->setAccessibleName(code);
    m_code->show();
}

void Pubblico::place()
{
    const int w = width();
    const int h = height();
    const int margin = h / 40;
    const int revealHeight = m_reveal->isVisibleTo(this) ? h * 11 / 100 : 0;
    const int stripHeight = m_strip->isVisibleTo(this) ? h * 13 / 100 : 0;
    const int phonesWidth = m_phones->isVisibleTo(this) ? qMin(w * 30 / 100, h * 45 / 100) : 0;

    const QRect picture(margin, margin, w - phonesWidth - 2 * margin,
                        h - stripHeight - revealHeight - 2 * margin);
    m_picture->setGeometry(picture);
    m_strip->setGeometry(margin, picture.bottom() + 1, picture.width(), stripHeight);
    m_reveal->setGeometry(margin, h - revealHeight - margin / 2, w - 2 * margin, revealHeight);
    m_phones->setGeometry(w - phonesWidth, 0, phonesWidth, h - revealHeight);
    m_booking->setGeometry(picture.x() + picture.width() / 10,
                           picture.y() + picture.height() * 35 / 100, picture.width() * 8 / 10,
                           picture.height() * 30 / 100);

    for (QLabel *score : std::as_const(m_scores)) {
        const int team = int(m_scores.indexOf(score));
        score->setStyleSheet(labelStyle(m_model.team(team).colour, stripHeight * 45 / 100) +
                             u"background: rgba(0, 0, 0, 150); border-radius: 8px;");
    }
    if (m_model.booked() >= 0)
        m_booking->setStyleSheet(labelStyle(QStringLiteral("white"), picture.height() / 8) +
                                 u"border-radius: 16px; background: " +
                                 m_model.team(m_model.booked()).colour + u';');
    m_reveal->setStyleSheet(labelStyle(QStringLiteral("white"), revealHeight * 45 / 100) +
                            u"background: rgba(0, 0, 0, 170); border-radius: 8px;");
    m_phones->setStyleSheet(QStringLiteral("background: rgba(0, 0, 0, 120);"));
    m_address->setStyleSheet(labelStyle(QStringLiteral("white"), phonesWidth * 5 / 100));
    m_code->setStyleSheet(labelStyle(QStringLiteral("yellow"), phonesWidth * 12 / 100));
    if (!m_qr->pixmap().isNull() || phonesWidth > 0) {
        QPixmap qr;
        qr.loadFromData(m_model.phoneQr(), "PNG");
        if (!qr.isNull())
            m_qr->setPixmap(qr.scaled(phonesWidth * 8 / 10, phonesWidth * 8 / 10,
                                      Qt::KeepAspectRatio, Qt::FastTransformation));
    }
    placeNumbers();
}

void Pubblico::placeNumbers()
{
    // The numbers sit where the board puts them on its picture: the same fractions of it.
    BoardLayout::Geometry geometry;
    geometry.tabella = {0, 0, double(m_picture->width()), double(m_picture->height())};
    for (int category = 0; category < CategoryCount; ++category)
        BoardLayout::posizionaRiga(geometry, category);
    const int boxWidth = m_picture->width() / 9;
    const int boxHeight = m_picture->height() * 12 / 100;
    for (int slot = 0; slot < SlotCount; ++slot) {
        const BoardLayout::Box &box =
            geometry.numbers[size_t(slot / SlotsPerCategory)][size_t(slot % SlotsPerCategory)];
        const QPoint centre(int(box.left + box.width / 2), int(box.top + box.height / 2));
        QLabel *label = m_numbers[size_t(slot)];
        label->setGeometry(centre.x() - boxWidth / 2, centre.y() - boxHeight / 2, boxWidth,
                           boxHeight);
        const bool played = label->property("played").toBool();
        label->setStyleSheet(labelStyle(played ? QStringLiteral("#FF0000")
                                               : palette().color(QPalette::ButtonText).name(),
                                        boxHeight * 3 / 4));
    }
}

void Pubblico::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    place();
}

void Pubblico::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        event->ignore();
}

QScreen *Pubblico::projectorScreen(const QList<QScreen *> &screens, const QScreen *board)
{
    for (QScreen *screen : screens) {
        if (screen && screen != board)
            return screen;
    }
    return nullptr;
}

void Pubblico::open(QScreen *board)
{
    if (QScreen *projector = projectorScreen(QGuiApplication::screens(), board)) {
        setScreen(projector);
        setGeometry(projector->geometry());
        showFullScreen();
        return;
    }
    showNormal();
}
