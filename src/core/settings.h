#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

class QIODevice;

// One setting of Impostazioni.ini: its default and the value a present but empty key gives.
struct SettingKey {
    QStringView name;
    QStringView defaultValue;
    QStringView emptyValue;
    // A key the file did not always have is written only once it differs from its default,
    // so the file of a presenter who never used it stays as it was.
    bool writtenAtDefault = true;
};

// The keys in their written order (the paths-file key "percorsi" is read, never written).
const QList<SettingKey> &settingKeys();

// The settings record: every value as text, trimmed and lower-cased as read; consumers convert
// to a number where they compare (a text that is not a number counts as 0).
class Settings {
public:
    Settings();

    QString value(const QString &key) const { return m_values.value(key); }
    int number(const QString &key) const;
    void setValue(const QString &key, const QString &value) { m_values.insert(key, value); }
    void setNumber(const QString &key, int value) { setValue(key, QString::number(value)); }

    // Lines kept verbatim ("#" lines and unknown keys), each followed by CRLF.
    const QString &extraLines() const { return m_extra; }

    // Every key back to its default and no extra lines. usazmp is left alone when keepPackChoice.
    void resetToDefaults(bool keepPackChoice);

    // Applies the read rules to one line; true when the line set a known key (progress step).
    bool readLine(const QString &line, bool keepPackChoice);
    void read(const QStringList &lines, bool keepPackChoice);

    // The written form: the key lines, then the extra lines.
    QString writtenForm() const;

private:
    QHash<QString, QString> m_values;
    QString m_extra;
};
