#include "player/logic/skin/skinnames.h"
#include "tests/player/playerbench.h"

namespace {

Image imageNamed(const QString &name)
{
    static const QHash<QString, Image> images = {
        {QStringLiteral("Play"), Image::Play},
        {QStringLiteral("Stop"), Image::Stop},
        {QStringLiteral("Ripeti"), Image::Ripeti},
        {QStringLiteral("Muto"), Image::Muto},
        {QStringLiteral("Aggancia"), Image::Aggancia},
        {QStringLiteral("SlittaBasso"), Image::SlittaBasso},
        {QStringLiteral("Mixer"), Image::Mixer},
        {QStringLiteral("Chiudi"), Image::Chiudi},
        {QStringLiteral("PlayMini"), Image::PlayMini},
        {QStringLiteral("StopMini"), Image::StopMini},
        {QStringLiteral("SlittaAlto"), Image::SlittaAlto},
    };
    return images.value(name, Image::Count);
}

QStringList words(const char *text)
{
    return QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts);
}

} // namespace

class TestSkinButtons : public QObject {
    Q_OBJECT

private slots:
    void hover_data();
    void hover();
    void sameControlDoesNotRewriteTheInfoLine();
    void everyPictureShownIsASkinPicture_data();
    void everyPictureShownIsASkinPicture();
};

// Each row sets up the window, moves the mouse over controls and checks pictures and the info
// line. Steps: "m<n>" NormalizzaPulsanti(n, n), "n<n>" NormalizzaMiniPulsanti(n, n),
// "i<n>" an info-only control of entry n, "playing", "repeat", "undocked", "muted", "held",
// "minihold", "Image=Picture" sets a picture before the moves.
void TestSkinButtons::hover_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("pictures"); // Image=Picture expected afterwards
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("description");
    QTest::addColumn<int>("oggetto");
    QTest::addColumn<int>("miniOggetto");

    QTest::newRow("stop straight onto dock")
        << words("m2 m5") << words("Stop=StopNPN Aggancia=AgganciatoS")
        << "Aggancia player: Attivato"
        << "Premere per sganciare dal player" << 5 << 0;
    QTest::newRow("stop onto the background restores play, repeat and stop")
        << words("Play=Play2S Ripeti=NRipetiSPN m2 m0")
        << words("Stop=StopNPN Play=Play2N Ripeti=NRipetiNPN") << ""
        << "" << 0 << 0;
    QTest::newRow("held button: no picture, info variant 0")
        << words("repeat held m3") << words("Ripeti=RipetiNPN") << "Ripeti: Disattivato"
        << "La canzone non verrà ripetuta" << 3 << 0;
    QTest::newRow("big button while playing")
        << words("playing m1") << words("Play=Pausa2S") << "Pausa"
        << "Mette in pausa la canzone" << 1 << 0;
    QTest::newRow("big button while stopped") << words("m1") << words("Play=Play2S") << "Play"
                                              << "Riproduce la canzone" << 1 << 0;
    QTest::newRow("repeat off") << words("m3") << words("Ripeti=NRipetiSPN")
                                << "Ripeti: Disattivato"
                                << "La canzone non verrà ripetuta" << 3 << 0;
    QTest::newRow("repeat on") << words("repeat m3") << words("Ripeti=RipetiSPN")
                               << "Ripeti: Attivato"
                               << "La canzone verrà ripetuta" << 3 << 0;
    QTest::newRow("play onto repeat onto play")
        << words("m1 m3 m1") << words("Play=Play2S Ripeti=NRipetiNPN") << "Play"
        << "Riproduce la canzone" << 1 << 0;
    QTest::newRow("mute always restores repeat")
        << words("Ripeti=RipetiSPN repeat m4") << words("Ripeti=RipetiNPN Muto=SonoroS")
        << "Muto: Disattivato"
        << "Premere per non sentire" << 4 << 0;
    QTest::newRow("muted") << words("muted m4") << words("Muto=MutoS") << "Muto: Attivato"
                           << "Premere per sentire" << 4 << 0;
    QTest::newRow("undocked dock button")
        << words("undocked m5") << words("Aggancia=SganciatoS") << "Aggancia player: Disattivato"
        << "Premere per agganciare al player" << 5 << 0;
    QTest::newRow("dock onto slide-down")
        << words("m5 m6") << words("Aggancia=AgganciatoN SlittaBasso=ScorriBassoS")
        << "Nascondi scheda"
        << "Nascondi la scheda in basso" << 6 << 0;
    QTest::newRow("mixer and close keep no neighbours")
        << words("m8 m9") << words("Mixer=MixerS Chiudi=ChiudiS") << "Chiudi"
        << "Chiudi questa finestra" << 9 << 0;
    QTest::newRow("mini play while playing")
        << words("playing n1") << words("PlayMini=PausaMS") << "Pausa"
        << "Mette in pausa la canzone" << 0 << 1;
    QTest::newRow("mini stop onto mini play")
        << words("n2 n1") << words("StopMini=StopMN PlayMini=PlayMS") << "Play"
        << "Riproduce la canzone" << 0 << 1;
    QTest::newRow("slide-up tells about the panel")
        << words("n3") << words("SlittaAlto=ScorriAltoS") << "Mostra scheda"
        << "Mostra la scheda in basso" << 0 << 3;
    QTest::newRow("slide-up while a mini button is held")
        << words("minihold n3") << words("SlittaAlto=ScorriAltoN") << "Mostra scheda"
        << "Mostra la scheda in basso" << 0 << 3;
    QTest::newRow("from the mini area into the main area")
        << words("n1 m2") << words("PlayMini=PlayMN Stop=StopSPN") << "Stop"
        << "Ferma la canzone" << 2 << 0;
    QTest::newRow("mini area onto its background")
        << words("n2 n0") << words("StopMini=StopMN") << ""
        << "" << 0 << 0;
    QTest::newRow("info-only control keeps the button hovered")
        << words("m2 i12") << words("Stop=StopSPN") << "Tempo trascorso"
        << "Mostra il tempo trascorso" << 7 << 0;
    QTest::newRow("background after an info-only control")
        << words("i15 m0") << words("Stop=StopNPN") << ""
        << "" << 0 << 0;
}

