#include "options/qtsongfiledialog.h"

#include "options/songs/songnames.h"
#include "widgets/placement.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QScreen>
#include <QTreeView>

namespace {

// The file list shows sizes and dates in Italian, as the rest of the dialog speaks through Qt's
// own translation, whatever the language of the system.
class ItalianDetails : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex &index, int role) const override
    {
        const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
        if (role != Qt::DisplayRole || !files || (index.column() != Size && index.column() != Date))
            return QIdentityProxyModel::data(index, role);
        const QFileInfo info = files->fileInfo(mapToSource(index));
        if (index.column() == Date)
            return m_italian.toString(info.lastModified(), QLocale::ShortFormat);
        if (info.isDir())
            return QIdentityProxyModel::data(index, role);
        return m_italian.formattedDataSize(info.size());
    }

private:
    enum Column { Size = 1, Date = 3 };
    QLocale m_italian{QLocale::Italian, QLocale::Italy};
};

// Wide enough for every column of the detailed list and the long filter captions.
void sizeDialog(QFileDialog &dialog, QWidget *parent)
{
    const QSize wanted(900, 540);
    const QScreen *screen = parent ? parent->screen() : dialog.screen();
    const QSize room = screen ? screen->availableGeometry().size() * 9 / 10 : wanted;
    dialog.resize(wanted.boundedTo(room));
    if (auto *details = dialog.findChild<QTreeView *>(QStringLiteral("treeView"))) {
        QHeaderView *header = details->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    centreOver(&dialog, parent ? parent->window() : nullptr);
}

} // namespace

std::optional<QString> QtSongFileDialog::open(const QString &startFolder)
{
    QFileDialog dialog(m_parent, QStringLiteral("Scegli la canzone"), startFolder);
    dialog.setObjectName(QStringLiteral("dlgCanzone"));
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    dialog.setProxyModel(new ItalianDetails(&dialog));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    QStringList filters;
    for (const SongNames::Filter &filter : SongNames::filters())
        filters.append(filter.caption + QStringLiteral(" (") + filter.patterns.join(u' ') + u')');
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.at(SongNames::PreselectedFilter));
    sizeDialog(dialog, m_parent);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}
