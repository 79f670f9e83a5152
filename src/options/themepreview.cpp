#include "options/themepreview.h"

#include "widgets/twips.h"

#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QPixmapCache>

#include <array>

namespace {

// The board as it stands on a 1024 x 768 screen, in twips: the preview is drawn to its scale.
constexpr double BoardWidth = 15360;
constexpr double BoardHeight = 11520;
constexpr double SideMargin = 2500;
constexpr double TopMargin = 1000;
constexpr double ButtonGap = 250;
constexpr double ButtonHeight = 495;
constexpr double ResetWidth = 975;
// Centres of the rows (n / 45 of the board picture's height) and columns (n / 8 of its width).
constexpr std::array<double, 5> RowCentre{4, 12, 22, 31.5, 40};
constexpr std::array<double, 5> ColumnCentre{3.2, 4.2, 5.25, 6.24, 7.4};
// The board's number font is 36 points; its exit caption 13.5.
constexpr double NumberPoints = 36;
constexpr double ExitPoints = 13.5;

} // namespace

ThemePreview::ThemePreview(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PictureAnteprimaTema"));
    setAccessibleName(QStringLiteral("Anteprima del tema"));
    setFixedSize(Twips::toPixels(4800), Twips::toPixels(3600));
}

void ThemePreview::setBoardPicture(const QString &file)
{
    // A picture that cannot be read leaves the preview as it was, as on the board.
    if (picture(file, boardRect().size(), false).isNull())
        return;
    m_board = file;
    update();
}

void ThemePreview::setExitPicture(const QString &file)
{
    if (picture(file, exitRect().size(), true).isNull())
        return;
    m_exit = file;
    update();
}

void ThemePreview::setBackgroundColour(int colour)
{
    m_background = QColor(colour & 0xff, (colour >> 8) & 0xff, (colour >> 16) & 0xff);
    update();
}

QPixmap ThemePreview::picture(const QString &file, QSize size, bool keepAspect)
{
    const QFileInfo info(file);
    if (!info.isFile() || size.isEmpty())
        return {};
    const QString key = QStringLiteral("preview|%1|%2|%3|%4x%5|%6")
                            .arg(info.absoluteFilePath())
                            .arg(info.lastModified().toMSecsSinceEpoch())
                            .arg(info.size())
                            .arg(size.width())
                            .arg(size.height())
                            .arg(keepAspect ? 1 : 0);
    QPixmap result;
    if (QPixmapCache::find(key, &result))
        return result;
    QImageReader reader(file);
    const QSize full = reader.size();
    if (full.isValid()) {
        // Decoding at the target size is much quicker than decoding whole and shrinking.
        reader.setScaledSize(keepAspect ? full.scaled(size, Qt::KeepAspectRatio) : size);
    }
    const QImage image = reader.read();
    if (image.isNull())
        return {};
    result = QPixmap::fromImage(image);
    QPixmapCache::insert(key, result);
    return result;
}

QRect ThemePreview::boardRect() const
{
    const double sx = width() / BoardWidth, sy = height() / BoardHeight;
    return QRectF(SideMargin * sx, TopMargin * sy, (BoardWidth - 2 * SideMargin) * sx,
                  (BoardHeight - 2400) * sy)
        .toRect();
}

QRect ThemePreview::exitRect() const
{
    const double sx = width() / BoardWidth, sy = height() / BoardHeight;
    const QRect board = boardRect();
    return QRectF(board.left(), board.bottom() + ButtonGap * sy,
                  (BoardWidth - ResetWidth - 5300) * sx, ButtonHeight * sy)
        .toRect();
}

void ThemePreview::paintEvent(QPaintEvent *)
{
    // The whole mock-up is drawn once per theme and size, then kept with the pictures.
    const QString key = QStringLiteral("preview-board|%1|%2|%3|%4x%5|%6")
                            .arg(m_board, m_exit, m_background.name())
                            .arg(width())
                            .arg(height())
                            .arg(palette().cacheKey());
    QPixmap drawn;
    if (!QPixmapCache::find(key, &drawn)) {
        drawn = QPixmap(size());
        drawn.fill(m_background);
        QPainter painter(&drawn);
        const QRect board = boardRect();
        const QPixmap boardPixmap = picture(m_board, board.size(), false);
        if (!boardPixmap.isNull())
            painter.drawPixmap(board.topLeft(), boardPixmap);
        paintNumbers(painter, board);
        paintExit(painter, exitRect());
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        painter.end();
        QPixmapCache::insert(key, drawn);
    }
    QPainter(this).drawPixmap(0, 0, drawn);
}

void ThemePreview::paintNumbers(QPainter &painter, const QRect &board) const
{
    const double scale = width() / BoardWidth;
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setBold(true);
    // Points are twentieths of twips' inch: 36 points are 720 twips tall.
    font.setPixelSize(qMax(4, qRound(NumberPoints * 20 * scale)));
    painter.setFont(font);
    painter.setPen(palette().color(QPalette::ButtonText));
    for (std::size_t row = 0; row < RowCentre.size(); ++row) {
        for (std::size_t column = 0; column < ColumnCentre.size(); ++column) {
            const QPointF centre(board.left() + board.width() / 8.0 * ColumnCentre.at(column),
                                 board.top() + board.height() / 45.0 * RowCentre.at(row));
            const QRectF cell(centre - QPointF(20, 10), QSizeF(40, 20));
            painter.drawText(cell, Qt::AlignCenter, QString::number((column + 1) * 10));
        }
    }
}

void ThemePreview::paintExit(QPainter &painter, const QRect &exit) const
{
    painter.fillRect(exit, palette().color(QPalette::Button));
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(exit.adjusted(0, 0, -1, -1));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(qMax(4, qRound(ExitPoints * 20 * width() / BoardWidth)));
    painter.setFont(font);
    const QPixmap exitPixmap = picture(m_exit, exit.size() - QSize(4, 4), true);
    const int textWidth = painter.fontMetrics().horizontalAdvance(QStringLiteral("Esci"));
    const int spacing = exitPixmap.isNull() ? 0 : exitPixmap.width() + 3;
    int left = exit.center().x() - (spacing + textWidth) / 2;
    if (!exitPixmap.isNull()) {
        painter.drawPixmap(left, exit.center().y() - exitPixmap.height() / 2, exitPixmap);
        left += spacing;
    }
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(QRect(left, exit.top(), textWidth + 2, exit.height()), Qt::AlignVCenter,
                     QStringLiteral("Esci"));
}
