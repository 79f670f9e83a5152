#include "options/optionscontrols.h"

#include "core/settings.h"

namespace {
const QString PackKey = QStringLiteral("usazmp");
constexpr int PackUnavailable = 2;
} // namespace

const QList<QStringView> &OptionsControls::checkKeys()
{
    static const QList<QStringView> keys{u"commpercorsi",   u"riprodcontinua", u"autoplay",
                                         u"wmpsemprevisib", u"ckvolprinc",     u"allungacella",
                                         u"veragg",         u"uniformavolume", u"penalita"};
    return keys;
}

bool OptionsControls::check(QStringView key) const
{
    const qsizetype index = checkKeys().indexOf(key);
    return index >= 0 && index < checks.size() && checks.at(index);
}

void OptionsControls::setCheck(QStringView key, bool on)
{
    const qsizetype index = checkKeys().indexOf(key);
    if (index < 0)
        return;
    checks.resize(checkKeys().size());
    checks[index] = on;
}

OptionsControls OptionsControls::fromSettings(const Settings &settings, int themeIndex)
{
    OptionsControls controls;
    for (const QStringView key : checkKeys())
        controls.checks << (settings.number(key.toString()) == 1);
    controls.fadeButton = settings.number(QStringLiteral("sfumadx"));
    controls.fadeSpeed = settings.number(QStringLiteral("abbvolume"));
    controls.themeIndex = themeIndex;
    const int pack = settings.number(PackKey);
    controls.packEnabled = pack < PackUnavailable;
    controls.packChecked = pack == 1;
    return controls;
}

bool fadeSpeedEnabled(int fadeButton)
{
    return fadeButton != 2;
}

bool CheckAnnullaModifiche(const Settings &settings, const OptionsControls &controls,
                           const PathsTable &saved, const PathsTable &working)
{
    for (const QStringView key : OptionsControls::checkKeys()) {
        if (settings.number(key.toString()) != (controls.check(key) ? 1 : 0))
            return true;
    }
    if (settings.number(QStringLiteral("sfumadx")) != controls.fadeButton ||
        settings.number(QStringLiteral("indextema")) != controls.themeIndex ||
        settings.number(QStringLiteral("abbvolume")) != controls.fadeSpeed)
        return true;
    const int pack = settings.number(PackKey);
    if (!(pack == PackUnavailable && !controls.packEnabled) &&
        pack != (controls.packChecked ? 1 : 0))
        return true;
    for (std::size_t slot = 0; slot < saved.size(); ++slot) {
        if (saved[slot].file != working[slot].file || saved[slot].folder != working[slot].folder ||
            saved[slot].source != working[slot].source ||
            saved[slot].snippet != working[slot].snippet)
            return true;
    }
    return false;
}

void readControls(Settings &settings, const OptionsControls &controls)
{
    for (const QStringView key : OptionsControls::checkKeys())
        settings.setNumber(key.toString(), controls.check(key) ? 1 : 0);
    settings.setNumber(QStringLiteral("abbvolume"), controls.fadeSpeed);
    settings.setNumber(PackKey,
                       controls.packEnabled ? (controls.packChecked ? 1 : 0) : PackUnavailable);
}
