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

MainHover mainNamed(const QString &name)
{
    static const QHash<QString, MainHover> controls = {
        {QStringLiteral("Background"), MainHover::Background},
        {QStringLiteral("BigPlay"), MainHover::BigPlay},
        {QStringLiteral("Stop"), MainHover::Stop},
        {QStringLiteral("Repeat"), MainHover::Repeat},
        {QStringLiteral("Mute"), MainHover::Mute},
        {QStringLiteral("Dock"), MainHover::Dock},
        {QStringLiteral("SlideDown"), MainHover::SlideDown},
        {QStringLiteral("Mixer"), MainHover::Mixer},
        {QStringLiteral("Close"), MainHover::Close},
    };
    return controls.value(name, MainHover::InfoOnly);
}

MiniHover miniNamed(const QString &name)
{
    static const QHash<QString, MiniHover> controls = {
        {QStringLiteral("Background"), MiniHover::Background},
        {QStringLiteral("Play"), MiniHover::Play},
        {QStringLiteral("Stop"), MiniHover::Stop},
        {QStringLiteral("SlideUp"), MiniHover::SlideUp},
    };
    return controls.value(name, MiniHover::InfoOnly);
}

QStringList words(const char *text)
{
    return QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts);
}

} // namespace

Q_DECLARE_METATYPE(MainHover)
Q_DECLARE_METATYPE(MiniHover)

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
// line. Steps: "m:<control>" the mouse over a main-area control, "n:<control>" over a mini one,
// "i:Elapsed" / "i:Cpu" an info-only control, "playing", "repeat", "undocked", "muted", "held",
// "minihold", "Image=Picture" sets a picture before the moves.
void TestSkinButtons::hover_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("pictures"); // Image=Picture expected afterwards
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("description");
    QTest::addColumn<MainHover>("oggetto");
    QTest::addColumn<MiniHover>("miniOggetto");

    QTest::newRow("stop straight onto dock")
        << words("m:Stop m:Dock") << words("Stop=StopNPN Aggancia=AgganciatoS")
        << "Aggancia player: Attivato"
        << "Premere per sganciare dal player" << MainHover::Dock << MiniHover::Background;
    QTest::newRow("stop onto the background restores play, repeat and stop")
        << words("Play=Play2S Ripeti=NRipetiSPN m:Stop m:Background")
        << words("Stop=StopNPN Play=Play2N Ripeti=NRipetiNPN") << ""
        << "" << MainHover::Background << MiniHover::Background;
    QTest::newRow("held button: no picture, info variant 0")
        << words("repeat held m:Repeat") << words("Ripeti=RipetiNPN") << "Ripeti: Disattivato"
        << "La canzone non verrà ripetuta" << MainHover::Repeat << MiniHover::Background;
    QTest::newRow("big button while playing")
        << words("playing m:BigPlay") << words("Play=Pausa2S") << "Pausa"
        << "Mette in pausa la canzone" << MainHover::BigPlay << MiniHover::Background;
    QTest::newRow("big button while stopped")
        << words("m:BigPlay") << words("Play=Play2S") << "Play"
        << "Riproduce la canzone" << MainHover::BigPlay << MiniHover::Background;
    QTest::newRow("repeat off") << words("m:Repeat") << words("Ripeti=NRipetiSPN")
                                << "Ripeti: Disattivato"
                                << "La canzone non verrà ripetuta" << MainHover::Repeat
                                << MiniHover::Background;
    QTest::newRow("repeat on") << words("repeat m:Repeat") << words("Ripeti=RipetiSPN")
                               << "Ripeti: Attivato"
                               << "La canzone verrà ripetuta" << MainHover::Repeat
                               << MiniHover::Background;
    QTest::newRow("play onto repeat onto play")
        << words("m:BigPlay m:Repeat m:BigPlay") << words("Play=Play2S Ripeti=NRipetiNPN") << "Play"
        << "Riproduce la canzone" << MainHover::BigPlay << MiniHover::Background;
    QTest::newRow("mute always restores repeat")
        << words("Ripeti=RipetiSPN repeat m:Mute") << words("Ripeti=RipetiNPN Muto=SonoroS")
        << "Muto: Disattivato"
        << "Premere per non sentire" << MainHover::Mute << MiniHover::Background;
    QTest::newRow("muted") << words("muted m:Mute") << words("Muto=MutoS") << "Muto: Attivato"
                           << "Premere per sentire" << MainHover::Mute << MiniHover::Background;
    QTest::newRow("undocked dock button")
        << words("undocked m:Dock") << words("Aggancia=SganciatoS")
        << "Aggancia player: Disattivato"
        << "Premere per agganciare al player" << MainHover::Dock << MiniHover::Background;
    QTest::newRow("dock onto slide-down")
        << words("m:Dock m:SlideDown") << words("Aggancia=AgganciatoN SlittaBasso=ScorriBassoS")
        << "Nascondi scheda"
        << "Nascondi la scheda in basso" << MainHover::SlideDown << MiniHover::Background;
    QTest::newRow("mixer and close keep no neighbours")
        << words("m:Mixer m:Close") << words("Mixer=MixerS Chiudi=ChiudiS") << "Chiudi"
        << "Chiudi questa finestra" << MainHover::Close << MiniHover::Background;
    QTest::newRow("mini play while playing")
        << words("playing n:Play") << words("PlayMini=PausaMS") << "Pausa"
        << "Mette in pausa la canzone" << MainHover::Background << MiniHover::Play;
    QTest::newRow("mini stop onto mini play")
        << words("n:Stop n:Play") << words("StopMini=StopMN PlayMini=PlayMS") << "Play"
        << "Riproduce la canzone" << MainHover::Background << MiniHover::Play;
    QTest::newRow("slide-up tells about the panel")
        << words("n:SlideUp") << words("SlittaAlto=ScorriAltoS") << "Mostra scheda"
        << "Mostra la scheda in basso" << MainHover::Background << MiniHover::SlideUp;
    QTest::newRow("slide-up while a mini button is held")
        << words("minihold n:SlideUp") << words("SlittaAlto=ScorriAltoN") << "Mostra scheda"
        << "Mostra la scheda in basso" << MainHover::Background << MiniHover::SlideUp;
    QTest::newRow("from the mini area into the main area")
        << words("n:Play m:Stop") << words("PlayMini=PlayMN Stop=StopSPN") << "Stop"
        << "Ferma la canzone" << MainHover::Stop << MiniHover::Background;
    QTest::newRow("mini area onto its background")
        << words("n:Stop n:Background") << words("StopMini=StopMN") << ""
        << "" << MainHover::Background << MiniHover::Background;
    QTest::newRow("info-only control keeps the button hovered")
        << words("m:Stop i:Elapsed") << words("Stop=StopSPN") << "Tempo trascorso"
        << "Mostra il tempo trascorso" << MainHover::InfoOnly << MiniHover::Background;
    QTest::newRow("background after an info-only control")
        << words("i:Cpu m:Background") << words("Stop=StopNPN") << ""
        << "" << MainHover::Background << MiniHover::Background;
}

