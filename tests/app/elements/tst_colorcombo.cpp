#include "app/services/ColorCombo.h"
#include "support/FakeUiServices.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace qw {

class TestColorCombo : public QObject
{
    Q_OBJECT
private slots:
    void startsAtNoneWithEighteenEntries()
    {
        test::FakeUiServices ui;
        ColorCombo combo(ui);
        QCOMPARE(combo.count(), 18);
        QCOMPARE(combo.currentText(), u"Žádná"_s);
        QCOMPARE(combo.value(), QString());
        QCOMPARE(combo.itemText(0), u"Vlastní..."_s);
        QCOMPARE(combo.itemText(17), u"Bílá"_s);
    }

    void fillingFromText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("value");
        QTest::newRow("empty") << QString() << 1 << QString();
        QTest::newRow("name") << u"red"_s << 11 << u"#FF0000"_s;
        QTest::newRow("lower hex") << u"#ff0000"_s << 11 << u"#FF0000"_s;
        QTest::newRow("mixed-case name") << u"Navy"_s << 6 << u"#000080"_s;
        QTest::newRow("unknown name is white") << u"nonsense"_s << 17 << u"#FFFFFF"_s;
        QTest::newRow("other colour is custom") << u"#123456"_s << 0 << u"#123456"_s;
    }
    void fillingFromText()
    {
        QFETCH(QString, text);
        QFETCH(int, entry);
        QFETCH(QString, value);
        test::FakeUiServices ui;
        ColorCombo combo(ui);
        combo.setValueText(u"#00FF00"_s); // something else first
        combo.setValueText(text);
        QCOMPARE(combo.currentIndex(), entry);
        QCOMPARE(combo.value(), value);
        // Filling never asks the user.
        QVERIFY(ui.colorRequests.isEmpty());
    }

    void customEntryTakesThePickedColourAndKeepsItOnCancel()
    {
        test::FakeUiServices ui;
        ui.colorResults = {QColor(0x12, 0x34, 0x56), std::nullopt};
        ColorCombo combo(ui);
        QSignalSpy chosen(&combo, &ColorCombo::colorChosen);

        combo.setCurrentIndex(0);
        emit combo.activated(0);
        QCOMPARE(ui.colorRequests, QList<QColor>{QColor(Qt::white)});
        QCOMPARE(combo.value(), u"#123456"_s);
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen.at(0).at(0).toString(), u"#123456"_s);

        combo.setCurrentIndex(0);
        emit combo.activated(0);
        QCOMPARE(ui.colorRequests.size(), 2);
        QCOMPARE(ui.colorRequests.at(1), QColor(Qt::white)); // preset to white every time
        QCOMPARE(combo.currentIndex(), 0);
        QCOMPARE(combo.value(), u"#123456"_s);
        QVERIFY(ui.allAnswersUsed());
    }

    void choosingABasicColourSignalsItsValue()
    {
        test::FakeUiServices ui;
        ColorCombo combo(ui);
        QSignalSpy chosen(&combo, &ColorCombo::colorChosen);
        QSignalSpy changed(&combo, &ColorCombo::valueChanged);
        combo.setCurrentIndex(3);
        emit combo.activated(3);
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen.at(0).at(0).toString(), u"#800000"_s);
        QCOMPARE(changed.size(), 1);
        QVERIFY(ui.colorRequests.isEmpty());

        combo.selectNone();
        QCOMPARE(combo.value(), QString());
        QCOMPARE(changed.size(), 2);
        QCOMPARE(chosen.size(), 1); // only the user's choices count as chosen
    }
};

} // namespace qw

QTEST_MAIN(qw::TestColorCombo)
#include "tst_colorcombo.moc"
