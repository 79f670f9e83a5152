#pragma once

#include "maintenance/cleanuplist.h"

#include <QDialog>

#include <functional>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QProgressBar;
class QPushButton;
class QSpacerItem;
class QuestionPort;
struct AppState;

// The cleanup window "Pulizia file inutili": lists the files of Musiche that no slot uses (see
// UnusedSongs::cleanupUsedText), lets the presenter untick the ones to keep and deletes the rest.
// The list sits in the lower part, shown by "Mostra Dettagli".
class Pulizia : public QDialog {
    Q_OBJECT
public:
    // afterDeletion runs after every "Prosegui", so the options window checks its cells again: a
    // file a slot points at may have gone.
    Pulizia(AppState &state, QuestionPort &questions, std::function<void()> afterDeletion,
            QWidget *parent = nullptr);

    // Opens the window modally over parent and returns when it is closed.
    static void openModal(AppState &state, QuestionPort &questions,
                          std::function<void()> afterDeletion, QWidget *parent);

    static constexpr int CompactHeight = 3000;
    static constexpr int DetailsHeight = 6120;

    // Scans again and fills the list, every file ticked.
    void CaricaDati();
    bool detailsShown() const { return m_details; }
    const CleanupList &list() const { return m_list; }

private:
    void buildControls();
    QWidget *buildDetails();
    void EtichettaNFile();
    void showDetails(bool shown);
    void tickChanged(QListWidgetItem *item);
    void tickAll(bool ticked);
    void prosegui();

    AppState &m_state;
    QuestionPort &m_questions;
    std::function<void()> m_afterDeletion;
    CleanupList m_list;
    bool m_loaded = false;
    bool m_details = false;
    QLabel *m_count = nullptr;
    QLabel *m_detailsLink = nullptr;
    QWidget *m_detailsPart = nullptr;
    QSpacerItem *m_gap = nullptr;
    QListWidget *m_files = nullptr;
    QProgressBar *m_bar = nullptr;
    QPushButton *m_proceed = nullptr;
    QPushButton *m_close = nullptr;
    QPushButton *m_select = nullptr;
    QPushButton *m_deselect = nullptr;
};
