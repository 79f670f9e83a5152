#pragma once

#include "options/optionscontrols.h"

#include <QWidget>

#include <array>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QSlider;

// The content of the "Avanzate" tab (frame frOpzioni2): playback, fade, cells, paths, updates,
// music pack and video settings. A passive view: it shows and reads OptionsControls and reports the
// two choices that act at once.
class OpzioniAvanzate : public QWidget {
    Q_OBJECT
public:
    explicit OpzioniAvanzate(QWidget *parent = nullptr);

    void setControls(const OptionsControls &controls);
    // Fills every value of the tab; the theme index is left as it is.
    void readControls(OptionsControls &controls) const;

signals:
    // A fade button was chosen (CheckSfumaDx index); the slider has already followed it.
    void fadeChosen(int button);
    // "Verifica adesso".
    void updateNowRequested();

private:
    QWidget *buildPlaybackGroup();
    QWidget *buildFadeRow(QWidget *box);
    QWidget *buildSmallGroups();
    void enableFadeSpeed(int button);

    QSlider *m_fadeSpeed = nullptr;
    std::array<QLabel *, 3> m_fadeLabels{};
    QButtonGroup *m_fadeButtons = nullptr;
    QList<QCheckBox *> m_checks;
    QCheckBox *m_pack = nullptr;
};
