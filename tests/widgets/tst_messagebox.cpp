#include "widgets/messagebox.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The program's message boxes as the presenter sees them: the icon the question names, its
// text and title, and the answer of the button pressed.
class TestMessageBox : public QObject {
    Q_OBJECT

private slots:
    void icon_data();
    void icon();
    void namesAsWritten();
};

void TestMessageBox::icon_data()
{
    QTest::addColumn<QuestionPort::Icon>("icon");
    QTest::addColumn<QuestionPort::Buttons>("buttons");
    QTest::addColumn<bool>("shown");

    QTest::newRow("question") << QuestionPort::Icon::Question << QuestionPort::Buttons::YesNo
                              << true;
    QTest::newRow("warning") << QuestionPort::Icon::Warning << QuestionPort::Buttons::Ok << true;
    QTest::newRow("information") << QuestionPort::Icon::Information << QuestionPort::Buttons::Ok
                                 << true;
    QTest::newRow("critical") << QuestionPort::Icon::Critical << QuestionPort::Buttons::OkCancel
                              << true;
    QTest::newRow("none") << QuestionPort::Icon::None << QuestionPort::Buttons::Ok << false;
}

void TestMessageBox::icon()
{
    QFETCH(QuestionPort::Icon, icon);
    QFETCH(QuestionPort::Buttons, buttons);
    QFETCH(bool, shown);

    bool seen = false;
    QSize iconSize;
    QString text;
    QString title;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen = true;
        iconSize = box->iconPixmap().size();
        text = box->text();
        title = box->windowTitle();
        if (!qEnvironmentVariableIsEmpty("ZEFIRO_SHOT"))
            box->grab().save(qEnvironmentVariable("ZEFIRO_SHOT") +
                             QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".png"));
        box->defaultButton()->click();
    });
    MessageBoxQuestions questions;
    const QuestionPort::Answer answer =
        questions.ask(QStringLiteral("Sei sicuro?"), QStringLiteral("Zefiro"), icon, buttons,
                      buttons == QuestionPort::Buttons::YesNo ? QuestionPort::Answer::No
                                                              : QuestionPort::Answer::Ok);
    QVERIFY(seen);
    QCOMPARE(text, QStringLiteral("Sei sicuro?"));
    QCOMPARE(title, QStringLiteral("Zefiro"));
    QCOMPARE(answer, buttons == QuestionPort::Buttons::YesNo ? QuestionPort::Answer::No
                                                             : QuestionPort::Answer::Ok);
    if (shown) {
        QVERIFY2(
            iconSize.width() >= 32 && iconSize.height() >= 32,
            qPrintable(QStringLiteral("icon %1x%2").arg(iconSize.width()).arg(iconSize.height())));
    } else {
        QVERIFY(iconSize.isEmpty());
    }
}

// A song name that looks like markup is shown letter for letter.
void TestMessageBox::namesAsWritten()
{
    const QString text = QStringLiteral("Il file <b>Sigla</b> <i>finale</i>.mp3 esiste già");
    QString shown;
    int room = 0;
    int needed = 0;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        shown = label->text();
        room = label->sizeHint().width();
        needed = label->fontMetrics().horizontalAdvance(text);
        box->defaultButton()->click();
    });
    MessageBoxQuestions questions;
    (void)questions.ask(text, QStringLiteral("Zefiro"), QuestionPort::Icon::Question,
                        QuestionPort::Buttons::YesNo, QuestionPort::Answer::No);
    QCOMPARE(shown, text);
    // Drawn as markup, the tags would be left out and the line narrower.
    QVERIFY2(room >= needed, qPrintable(QStringLiteral("%1 < %2").arg(room).arg(needed)));
}

QTEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
