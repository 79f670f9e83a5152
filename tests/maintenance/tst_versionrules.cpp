#include "maintenance/versionrules.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestVersionRules : public QObject {
    Q_OBJECT

private slots:
    void programVersion() { QCOMPARE(ProgramVersion::current().text(), QStringLiteral("2.1.1")); }

    void compare_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("result");
        QTest::newRow("same") << u"2.1.1"_s << 0;
        QTest::newRow("major newer") << u"3.0.0"_s << 1;
        QTest::newRow("minor newer") << u"2.2.0"_s << 1;
        QTest::newRow("revision newer") << u"2.1.2"_s << 1;
        QTest::newRow("older major, higher minor") << u"1.2.0"_s << 0;
        QTest::newRow("older major, higher revision") << u"1.1.9"_s << 0;
        QTest::newRow("same major, older minor, higher revision") << u"2.0.9"_s << 0;
        QTest::newRow("older revision") << u"2.1.0"_s << 0;
        QTest::newRow("two-digit minor") << u"2.10.0"_s << 1;
        QTest::newRow("CRLF after") << u"2.1.2\r\n"_s << 1;
        QTest::newRow("LF after same") << u"2.1.1\n"_s << 0;
        QTest::newRow("one dot") << u"2.2"_s << 2;
        QTest::newRow("no dot") << u"3"_s << 2;
        QTest::newRow("empty") << QString() << 2;
        QTest::newRow("empty major") << u".2.1"_s << 2;
        QTest::newRow("empty minor") << u"3..1"_s << 2;
        QTest::newRow("empty revision") << u"3.0."_s << 2;
        QTest::newRow("html after numbers") << u"9.9.9<html>"_s << 2;
        QTest::newRow("HTML page") << u"<HTML><body>404.1.1</body></HTML>"_s << 2;
        QTest::newRow("more dots count in revision") << u"2.1.1.5"_s << 0;
        QTest::newRow("huge major") << u"99999999999.0.0"_s << 1;
        QTest::newRow("letters count as zero") << u"a.b.c"_s << 0;
    }

    void compare()
    {
        QFETCH(QString, text);
        QFETCH(int, result);
        QCOMPARE(static_cast<int>(compareServerVersion(text, ProgramVersion::current())), result);
    }

    void parts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("parts");
        QTest::newRow("three") << u"2.1.2"_s << QStringList{u"2"_s, u"1"_s, u"2"_s};
        QTest::newRow("rest in third") << u"2.1.2.7"_s << QStringList{u"2"_s, u"1"_s, u"2.7"_s};
        QTest::newRow("one dot") << u"2.1"_s << QStringList{u"2"_s, u"1"_s, QString()};
    }

    void parts()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, parts);
        QCOMPARE(serverVersionParts(text), parts);
    }
};

QTEST_GUILESS_MAIN(TestVersionRules)
#include "tst_versionrules.moc"
