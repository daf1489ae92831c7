// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Input that real desktops deliver past the key events: characters committed by dead keys,
// the compose key and input methods are typed characters (key-down, then the key-press
// handler and the filter), and text still being composed never enters a field. The fields'
// context menu shows no shortcut texts of keys the filter drops. A click anywhere in a unit
// button's rectangle selects it.
#include <QtGui/QAction>
#include <QtGui/QContextMenuEvent>
#include <QtGui/QInputMethodEvent>
#include <QtWidgets/QMenu>

#include "tests/ui/window_fixture.h"
#include "ui/form_definition.h"
#include "ui/window_look.h"

namespace {

void Commit(QWidget* field, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(field, &event);
}

void Compose(QWidget* field, const QString& preedit)
{
    QInputMethodEvent event(preedit, {});
    QApplication::sendEvent(field, &event);
}

}  // namespace

class TestComposedInput : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void committedCharacters_data();
    void committedCharacters();
    void textBeingComposedNeverEnters();
    void contextMenuWithoutShortcuts_data();
    void contextMenuWithoutShortcuts();
    void clickAnywhereInUnitButton_data();
    void clickAnywhereInUnitButton();

private:
    Window& w() { return *window_; }

    DialogCatcher catcher_;
    std::unique_ptr<Window> window_;
};

void TestComposedInput::initTestCase()
{
    ui::SetApplicationLook(ui::Form1Window());
}

void TestComposedInput::init()
{
    window_ = std::make_unique<Window>();
    QVERIFY(w().show());
}

void TestComposedInput::cleanup()
{
    window_.reset();
    QVERIFY(!catcher_.anyBoxes());
}

void TestComposedInput::committedCharacters_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("backspaceFirst");
    QTest::addColumn<QString>("committed");
    QTest::addColumn<QString>("text");      // the field's text afterwards
    QTest::addColumn<bool>("valuesReset");  // Edit1's key-press handler ran
    // Each starts from results on screen and the caret at the end of the field's text.
    // clang-format off
    QTest::newRow("dead acute e in Edit1")          << "Edit1" << false << "é"   << "100"  << true;
    QTest::newRow("compose 1 2 in Edit1")           << "Edit1" << false << "½"   << "100"  << true;
    QTest::newRow("Backspace, then dead acute e")   << "Edit1" << true  << "é"   << "10"   << true;
    QTest::newRow("committed digits pass")          << "Edit1" << false << "25"  << "10025" << true;
    QTest::newRow("committed full stop is a comma") << "Edit1" << false << "."   << "100," << true;
    QTest::newRow("a letter among digits")          << "Edit1" << false << "1é2" << "10012" << true;
    QTest::newRow("dead acute e in Edit3")          << "Edit3" << false << "é"   << "33"   << false;
    QTest::newRow("Backspace, then é in Edit4")     << "Edit4" << true  << "é"   << "1"    << false;
    // clang-format on
}

void TestComposedInput::committedCharacters()
{
    QFETCH(QString, field);
    QFETCH(bool, backspaceFirst);
    QFETCH(QString, committed);
    QFETCH(QString, text);
    QFETCH(bool, valuesReset);

    Click(w().get<QPushButton>("Button2"));
    const QStringList results = Texts(w(), ValueLabels);
    QVERIFY(!results.contains(QStringLiteral("0")));
    QLineEdit* edit = w().field(qPrintable(field));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_End);
    if (backspaceFirst)
        QTest::keyClick(edit, Qt::Key_Backspace);
    Commit(edit, committed);

    QCOMPARE(edit->text(), text);
    QCOMPARE(w().state.BackspaceFlag, false);
    QCOMPARE(Texts(w(), ValueLabels) == QStringList(6, QStringLiteral("0")), valuesReset);
}

void TestComposedInput::textBeingComposedNeverEnters()
{
    QLineEdit* edit = w().field("Edit1");
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_End);
    Compose(edit, QStringLiteral("´"));
    QCOMPARE(edit->text(), QStringLiteral("100"));
    QVERIFY(edit->displayText() == QStringLiteral("100"));
    Compose(edit, QString());
    Commit(edit, QStringLiteral("7"));
    QCOMPARE(edit->text(), QStringLiteral("1007"));
}

void TestComposedInput::contextMenuWithoutShortcuts_data()
{
    QTest::addColumn<QString>("field");
    QTest::newRow("Edit1") << "Edit1";
    QTest::newRow("Edit3") << "Edit3";
    QTest::newRow("Edit4") << "Edit4";
}

// The menu lists Undo, Cut, Copy, Paste, Delete and Select All, without the Ctrl+ texts of
// keys that the key filter drops; its entries still work.
void TestComposedInput::contextMenuWithoutShortcuts()
{
    QFETCH(QString, field);
    QLineEdit* edit = w().field(qPrintable(field));
    edit->setFocus();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            edit->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(edit, &event);
    QMenu* menu = nullptr;
    QTRY_VERIFY((menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())));
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator())
            texts << action->text();
    }
    QCOMPARE(texts.size(), 7);
    for (const char* entry : {"&Undo", "&Redo", "Cu&t", "&Copy", "&Paste", "Delete", "Select All"})
        QVERIFY2(texts.contains(QLatin1String(entry)), qPrintable(texts.join(QLatin1Char('|'))));
    QCOMPARE(texts.filter(QStringLiteral("Ctrl")), QStringList());
    const QString before = edit->text();
    menu->actions().constLast()->trigger();  // Select All
    menu->close();
    QCOMPARE(edit->selectedText(), before);
}

void TestComposedInput::clickAnywhereInUnitButton_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QPoint>("at");
    // clang-format off
    QTest::newRow("kHz, right end of its rectangle") << "RadioButton2" << QPoint(72, 8);
    QTest::newRow("kHz, bottom right corner")        << "RadioButton2" << QPoint(72, 16);
    QTest::newRow("uF, right of its text")           << "RadioButton4" << QPoint(45, 8);
    QTest::newRow("uF, top left corner")             << "RadioButton4" << QPoint(0, 0);
    QTest::newRow("uF, bottom edge")                 << "RadioButton4" << QPoint(30, 16);
    // clang-format on
}

void TestComposedInput::clickAnywhereInUnitButton()
{
    QFETCH(QString, button);
    QFETCH(QPoint, at);
    auto* radio = w().get<QRadioButton>(qPrintable(button));
    QVERIFY(!radio->isChecked());
    QTest::mouseClick(radio, Qt::LeftButton, Qt::NoModifier, at);
    QVERIFY(radio->isChecked());
}

QTEST_MAIN(TestComposedInput)
#include "tst_composed_input.moc"
