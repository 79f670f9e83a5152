#pragma once

#include "core/pathsfile.h"

#include <QList>
#include <QString>

class Settings;

// The values of the "Avanzate" and theme controls and of the teams tab's check box, free of
// widgets, so the change check and the apply work on plain data.
struct OptionsControls {
    // Check boxes bound to a settings key, in the order the apply reads them.
    static const QList<QStringView> &checkKeys();

    QList<bool> checks;      // one per checkKeys() entry
    int fadeButton = 1;      // CheckSfumaDx: 0 Sinistro, 1 Destro, 2 Nessuno, 3 Entrambi
    int fadeSpeed = 3;       // sldStop
    int themeIndex = -1;     // selected row of Skin, -1 none
    bool packEnabled = true; // CheckZMP is enabled
    bool packChecked = false;

    bool check(QStringView key) const;
    void setCheck(QStringView key, bool on);

    // The controls as the window shows the in-memory settings at load.
    static OptionsControls fromSettings(const Settings &settings, int themeIndex);
};

// The fade speed slider and its three labels are usable unless "Nessuno" is chosen.
bool fadeSpeedEnabled(int fadeButton);

// True when a control differs from the stored settings or a song slot differs between the saved
// and the working table. A disabled CheckZMP over a stored 2 is no change.
bool CheckAnnullaModifiche(const Settings &settings, const OptionsControls &controls,
                           const PathsTable &saved, const PathsTable &working);

// Reads the controls into the settings (not the theme index, which the theme apply sets).
void readControls(Settings &settings, const OptionsControls &controls);
