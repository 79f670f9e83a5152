#include "options/qtsongfiledialog.h"

#include "options/songs/songnames.h"

#include <QFileDialog>

std::optional<QString> QtSongFileDialog::open(const QString &startFolder)
{
    QFileDialog dialog(m_parent, QStringLiteral("Scegli la canzone"), startFolder);
    dialog.setObjectName(QStringLiteral("dlgCanzone"));
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    QStringList filters;
    for (const SongNames::Filter &filter : SongNames::filters())
        filters.append(filter.caption + QStringLiteral(" (") + filter.patterns.join(u' ') + u')');
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.at(SongNames::PreselectedFilter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}