void TestSkinButtons::hover()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, pictures);
    QFETCH(QString, title);
    QFETCH(QString, description);
    QFETCH(MainHover, oggetto);
    QFETCH(MiniHover, miniOggetto);

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
        } else if (step.startsWith(u"m:")) {
            const MainHover control = mainNamed(step.mid(2));
            QVERIFY2(control != MainHover::InfoOnly, qPrintable(step));
            skin.NormalizzaPulsanti(control);
        } else if (step.startsWith(u"n:")) {
            const MiniHover control = miniNamed(step.mid(2));
            QVERIFY2(control != MiniHover::InfoOnly, qPrintable(step));
            skin.NormalizzaMiniPulsanti(control);
        } else if (step.startsWith(u"i:")) {
            skin.infoOnly(step == u"i:Cpu" ? InfoEntry::Cpu : InfoEntry::Elapsed);
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
    skin.NormalizzaPulsanti(MainHover::BigPlay);
    const int writes = b.model().infoWrites();
    QCOMPARE(b.model().OggettoXWMP, PlayHover::Big);
    // The pointer passes from the middle piece onto the left cap: both are the big button.
    skin.NormalizzaPulsanti(MainHover::BigPlay);
    QCOMPARE(b.model().infoWrites(), writes);
    QCOMPARE(b.model().OggettoXWMP, PlayHover::Big);
    // Stop and the big button share the title line's length but not its text; only changed
    // lines are written.
    skin.ApplicaInfo(InfoEntry::Play, 0);
    QCOMPARE(b.model().infoWrites(), writes);
    skin.ApplicaInfo(InfoEntry::Stop, 0);
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
    for (const char *control : {"Background", "BigPlay", "Stop", "Repeat", "Mute", "Dock",
                                "SlideDown", "Mixer", "Close"}) {
        skin.NormalizzaPulsanti(mainNamed(QLatin1String(control)));
        check(u"main " + QLatin1String(control));
    }
    for (const char *control : {"Background", "Play", "Stop", "SlideUp"}) {
        skin.NormalizzaMiniPulsanti(miniNamed(QLatin1String(control)));
        check(u"mini " + QLatin1String(control));
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