void TestSkinButtons::hover()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, pictures);
    QFETCH(QString, title);
    QFETCH(QString, description);
    QFETCH(int, oggetto);
    QFETCH(int, miniOggetto);

    PlayerBench b;
    const bool repeat = steps.contains(u"repeat");
    b.open(repeat, false, steps.contains(u"undocked") ? 0 : 1);
    b.memory.VolumeMuto = steps.contains(u"muted");
    if (steps.contains(u"playing"))
        b.logic.transport.PlayMouseUp(false, true);
    PlayerModel &m = b.model();
    m.PulsantePremuto = steps.contains(u"held");
    m.PulsanteMiniPremuto = steps.contains(u"minihold");
    SkinButtons &skin = b.logic.skin;
    for (const QString &step : steps) {
        if (step.contains(u'=')) {
            const Image image = imageNamed(step.section(u'=', 0, 0));
            QVERIFY2(image != Image::Count, qPrintable(step));
            m.setPicture(image, step.section(u'=', 1));
        } else if (step.startsWith(u'm') && step.size() == 2) {
            skin.NormalizzaPulsanti(step.mid(1).toInt(), step.mid(1).toInt());
        } else if (step.startsWith(u'n') && step.size() == 2) {
            skin.NormalizzaMiniPulsanti(step.mid(1).toInt(), step.mid(1).toInt());
        } else if (step.startsWith(u'i')) {
            skin.infoOnly(step.mid(1).toInt());
        }
    }
    for (const QString &expected : pictures) {
        const Image image = imageNamed(expected.section(u'=', 0, 0));
        QVERIFY2(image != Image::Count, qPrintable(expected));
        QCOMPARE(m.picture(image), expected.section(u'=', 1));
    }
    QCOMPARE(m.text(Text::Info0), title);
    QCOMPARE(m.text(Text::Info1), description);
    QCOMPARE(m.Oggetto, oggetto);
    QCOMPARE(m.MiniOggetto, miniOggetto);
}

