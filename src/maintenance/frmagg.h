#pragma once

#include "maintenance/versionrules.h"

#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;
class UpdateCheck;
struct AppState;

// The update window "Aggiornamenti": the installed and the newest version and a status line.
// It runs its check when loaded and on "Ricarica"; "Visita il sito degli Aggiornamenti" opens
// the project's web site through link.
class frmAgg : public QWidget {
    Q_OBJECT
public:
    frmAgg(AppState &state, UpdateCheck &check, std::function<void(const QString &)> link,
           QString website, QWidget *parent = nullptr);

    // Runs the check; the labels are filled when the answer arrives.
    void CheckAgg();

private:
    void buildControls();
    void fill(UpdateResult result);

    AppState &m_state;
    UpdateCheck &m_check;
    std::function<void(const QString &)> m_link;
    QString m_website;
    QLabel *m_installed = nullptr;
    QLabel *m_current = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_reload = nullptr;
};
