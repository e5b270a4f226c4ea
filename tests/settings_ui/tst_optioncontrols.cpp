#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

#include "settings_ui/adoptioncheckbox.h"
#include "settings_ui/adoptioncombobox.h"
#include "settings_ui/adoptionedit.h"
#include "settings_ui/adoptionlabel.h"
#include "settings_ui/adoptionspinbox.h"

namespace {
SettingRules::OptionList entries(const QStringList &texts)
{
    SettingRules::OptionList list;
    for (int i = 0; i < texts.size(); ++i)
        list.append({ texts.at(i), i * 10 });
    return list;
}

QStringList items(const QComboBox &box)
{
    QStringList list;
    for (int i = 0; i < box.count(); ++i)
        list << box.itemText(i);
    return list;
}

bool drawnChanged(const QWidget &w)
{
    return w.property("changed").toBool();
}
} // namespace

class tst_OptionControls : public QObject
{
    Q_OBJECT

private slots:
    // The red style comes with a change and goes when the reference item is chosen again.
    void comboChangedStyle()
    {
        AdOptionCombobox combo;
        combo.setOptions(
            entries({ QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c") }));
        QVERIFY(combo.selectValue(10));
        combo.acceptCurrent();
        QVERIFY(!combo.state().isChanged());
        combo.setCurrentIndex(2);
        QVERIFY(combo.state().isChanged());
        QVERIFY(drawnChanged(combo));
        QCOMPARE(combo.currentValue(), 20);
        combo.setCurrentIndex(1);
        QVERIFY(!combo.state().isChanged());
        QVERIFY(!drawnChanged(combo));
        QVERIFY(!combo.selectValue(99));
        QCOMPARE(combo.currentIndex(), 1);
    }

    void editAndSpinChangedStyle()
    {
        AdOptionEdit edit;
        edit.setText(QStringLiteral("5"));
        edit.acceptCurrent();
        edit.setText(QStringLiteral("6"));
        QVERIFY(edit.state().isChanged());
        edit.setText(QStringLiteral("5"));
        QVERIFY(!edit.state().isChanged());

        // An empty reference is not compared unless asked for.
        AdOptionEdit blank;
        blank.acceptCurrent();
        blank.setText(QStringLiteral("x"));
        QVERIFY(!blank.state().isChanged());
        blank.setCompareWhenEmpty(true);
        blank.setText(QStringLiteral("y"));
        QVERIFY(blank.state().isChanged());

        AdoptionSpinBox spin;
        spin.setRange(0, 100);
        spin.setSuffix(QStringLiteral(" mm"));
        spin.setValue(12.5);
        spin.acceptCurrent();
        spin.setValue(13);
        QVERIFY(spin.state().isChanged());
        QVERIFY(drawnChanged(spin));
        spin.setValue(12.5);
        QVERIFY(!spin.state().isChanged());
        spin.setValue(40);
        spin.onchangeBlackSpin(0);
        QVERIFY(!spin.isEnabled());
        QCOMPARE(spin.value(), 12.5);
        spin.onchangeBlackSpin2(0);
        QVERIFY(spin.isEnabled());
    }

    void onchangHEX_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("digits");
        QTest::addColumn<QString>("back");
        QTest::addColumn<int>("length");
        QTest::newRow("five characters") << "aB1:z"
                                         << "6142313a7a"
                                         << "aB1:z" << 10;
        QTest::newRow("short key padded") << "ab"
                                          << "6162000000"
                                          << "ab" << 10;
        QTest::newRow("longer key cut") << "abcdefg"
                                        << "6162636465"
                                        << "abcde" << 10;
        // A key the printer keeps in hexadecimal form is shown with "0x": already digits.
        QTest::newRow("key in hexadecimal form") << "0x6142313a7a"
                                                 << "0x6142313a7a"
                                                 << "aB1:z" << 12;
    }

    void onchangHEX()
    {
        QFETCH(QString, key);
        QFETCH(QString, digits);
        QFETCH(QString, back);
        QFETCH(int, length);
        AdOptionEdit edit;
        edit.setText(key);
        edit.onchangHEX(true);
        QCOMPARE(edit.text(), digits);
        QCOMPARE(edit.maxLength(), length);
        QVERIFY(edit.isHexMode());
        edit.onchangHEX(true); // already hexadecimal: unchanged
        QCOMPARE(edit.text(), digits);
        edit.onchangeSecurityWEP(1); // the 64-bit key keeps all its digits
        QCOMPARE(edit.text(), digits);
        edit.onchangHEX(false);
        QCOMPARE(edit.text(), back);
        QCOMPARE(edit.maxLength(), 5);
    }

    void securitySlots_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("hex");
        QTest::addColumn<bool>("wepEnabled");
        QTest::addColumn<int>("wepLength");
        QTest::addColumn<bool>("pskEnabled");
        QTest::newRow("none") << 0 << false << false << -1 << false;
        QTest::newRow("wep 64") << 1 << false << true << 5 << false;
        QTest::newRow("wep 64 hexadecimal") << 1 << true << true << 10 << false;
        QTest::newRow("wep 128") << 2 << false << true << 13 << false;
        QTest::newRow("psk") << 3 << false << false << -1 << true;
        QTest::newRow("psk 5") << 5 << false << false << -1 << true;
        QTest::newRow("beyond") << 6 << false << false << -1 << false;
    }

    void securitySlots()
    {
        QFETCH(int, index);
        QFETCH(bool, hex);
        QFETCH(int, wepLength);
        AdOptionEdit wep;
        AdOptionEdit psk;
        if (hex)
            wep.onchangHEX(true);
        wep.onchangeSecurityWEP(index);
        psk.onchangeSecurityPSK(index);
        QTEST(wep.isEnabled(), "wepEnabled");
        QTEST(psk.isEnabled(), "pskEnabled");
        if (wepLength > 0)
            QCOMPARE(wep.maxLength(), wepLength);
        if (psk.isEnabled()) {
            QCOMPARE(psk.maxLength(), 23);
            QCOMPARE(psk.toolTip(), QStringLiteral("Please input 8~23 number password!"));
        }
    }

    void emulationValues_data()
    {
        QTest::addColumn<QString>("slot");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("index");
        QTest::newRow("mode 0") << "emulateMode" << 0 << 0;
        QTest::newRow("mode 2") << "emulateMode" << 2 << 1;
        QTest::newRow("mode 4") << "emulateMode" << 4 << 2;
        QTest::newRow("mode 3 leaves it") << "emulateMode" << 3 << 3;
        QTest::newRow("mode 8 leaves it") << "emulateMode" << 8 << 3;
        QTest::newRow("set 1") << "emulateSet" << 1 << 0;
        QTest::newRow("set 3") << "emulateSet" << 3 << 2;
        QTest::newRow("set 0 leaves it") << "emulateSet" << 0 << 3;
        QTest::newRow("speed 2") << "printSpeed" << 2 << 0;
        QTest::newRow("speed 5") << "printSpeed" << 5 << 3;
        QTest::newRow("speed 9 leaves it") << "printSpeed" << 9 << 3;
    }

    // The printer's value picks an item without counting as a change.
    void emulationValues()
    {
        QFETCH(QString, slot);
        QFETCH(int, value);
        QFETCH(int, index);
        AdOptionCombobox combo;
        combo.setOptions(entries({ QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
            QStringLiteral("d") }));
        combo.setCurrentIndex(3);
        combo.acceptCurrent();
        QVERIFY(QMetaObject::invokeMethod(&combo, slot.toLatin1().constData(), Q_ARG(int, value)));
        QCOMPARE(combo.currentIndex(), index);
        QVERIFY(!combo.state().isChanged());
        QCOMPARE(combo.state().referenceText(), combo.currentText());

        QLabel label(QStringLiteral("before"));
        const QByteArray defaultSlot = slot.toLatin1() + "Default";
        QVERIFY(QMetaObject::invokeMethod(
            &combo, defaultSlot.constData(), Q_ARG(int, value), Q_ARG(QLabel *, &label)));
        QCOMPARE(label.text(),
            index == 3 && value != 5 ? QStringLiteral("before") : combo.itemText(index));
        QCOMPARE(combo.defaultValue(), value);
    }

    void wifiLists_data()
    {
        QTest::addColumn<QString>("slot");
        QTest::addColumn<int>("value");
        QTest::addColumn<QStringList>("list");
        const QStringList authFull { "Open", "Share", "WPAPSK", "WPA2PSK" };
        const QStringList secFull { "NONE", "WEP_A", "TKIP", "AES" };
        QTest::newRow("authentication full") << "onchangeAuthentication_0701" << 1 << authFull;
        QTest::newRow("authentication reduced")
            << "onchangeAuthentication_0701" << 0 << QStringList { "Open", "WPA2PSK" };
        QTest::newRow("page authentication full") << "onchangePageAu_0701" << 1 << authFull;
        QTest::newRow("security full") << "onchangeSecurity0701" << 1 << secFull;
        QTest::newRow("security reduced")
            << "onchangeSecurity0701" << 0 << QStringList { "NONE", "AES" };
        QTest::newRow("page security reduced")
            << "onchangePageSe_0701" << 0 << QStringList { "NONE", "AES" };
    }

    void wifiLists()
    {
        QFETCH(QString, slot);
        QFETCH(int, value);
        QFETCH(QStringList, list);
        AdOptionCombobox combo;
        combo.setOptions(entries({ QStringLiteral("x") }));
        combo.setPageFlag(true);
        QVERIFY(QMetaObject::invokeMethod(&combo, slot.toLatin1().constData(), Q_ARG(int, value)));
        QCOMPARE(items(combo), list);
        QCOMPARE(combo.currentIndex(), 0);
        for (int i = 0; i < list.size(); ++i)
            QCOMPARE(combo.indexText(i), list.at(i));
        // The reduced list is left as it is, keeping the user's choice; the full list is built
        // anew every time, with its first item selected.
        combo.setCurrentIndex(list.size() - 1);
        QVERIFY(QMetaObject::invokeMethod(&combo, slot.toLatin1().constData(), Q_ARG(int, value)));
        QCOMPARE(items(combo), list);
        QCOMPARE(combo.currentIndex(), value == 1 ? 0 : list.size() - 1);
        // Other values change nothing.
        QVERIFY(QMetaObject::invokeMethod(&combo, slot.toLatin1().constData(), Q_ARG(int, 2)));
        QCOMPARE(items(combo), list);
    }

    void comboEnablingSlots()
    {
        AdOptionCombobox combo;
        combo.setOptions(
            entries({ QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3") }));
        combo.onchangeWifiMode(1);
        QVERIFY(!combo.isEnabled());
        combo.onchangeWifiMode(0);
        QVERIFY(combo.isEnabled());
        combo.setCurrentIndex(2);
        combo.onchangeWifiModeDHCP(0);
        QVERIFY(!combo.isEnabled());
        QCOMPARE(combo.currentIndex(), 0);
        combo.onchangeWifiModeDHCP(1);
        QVERIFY(combo.isEnabled());
        combo.onchangeBlack(0);
        QVERIFY(!combo.isEnabled());
        combo.onchangeBlack(3);
        QVERIFY(combo.isEnabled());
        combo.onchangeDarkness(QStringLiteral("3"));
        QCOMPARE(combo.currentIndex(), 2);
        QVERIFY(!combo.isEnabled());
        combo.onchangeDarkness(QStringLiteral("9"));
        QCOMPARE(combo.currentIndex(), 2);
    }

    void comboCheckedShowsDefine()
    {
        AdOptionCombobox combo;
        combo.setOptions(entries({ QStringLiteral("a"), QStringLiteral("b") }));
        combo.setCurrentIndex(1);
        combo.acceptCurrent();
        combo.onchangeChecked(2);
        QCOMPARE(combo.currentText(), QStringLiteral("Define"));
        combo.onchangeChecked(0);
        QCOMPARE(combo.currentText(), QStringLiteral("b"));
        QCOMPARE(combo.count(), 2);
        QVERIFY(!combo.state().isChanged());
    }

    void wifiSecurityAnnotation()
    {
        AdOptionCombobox combo;
        QSignalSpy shown(&combo, &AdOptionCombobox::showComment);
        combo.onchangeWifiSecurity0101(2);
        QCOMPARE(shown.count(), 1);
        QCOMPARE(shown.at(0).at(0).toString(), QStringLiteral("Please input 13 number password!"));
        QCOMPARE(combo.state().annotation(), QStringLiteral("Please input 13 number password!"));
        combo.onchangeWifiSecurity0101(0);
        combo.onchangeWifiSecurity0101(6);
        QCOMPARE(shown.count(), 1);
    }

    void checkBoxAndLabelSlots()
    {
        AdOptionCheckbox box;
        box.onchangeState(QStringLiteral("自定义"));
        QVERIFY(box.isChecked());
        box.onchangeState(QStringLiteral("Auto"));
        QVERIFY(!box.isChecked());
        box.onchangeState(QStringLiteral("Define"));
        QVERIFY(box.isChecked());
        box.onchangWEPHEX(2);
        QVERIFY(box.isHidden());
        box.onchangWEPHEX(1);
        QVERIFY(!box.isHidden());
        box.onclickedBlackMaskEnable(1);
        QVERIFY(!box.isEnabled());

        AdoptionLabel label;
        label.onclickedLabel(QStringLiteral("note"));
        label.onclickedLabel(QString());
        QCOMPARE(label.state().annotation(), QStringLiteral("note"));
        label.onchangePSKPassWord0701(0);
        QVERIFY(label.isHidden());
    }

    // A press emits the click signal with the annotation, which the control turns into its
    // annotation signal.
    void pressShowsTheAnnotation()
    {
        AdOptionEdit edit;
        edit.onclickedEdit(QStringLiteral("◆one◆two"));
        QSignalSpy edits(&edit, &AdOptionEdit::showEditComment);
        QTest::mouseClick(&edit, Qt::LeftButton);
        QCOMPARE(edits.count(), 1);
        QCOMPARE(edits.at(0).at(0).toString(), QStringLiteral("◆one◆two"));

        AdoptionSpinBox spin;
        spin.onclickedEdit(QStringLiteral("spin"));
        QSignalSpy spins(&spin, &AdoptionSpinBox::showEditComment);
        spin.show();
        QTest::mouseClick(spin.findChild<QLineEdit *>(), Qt::LeftButton);
        QCOMPARE(spins.count(), 1);
        QTest::mouseClick(&spin, Qt::RightButton);
        QCOMPARE(spins.count(), 1);
    }
};

QTEST_MAIN(tst_OptionControls)
#include "tst_optioncontrols.moc"
