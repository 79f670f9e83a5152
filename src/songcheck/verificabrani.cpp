#include "songcheck/verificabrani.h"

#include "songcheck/songverdict.h"
#include "widgets/namedcontrols.h"
#include "widgets/oneline.h"
#include "widgets/placement.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QTableWidgetItem *cell(const QString &text, Qt::Alignment align = Qt::AlignLeft)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(align | Qt::AlignVCenter);
    return item;
}

} // namespace

VerificaBrani::VerificaBrani(const PathsTable &songs, AudioProbe &probe, AnalysisCache &cache,
                             QWidget *parent)
    : QWidget(parent, Qt::Window), m_cache(cache), m_queue(probe, cache),
      m_table(new QTableWidget(this)), m_progress(new QProgressBar(this)),
      m_summary(new QLabel(this))
{
    setObjectName(QStringLiteral("VerificaBrani"));
    setWindowTitle(QStringLiteral("Verifica dei brani"));
    m_table->setObjectName(QStringLiteral("Brani"));
    m_table->setAccessibleName(QStringLiteral("Brani"));
    m_table->setColumnCount(ColumnCount);
    m_table->setHorizontalHeaderLabels({QStringLiteral("Categoria"), QStringLiteral("Punti"),
                                        QStringLiteral("File"), QStringLiteral("Durata"),
                                        QStringLiteral("Stato"), QStringLiteral("LUFS")});
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_progress->setObjectName(QStringLiteral("Avanzamento"));
    m_progress->setAccessibleName(QStringLiteral("Avanzamento della verifica"));
    m_summary->setObjectName(QStringLiteral("Riepilogo"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(m_progress);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_summary, 1);
    auto *close = NamedControls::button(this, "btnChiudi", QStringLiteral("Chiudi"));
    bottom->addWidget(close);
    layout->addLayout(bottom);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    addRows(songs);
    sizeColumns();
    resize(760, 620);
    connect(&m_queue, &ProbeQueue::analysed, this, &VerificaBrani::showResult);
}

// The category and points are known from the start; the length and loudness columns are as wide
// as their widest possible text, so that a result arriving later never squeezes one against the
// scroll bar; the file and the state share what is left.
void VerificaBrani::sizeColumns()
{
    QHeaderView *header = m_table->horizontalHeader();
    for (const Column known : {Categoria, Punti})
        header->setSectionResizeMode(known, QHeaderView::ResizeToContents);
    const QFontMetrics text = m_table->fontMetrics();
    const int padding = text.horizontalAdvance(u'M') * 2;
    const std::pair<Column, QString> widest[] = {{Durata, QStringLiteral("000.00")},
                                                 {Lufs, QStringLiteral("-100.0")}};
    for (const auto &[column, sample] : widest) {
        const QString title = m_table->horizontalHeaderItem(column)->text();
        header->setSectionResizeMode(column, QHeaderView::Fixed);
        header->resizeSection(column, std::max(text.horizontalAdvance(sample),
                                               header->fontMetrics().horizontalAdvance(title)) +
                                          padding);
    }
    header->setSectionResizeMode(File, QHeaderView::Stretch);
    header->setSectionResizeMode(Stato, QHeaderView::Stretch);
}

VerificaBrani::~VerificaBrani()
{
    m_queue.stop();
    (void)m_cache.save();
}

void VerificaBrani::addRows(const PathsTable &songs)
{
    m_table->setRowCount(SlotCount);
    for (int slot = 0; slot < SlotCount; ++slot) {
        const int number = slot % SlotsPerCategory;
        const Category &c = category(slot / SlotsPerCategory);
        m_table->setItem(slot, Categoria, cell(c.displayName.toString()));
        m_table->setItem(slot, Punti, cell(QString::number(slotPoints(number)), Qt::AlignRight));
        m_table->setItem(slot, File, cell(oneLine(songs.at(size_t(slot)).file)));
        for (int column : {Durata, Stato, Lufs})
            m_table->setItem(slot, column, cell(QString(), Qt::AlignRight));
        m_table->item(slot, Stato)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        const SongSlot &song = songs.at(size_t(slot));
        m_paths << (song.file.isEmpty() ? QString() : song.fullPath());
        m_snippets << (song.snippet.appliesTo(song.file) ? song.snippet : Snippet{});
    }
    m_total = SlotCount;
    m_progress->setRange(0, m_total);
    m_progress->setValue(0);
}

void VerificaBrani::start()
{
    m_done = 0;
    m_faults = 0;
    m_progress->setValue(0);
    m_summary->setText(QStringLiteral("Verifica in corso..."));
    for (int row = 0; row < m_paths.size(); ++row)
        m_queue.enqueue(row, m_paths.at(row));
}

void VerificaBrani::showResult(int row, const SongAnalysis &analysis)
{
    if (row < 0 || row >= m_table->rowCount())
        return;
    const SongVerdict::State state = SongVerdict::state(analysis.audio, m_snippets.value(row));
    // A video without a sound track decodes no sound at all, so it has no length to show.
    const bool timed =
        analysis.audio.outcome == AudioAnalysis::Outcome::Decoded && analysis.audio.seconds > 0.0;
    m_table->item(row, Durata)
        ->setText(timed ? SongVerdict::lengthText(analysis.audio.seconds) : QString());
    m_table->item(row, Stato)->setText(SongVerdict::text(state, analysis.audio.error));
    m_table->item(row, Lufs)->setText(SongVerdict::loudnessText(analysis.audio));
    if (state != SongVerdict::State::Ok) {
        ++m_faults;
        for (int column = 0; column < ColumnCount; ++column)
            m_table->item(row, column)->setForeground(Qt::red);
    }
    m_progress->setValue(++m_done);
    if (isDone())
        finish();
}

void VerificaBrani::finish()
{
    m_summary->setText(m_faults == 0 ? QStringLiteral("Verifica completata: tutti i brani sono OK")
                                     : QStringLiteral("Verifica completata: %1 brani da "
                                                      "controllare")
                                           .arg(m_faults));
    (void)m_cache.save();
}

void VerificaBrani::closeEvent(QCloseEvent *event)
{
    m_queue.stop();
    (void)m_cache.save();
    QWidget::closeEvent(event);
}

VerificaBrani *openSongCheck(const PathsTable &songs, AudioProbe &probe, AnalysisCache &cache,
                             QWidget *parent)
{
    auto *window = new VerificaBrani(songs, probe, cache, parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    centreOver(window, parent ? parent->window() : nullptr);
    window->show();
    window->start();
    return window;
}