void TestSkinButtons::sameControlDoesNotRewriteTheInfoLine()
{
    PlayerBench b;
    b.open();
    SkinButtons &skin = b.logic.skin;
    skin.NormalizzaPulsanti(1, 1);
    const int writes = b.model().infoWrites();
    QCOMPARE(b.model().OggettoXWMP, 1);
    // The pointer passes from the middle piece onto the left cap: both are code 1.
    skin.NormalizzaPulsanti(1, 1);
    QCOMPARE(b.model().infoWrites(), writes);
    QCOMPARE(b.model().OggettoXWMP, 1);
    // Stop and the big button share the title line's length but not its text; only changed
    // lines are written.
    skin.ApplicaInfo(1, 0);
    QCOMPARE(b.model().infoWrites(), writes);
    skin.ApplicaInfo(2, 0);
    QCOMPARE(b.model().infoWrites(), writes + 2);
}

void TestSkinButtons::everyPictureShownIsASkinPicture_data()
{
    QTest::addColumn<bool>("repeat");
    QTest::addColumn<bool>("muted");
    QTest::addColumn<int>("docked");
    QTest::addColumn<bool>("playing");
    QTest::newRow("opened") << false << false << 1 << false;
    QTest::newRow("playing") << false << false << 1 << true;
    QTest::newRow("repeat on, playing") << true << false << 1 << true;
    QTest::newRow("muted, undocked") << false << true << 0 << false;
}

// A name that is not drawn would leave its button blank: whatever the pointer and the buttons
// do, every picture the window is given comes from the skin's list.
void TestSkinButtons::everyPictureShownIsASkinPicture()
{
    QFETCH(bool, repeat);
    QFETCH(bool, muted);
    QFETCH(int, docked);
    QFETCH(bool, playing);
    PlayerBench b;
    b.memory.VolumeMuto = muted;
    b.open(repeat, false, docked);
    if (playing)
        b.logic.transport.PlayMouseUp(false, true);
    const QStringList names = SkinNames::all();
    const auto check = [&b, &names](const QString &after) {
        for (int i = 0; i < int(Image::Count); ++i) {
            const QString shown = b.picture(Image(i));
            QVERIFY2(names.contains(shown), qPrintable(after + u": " + shown));
        }
    };
    check(QStringLiteral("open"));
    SkinButtons &skin = b.logic.skin;
    TransportButtons &t = b.logic.buttons;
    for (int code = 0; code <= 9; ++code) {
        skin.NormalizzaPulsanti(code, code);
        check(u"main " + QString::number(code));
    }
    for (int code = 0; code <= 3; ++code) {
        skin.NormalizzaMiniPulsanti(code, code);
        check(u"mini " + QString::number(code));
    }
    for (bool inside : {false, true}) {
        const QString where = inside ? QStringLiteral(" inside") : QStringLiteral(" outside");
        t.bigPlayPressed();
        check(QStringLiteral("big play held"));
        t.bigPlayReleased(inside);
        check(u"big play released" + where);
        t.miniPlayPressed();
        check(QStringLiteral("mini play held"));
        t.miniPlayReleased(inside);
        check(u"mini play released" + where);
        t.ripetiPressed();
        check(QStringLiteral("repeat held"));
        t.ripetiReleased(inside);
        check(u"repeat released" + where);
        t.stopPressed();
        check(QStringLiteral("stop held"));
        t.stopReleased(inside, Qt::LeftButton);
        check(u"stop released" + where);
        t.miniStopPressed();
        check(QStringLiteral("mini stop held"));
        t.miniStopReleased(inside, Qt::LeftButton);
        check(u"mini stop released" + where);
        b.logic.volume.mutoPressed();
        check(QStringLiteral("mute held"));
        b.logic.volume.mutoReleased(inside);
        check(u"mute released" + where);
        b.logic.panel.agganciaPressed();
        check(QStringLiteral("dock held"));
        b.logic.panel.agganciaReleased(inside);
        check(u"dock released" + where);
    }
}

QTEST_GUILESS_MAIN(TestSkinButtons)
#include "tst_skinbuttons.moc"
