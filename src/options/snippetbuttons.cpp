#include "options/snippetbuttons.h"

#include "options/songs/previewplayer.h"
#include "platform/mediaplayer.h"
#include "widgets/namedcontrols.h"

#include <QHBoxLayout>
#include <QPushButton>

#include <cmath>
#include <utility>

SnippetButtons::SnippetButtons(SongEditor &editor, PreviewPlayer &preview, MediaPlayer &player,
                               std::function<QString()> category, std::function<void()> changed,
                               QWidget *parent)
    : QWidget(parent), m_editor(editor), m_preview(preview), m_player(player),
      m_category(std::move(category)), m_changed(std::move(changed))
{
    setObjectName(QStringLiteral("frEstratto"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    auto *start = NamedControls::button(
        this, "btnInizio", QStringLiteral("Inizio"),
        QStringLiteral("La canzone della cella partirà dal punto in cui si trova l'anteprima"));
    auto *end = NamedControls::button(
        this, "btnFine", QStringLiteral("Fine"),
        QStringLiteral("La canzone della cella sfumerà nel punto in cui si trova l'anteprima"));
    auto *whole = NamedControls::button(this, "btnTuttoIlBrano", QStringLiteral("Tutto il brano"),
                                        QStringLiteral("La cella suonerà la canzone intera"));
    for (QPushButton *button : {start, end, whole})
        row->addWidget(button);
    row->addStretch();
    connect(start, &QPushButton::clicked, this, [this] { take(SongEditor::Point::Start); });
    connect(end, &QPushButton::clicked, this, [this] { take(SongEditor::Point::End); });
    connect(whole, &QPushButton::clicked, this, &SnippetButtons::clear);
}

int SnippetButtons::previewedPosition() const
{
    return m_preview.previewing(m_category()) ? m_preview.previewedPosition() : -1;
}

void SnippetButtons::take(SongEditor::Point point)
{
    const int label = m_editor.pointsLabel(previewedPosition(), true);
    if (label < 0)
        return;
    const auto ms = static_cast<qint64>(std::llround(m_player.currentPosition() * 1000));
    if (m_editor.setPoint(label, point, ms))
        m_changed();
}

void SnippetButtons::clear()
{
    const int label = m_editor.pointsLabel(previewedPosition(), false);
    if (label < 0)
        return;
    m_editor.clearPoints(label);
    m_changed();
}
