#pragma once

#include "core/pathsfile.h"
#include "songcheck/probequeue.h"

#include <QWidget>

class QLabel;
class QProgressBar;
class QTableWidget;

// "Verifica dei brani": every slot's song decoded through to its end before the show, one row
// per slot (category, points, file, length, state, loudness), filled as the songs are done in
// the background. Closing the window stops the check at once; what was analysed is kept.
class VerificaBrani : public QWidget {
    Q_OBJECT

public:
    enum Column { Categoria, Punti, File, Durata, Stato, Lufs, ColumnCount };

    VerificaBrani(const PathsTable &songs, AudioProbe &probe, AnalysisCache &cache,
                  QWidget *parent = nullptr);
    ~VerificaBrani() override;

    // Starts the check; the rows of songs already analysed fill at once.
    void start();
    bool isDone() const { return m_done == m_total; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void addRows(const PathsTable &songs);
    void sizeColumns();
    void showResult(int row, const SongAnalysis &analysis);
    void finish();

    AnalysisCache &m_cache;
    ProbeQueue m_queue;
    QStringList m_paths;
    // The snippet each row's slot plays of its song.
    QList<Snippet> m_snippets;
    QTableWidget *m_table;
    QProgressBar *m_progress;
    QLabel *m_summary;
    int m_done = 0;
    int m_total = 0;
    int m_faults = 0;
};

// Opens the check window over the given slots; it deletes itself when closed.
VerificaBrani *openSongCheck(const PathsTable &songs, AudioProbe &probe, AnalysisCache &cache,
                             QWidget *parent = nullptr);
