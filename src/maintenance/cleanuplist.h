#pragma once

#include "maintenance/unusedsongs.h"

#include <QList>
#include <QString>
#include <QStringList>

// The list of the cleanup window: the unused files of the last scan, each ticked (to delete) or
// not (to keep). FileInutili holds the name of a ticked entry and "/" for an unticked one.
class CleanupList {
public:
    using SongFile = UnusedSongs::SongFile;

    // Every file starts ticked.
    void load(const QList<SongFile> &files);

    qsizetype size() const { return m_entries.size(); }
    const QString &name(qsizetype index) const { return m_entries.at(index).name; }
    bool isTicked(qsizetype index) const { return m_files.at(index) != u"/"; }
    // Setting the state an entry already has changes nothing.
    void setTicked(qsizetype index, bool ticked);

    // Number of ticked entries: the files "Prosegui" deletes.
    int count() const { return m_count; }
    const QStringList &FileInutili() const { return m_files; }
    // The ticked files, with the bytes the deletion needs.
    QList<SongFile> ticked() const;

    // The count text of lblNFiles.
    QString caption() const { return EtichettaNFile(m_count); }
    static QString EtichettaNFile(int count);

private:
    QList<SongFile> m_entries;
    QStringList m_files;
    int m_count = 0;
};
