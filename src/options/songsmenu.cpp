#include "options/songsmenu.h"

namespace {
const QStringList MenuCategories{QStringLiteral("Spot"), QStringLiteral("Canto"),
                                 QStringLiteral("Colonne sonore"), QStringLiteral("Ballo"),
                                 QStringLiteral("Scelte dagli educatori")};
} // namespace

SongsMenu::SongsMenu(const SongEditor::Menu &state, QWidget *parent) : m_menu(parent)
{
    m_menu.setObjectName(QStringLiteral("mnuFile"));
    addEntry(&m_menu, QStringLiteral("mnumod0"), QStringLiteral("Riproduci"),
             {Action::Play, 0, 0, {}});
    addEntry(&m_menu, QStringLiteral("mnumod1"), QStringLiteral("Modifica"),
             {Action::Edit, 0, 0, {}});
    addEntry(&m_menu, QStringLiteral("mnumod2"), QStringLiteral("Rimuovi"),
             {Action::Remove, 0, 0, {}});
    m_menu.addSeparator();
    addEntry(&m_menu, QStringLiteral("mnumod4"), QStringLiteral("Copia"), {Action::Copy, 0, 0, {}});
    addEntry(&m_menu, QStringLiteral("mnumod5"), QStringLiteral("Incolla"),
             {Action::Paste, 0, 0, {}})
        ->setEnabled(state.incolla);
    addMoveMenus(state);
    m_menu.addSeparator();
    addEntry(&m_menu, QStringLiteral("mnumod9"), QStringLiteral("Sposta Su"),
             {Action::MoveUp, 0, 0, {}})
        ->setEnabled(state.spostaSu);
    addEntry(&m_menu, QStringLiteral("mnumod10"), QStringLiteral("Sposta Giù"),
             {Action::MoveDown, 0, 0, {}})
        ->setEnabled(state.spostaGiu);
}

QAction *SongsMenu::addEntry(QMenu *menu, const QString &name, const QString &text, Choice choice)
{
    // Entries show song names: an "&" in one is a letter, not the mark of an accelerator.
    QAction *action = menu->addAction(QString(text).replace(u'&', QStringLiteral("&&")));
    action->setObjectName(name);
    QObject::connect(action, &QAction::triggered, &m_menu,
                     [this, choice = std::move(choice)] { m_choice = choice; });
    return action;
}

void SongsMenu::addMoveMenus(const SongEditor::Menu &state)
{
    QMenu *moveTo = m_menu.addMenu(QStringLiteral("Sposta in..."));
    moveTo->menuAction()->setObjectName(QStringLiteral("mnumod6"));
    QMenu *replace = m_menu.addMenu(QStringLiteral("Sostituisci con..."));
    replace->menuAction()->setObjectName(QStringLiteral("mnumod7"));
    for (int c = 0; c < 5; ++c) {
        QMenu *to = moveTo->addMenu(MenuCategories.at(c));
        to->menuAction()->setObjectName(QStringLiteral("mnuspcat%1").arg(c));
        QMenu *with = replace->addMenu(MenuCategories.at(c));
        with->menuAction()->setObjectName(QStringLiteral("mnusost%1").arg(c));
        for (int i = 0; i < 5; ++i) {
            const QString text = state.categories.at(static_cast<std::size_t>(c)).at(i);
            addEntry(to, QStringLiteral("mnucat%1_%2").arg(c).arg(i), text,
                     {Action::MoveTo, c, i, {}});
            addEntry(with, QStringLiteral("mnust%1_%2").arg(c).arg(i), text,
                     {Action::ReplaceWith, c, i, {}});
        }
    }
    replace->addSeparator();
    QMenu *unused = replace->addMenu(QStringLiteral("Non utilizzate"));
    unused->menuAction()->setObjectName(QStringLiteral("mnusost6"));
    unused->menuAction()->setEnabled(state.nonUtilizzate);
    for (int k = 0; k < state.unused.size(); ++k) {
        const QString &name = state.unused.at(k);
        addEntry(unused, QStringLiteral("mnuNusate%1").arg(k), name,
                 {Action::UseUnused, 0, 0, name});
    }
}

SongsMenu::Choice SongsMenu::exec(QPoint global)
{
    m_choice = {};
    m_menu.exec(global);
    return m_choice;
}
