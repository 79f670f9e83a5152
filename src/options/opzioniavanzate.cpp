#include "options/opzioniavanzate.h"

#include "widgets/namedcontrols.h"
#include "widgets/twips.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

using NamedControls::group;
using NamedControls::label;

namespace {

struct CheckDesign {
    const char *name;
    QStringView key;
    QStringView caption;
    QStringView tip;
};

// In the order they stand on the tab; the key ties each to its setting.
const CheckDesign PlaybackChecks[] = {
    {"CheckAvvioAutomatico", u"autoplay", u"Avvio Automatico del file",
     u"La riproduzione del file multimediale parte automaticamente"},
    {"CheckSlittamentoWMPlay", u"wmpsemprevisib", u"Effetti grafici sempre completamente visibili",
     u"Se selezionata quando verrà mostrata la scheda in basso, la finestra degli effetti "
     u"speciali si ridimensionerà di conseguenza"},
    {"CheckRiproduzioneContinua", u"riprodcontinua", u"Ripeti il file",
     u"Quando la traccia finisce il programma la fa ripartire"},
    {"CheckVolPrinc", u"ckvolprinc", u"Regola il volume del Pc come l'ultima volta",
     u"Quando il programma viene avviato il volume del pc viene impostato al livello dell' "
     u"ultima volta"},
};
// Beside the cells' check box, so the tab keeps its height.
const CheckDesign LevellingCheck{
    "CheckUniformaVolume", u"uniformavolume", u"Uniforma il volume dei brani",
    u"Ogni brano viene riprodotto con la stessa intensità percepita, secondo l'analisi "
    u"fatta da Verifica brani o alla prima riproduzione"};
const CheckDesign OtherChecks[] = {
    {"CheckAllungaCelle", u"allungacella", u"Allunga le celle delle canzoni al passaggio del mouse",
     u"Permetti alle celle delle canzoni nelle opzioni di allungarsi per mostrare l'intero "
     u"contenuto"},
    {"CommentoPercorsi", u"commpercorsi", u"Riconosci i percorsi commentati (Per utenti Esperti)",
     u""},
    {"CheckVerAgg", u"veragg", u"Verifica aggiornamenti all'avvio", u""},
};

QCheckBox *makeCheck(QWidget *parent, const CheckDesign &design)
{
    auto *box = new QCheckBox(design.caption.toString(), parent);
    box->setObjectName(QString::fromLatin1(design.name));
    box->setProperty("settingKey", design.key.toString());
    box->setToolTip(design.tip.toString());
    box->setAccessibleDescription(design.tip.toString());
    return box;
}

} // namespace

OpzioniAvanzate::OpzioniAvanzate(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildPlaybackGroup());
    layout->addWidget(buildSmallGroups());
    layout->addStretch();
}

QWidget *OpzioniAvanzate::buildPlaybackGroup()
{
    auto *box = group(this, "ImposRiproduzione", QStringLiteral("Riproduzione"));
    auto *layout = new QGridLayout(box);
    int row = 0;
    for (const CheckDesign &design : PlaybackChecks) {
        m_checks << makeCheck(box, design);
        layout->addWidget(m_checks.last(), row++, 0, 1, 3);
    }
    layout->addWidget(
        label(box, "lblSfumatura", QStringLiteral("Sfumatura suono quando viene premuto stop")),
        row++, 0, 1, 3);
    m_fadeLabels = {label(box, "lblLenta", QStringLiteral("lenta")),
                    label(box, "lblVelocita", QStringLiteral("Velocità sfumatura")),
                    label(box, "lblVeloce", QStringLiteral("veloce"))};
    m_fadeLabels[1]->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_fadeLabels[1], row++, 0, 1, 3);
    m_fadeSpeed = new QSlider(Qt::Horizontal, box);
    m_fadeSpeed->setObjectName(QStringLiteral("sldStop"));
    m_fadeSpeed->setRange(1, 15);
    m_fadeSpeed->setAccessibleName(QStringLiteral("Velocità sfumatura"));
    layout->addWidget(m_fadeLabels[0], row, 0);
    layout->addWidget(m_fadeSpeed, row, 1);
    layout->addWidget(m_fadeLabels[2], row++, 2);
    layout->addWidget(buildFadeRow(box), row, 0, 1, 3);
    return box;
}

