#include "core/settings.h"

namespace {

const QString PackKey = QStringLiteral("usazmp");
const QString OldPathsKey = QStringLiteral("percorsi");

} // namespace

const QList<SettingKey> &settingKeys()
{
    static const QList<SettingKey> keys{
        {u"indextema", u"0", u"0"},
        {u"commpercorsi", u"0", u"0"},
        {u"riprodcontinua", u"0", u"0"},
        {u"wmpsemprevisib", u"1", u"1"},
        {u"autoplay", u"1", u"1"},
        {u"volprinc", u"50", u"50"},
        {u"ckvolprinc", u"1", u"1"},
        {u"allungacella", u"1", u"1"},
        {u"abbvolume", u"3", u"1"},
        {u"sfumadx", u"1", u"1"},
        {u"veragg", u"1", u"1"},
        {u"cleanpath", u"0", u"0"},
        {u"usazmp", u"2", u"0"},
        {u"uniformavolume", u"0", u"0", false},
        {u"penalita", u"0", u"0", false},
        {u"buzzertelefoni", u"0", u"0", false},
        {u"portabuzzer", u"8765", u"8765", false},
    };
    return keys;
}

Settings::Settings()
{
    resetToDefaults(false);
}

int Settings::number(const QString &key) const
{
    bool ok = false;
    const int n = value(key).toInt(&ok);
    return ok ? n : 0;
}

void Settings::resetToDefaults(bool keepPackChoice)
{
    for (const SettingKey &key : settingKeys()) {
        const QString name = key.name.toString();
        if (keepPackChoice && name == PackKey)
            continue;
        m_values.insert(name, key.defaultValue.toString());
    }
    m_extra.clear();
}

bool Settings::readLine(const QString &line, bool keepPackChoice)
{
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return false;
    if (line.startsWith(u'#')) {
        m_extra += line + u"\r\n";
        return false;
    }
    const QString key = line.left(eq).trimmed().toLower();
    const QString value = line.mid(eq + 1).trimmed().toLower();
    if (key == OldPathsKey) {
        m_values.insert(key, value);
        return true;
    }
    for (const SettingKey &known : settingKeys()) {
        if (key != known.name)
            continue;
        if (keepPackChoice && key == PackKey)
            return true;
        m_values.insert(key, value.isEmpty() ? known.emptyValue.toString() : value);
        return true;
    }
    m_extra += line + u"\r\n";
    return true;
}

void Settings::read(const QStringList &lines, bool keepPackChoice)
{
    for (const QString &line : lines)
        readLine(line, keepPackChoice);
}

QString Settings::writtenForm() const
{
    QString text;
    for (const SettingKey &key : settingKeys()) {
        const QString name = key.name.toString();
        const QString value = m_values.value(name);
        if (key.writtenAtDefault || value != key.defaultValue)
            text += name + u'=' + value + u"\r\n";
    }
    if (m_extra.size() > 2)
        text += m_extra;
    return text;
}
