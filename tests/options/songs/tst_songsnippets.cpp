#include "core/appstate.h"
#include "core/snippetsfile.h"
#include "core/songcheck.h"
#include "core/songpaths.h"
#include "options/optionscontrols.h"
#include "options/songs/songeditor.h"
#include "options/songs/songfiledialog.h"
#include "tests/core/startupfakes.h"
#include "tests/core/testfiles.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
class NoDialog : public SongFileDialog {
public:
    std::optional<QString> open(const QString &) override { return std::nullopt; }
};

using Answer = QuestionPort::Answer;
using Point = SongEditor::Point;
} // namespace

// A slot's snippet belongs to its song in the working table: it goes where the song goes,
// goes away with it, and reaches Estratti.ini only through an apply.
class TestSongSnippets : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    AppState m_state;
    FakeProgress m_progress;
    ScriptedQuestions m_questions;
    RecordingWindows m_windows;
    NoDialog m_dialog;
    std::unique_ptr<SongCheck> m_check;
    std::unique_ptr<SongEditor> m_editor;

    bool unsaved() const
    {
        const Settings &settings = m_state.settings;
        return CheckAnnullaModifiche(
            settings, OptionsControls::fromSettings(settings, settings.number(u"indextema"_s)),
            m_state.PercorsiSalvati, m_state.PercorsiModifica);
    }
    QStringList fileLines() const
    {
        return TextFile::readLines(m_state.Path + u'/' + SnippetsFile::FileName);
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_state = AppState();
        m_state.Path = m_dir.path();
        QDir(m_state.Path).removeRecursively();
        QVERIFY(QDir().mkpath(m_state.songsFolder()));
        QStringList lines;
        for (int slot = 0; slot < SlotCount; ++slot) {
            const QString file = u"song%1.wav"_s.arg(slot);
            QVERIFY(writeBytes(m_state.songsFolder() + file, "RIFF"));
            lines.append(QString::number(slot) + u'=' + file);
        }
        QVERIFY(writeBytes(m_state.songsFolder() + u"extra.wav"_s, "RIFF"));
        QVERIFY(TextFile::writeLines(m_state.pathsFile(), lines).ok);
        CaricaPercorsi(m_state);
        m_questions = ScriptedQuestions();
        m_check = std::make_unique<SongCheck>(m_state, m_progress, m_questions, m_windows);
        m_editor = std::make_unique<SongEditor>(m_state, *m_check, m_questions, m_dialog,
                                                [] { return QStringList{}; });
        m_editor->ComboSelCateg_Click(0);
    }

    void pointsFollowTheSong_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QStringList>("written"); // Estratti.ini after "Applica modifiche"

        const QString points = u"5000;9000;song1.wav"_s;
        QTest::newRow("kept") << u"none"_s << QStringList{u"1="_s + points};
        QTest::newRow("swap") << u"swap"_s << QStringList{u"17="_s + points};
        QTest::newRow("move") << u"move"_s << QStringList{u"17="_s + points};
        QTest::newRow("move step") << u"step"_s << QStringList{u"2="_s + points};
        QTest::newRow("copy and paste")
            << u"paste"_s << QStringList{u"1="_s + points, u"4="_s + points};
        QTest::newRow("another song") << u"unused"_s << QStringList{};
        QTest::newRow("song removed") << u"remove"_s << QStringList{};
        QTest::newRow("all of the song") << u"clear"_s << QStringList{};
        QTest::newRow("Resetta") << u"reset"_s << QStringList{};
    }

    void pointsFollowTheSong()
    {
        QFETCH(QString, edit);
        QVERIFY(!unsaved());
        QVERIFY(m_editor->setPoint(1, Point::Start, 5000));
        QVERIFY(!m_editor->setPoint(1, Point::End, 5000));
        QVERIFY(m_editor->setPoint(1, Point::End, 9000));
        QCOMPARE(m_editor->cell(1).snippet, u"00.05 - 00.09"_s);
        // "Annulla" warns about points that were not applied.
        QVERIFY(unsaved());
        if (edit == u"swap" || edit == u"move") {
            (void)m_editor->openMenu(1);
            m_questions.answers = {edit == u"swap" ? Answer::Yes : Answer::No};
            if (edit == u"swap")
                m_editor->StCanzone(2, 3);
            else
                m_editor->SpCanzone(2, 3);
        } else if (edit == u"step") {
            m_editor->SelDeselPulsante(1, SongEditor::Button::Left);
            QVERIFY(m_editor->selectionMove(-1));
            QVERIFY(m_editor->stepMove());
        } else if (edit == u"paste") {
            QVERIFY(m_editor->ApplicaModifiche()); // the copy takes the saved entry
            (void)m_editor->openMenu(1);
            m_editor->Copia();
            (void)m_editor->openMenu(4);
            m_editor->Incolla();
        } else if (edit == u"unused") {
            (void)m_editor->openMenu(1);
            m_editor->useUnused(u"extra.wav"_s);
            QCOMPARE(m_state.PercorsiModifica.at(1).file, u"extra.wav"_s);
        } else if (edit == u"remove") {
            m_editor->RimuoviCanzone(1);
        } else if (edit == u"clear") {
            m_editor->clearPoints(1);
        } else if (edit == u"reset") {
            m_questions.answers = {Answer::Ok};
            m_editor->Resetta();
            QVERIFY(!unsaved());
        }
        for (int label = 0; label < 5; ++label) {
            const SongSlot &song = m_state.PercorsiModifica.at(size_t(m_editor->slotOf(label)));
            QCOMPARE(m_editor->cell(label).snippet.isEmpty(),
                     song.file != u"song1.wav"_s || edit == u"clear" || edit == u"reset");
        }
        QVERIFY(m_editor->ApplicaModifiche());
        QTEST(fileLines(), "written");
        QVERIFY(!unsaved());
    }

    // A fresh load (the next options window, the next start) reads back what was applied.
    void appliedPointsComeBack()
    {
        QVERIFY(m_editor->setPoint(3, Point::Start, 61000));
        QVERIFY(m_editor->ApplicaModifiche());
        QVERIFY(m_editor->setPoint(3, Point::Start, 1000)); // not applied: forgotten
        CaricaPercorsi(m_state);
        QCOMPARE(m_state.PercorsiSalvati.at(3).snippet, (Snippet{61000, 0, u"song3.wav"_s}));
        QCOMPARE(m_state.PercorsiModifica.at(3).snippet, m_state.PercorsiSalvati.at(3).snippet);
        QCOMPARE(m_editor->cell(3).snippet, u"01.01 - fine"_s);
    }
};

QTEST_GUILESS_MAIN(TestSongSnippets)
#include "tst_songsnippets.moc"