QWidget *OpzioniAvanzate::buildFadeRow(QWidget *box)
{
    auto *row = new QWidget(box);
    auto *fades = new QHBoxLayout(row);
    fades->setContentsMargins(0, 0, 0, 0);
    fades->addWidget(label(row, "lblSfumaCon", QStringLiteral("Sfuma con il pulsante")));
    fades->addSpacing(Twips::toPixels(120));
    m_fadeButtons = new QButtonGroup(box);
    const QStringList captions{QStringLiteral("Sinistro"), QStringLiteral("Destro"),
                               QStringLiteral("Nessuno"), QStringLiteral("Entrambi")};
    for (int i = 0; i < captions.size(); ++i) {
        auto *option = new QRadioButton(captions.at(i), row);
        option->setObjectName(QStringLiteral("CheckSfumaDx") + QString::number(i));
        option->setToolTip(QStringLiteral("Utilizzare il click destro al posto del sinistro per "
                                          "sfumare il suono quando si preme stop"));
        option->setAccessibleDescription(option->toolTip());
        m_fadeButtons->addButton(option, i);
        fades->addWidget(option);
    }
    fades->addStretch();
    connect(m_fadeButtons, &QButtonGroup::idClicked, this, [this](int button) {
        enableFadeSpeed(button);
        emit fadeChosen(button);
    });
    return row;
}

QWidget *OpzioniAvanzate::buildSmallGroups()
{
    auto *area = new QWidget(this);
    auto *grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    const char *names[] = {"frImposOpzioni", "FrOpzioniPercorsi", "frAgg"};
    const QStringList titles{QStringLiteral("Opzioni"), QStringLiteral("Percorsi delle Canzoni"),
                             QStringLiteral("Aggiornamenti")};
    for (int i = 0; i < 3; ++i) {
        auto *box = group(area, names[i], titles.at(i));
        auto *layout = new QHBoxLayout(box);
        m_checks << makeCheck(box, OtherChecks[i]);
        layout->addWidget(m_checks.last(), 1);
        if (i == 0) {
            m_checks << makeCheck(box, LevellingCheck);
            layout->addWidget(m_checks.last());
        }
        if (i == 2) {
            auto *now = NamedControls::button(box, "PulsVerAgg", QStringLiteral("Verifica adesso"));
            connect(now, &QPushButton::clicked, this, &OpzioniAvanzate::updateNowRequested);
            layout->addWidget(now);
        }
        // "Aggiornamenti" shares its row with "Video".
        grid->addWidget(box, i, 0, 1, i == 2 ? 1 : 2);
    }
    auto *pack = group(area, "frmZMP", QStringLiteral("Zefiro Music Pack"));
    auto *packLayout = new QHBoxLayout(pack);
    m_pack = new QCheckBox(QStringLiteral("Utilizza le impostazioni delle canzoni di Zefiro Music "
                                          "Pack (Necessita Riavvio)"),
                           pack);
    m_pack->setObjectName(QStringLiteral("CheckZMP"));
    packLayout->addWidget(m_pack);
    grid->addWidget(pack, 3, 0, 1, 2);
    auto *video = group(area, "ImposVideo", QStringLiteral("Video"));
    auto *videoLayout = new QFormLayout(video);
    auto *sizes = new QComboBox(video);
    sizes->setObjectName(QStringLiteral("ComboDimensioni"));
    sizes->setAccessibleName(QStringLiteral("Dimensioni schermo"));
    sizes->addItems(
        {QStringLiteral("Originali"), QStringLiteral("Doppie"), QStringLiteral("Schermo intero")});
    videoLayout->addRow(label(video, "lblDimensioni", QStringLiteral("Dimensioni schermo")), sizes);
    grid->addWidget(video, 2, 1);
    return area;
}

void OpzioniAvanzate::enableFadeSpeed(int button)
{
    const bool enabled = fadeSpeedEnabled(button);
    m_fadeSpeed->setEnabled(enabled);
    for (QLabel *fadeLabel : m_fadeLabels)
        fadeLabel->setEnabled(enabled);
}

void OpzioniAvanzate::setControls(const OptionsControls &controls)
{
    for (QCheckBox *box : m_checks)
        box->setChecked(controls.check(box->property("settingKey").toString()));
    m_fadeSpeed->setValue(controls.fadeSpeed);
    if (QAbstractButton *fade = m_fadeButtons->button(controls.fadeButton))
        fade->setChecked(true);
    enableFadeSpeed(controls.fadeButton);
    m_pack->setEnabled(controls.packEnabled);
    m_pack->setChecked(controls.packEnabled && controls.packChecked);
}

void OpzioniAvanzate::readControls(OptionsControls &controls) const
{
    for (const QCheckBox *box : m_checks)
        controls.setCheck(box->property("settingKey").toString(), box->isChecked());
    controls.fadeButton = m_fadeButtons->checkedId();
    controls.fadeSpeed = m_fadeSpeed->value();
    controls.packEnabled = m_pack->isEnabled();
    controls.packChecked = m_pack->isChecked();
}
