// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The designer window in its user's language: with the translation the program loads for the
// locale (from :/i18n), its words are Russian under ru_RU and English under C, every word it
// shows is translated, and the numbers it shows are the same under any locale.
#include <clocale>
#include <memory>

#include <QtCore/QLocale>
#include <QtCore/QRegularExpression>
#include <QtCore/QStandardPaths>
#include <QtCore/QTranslator>
#include <QtTest/QTest>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QTableWidget>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QTreeWidget>

#include "designer/designer_window.h"

Q_DECLARE_METATYPE(design::Circuit)

namespace {

using designer::DesignerWindow;

// The locale `name` as the program starts under it: Qt's default locale, the C library's
// (numbers in printf and strtod), and the translation the program would load for it.
class Language {
public:
    explicit Language(const QString& name, const char* cLocale = "C")
    {
        QLocale::setDefault(QLocale(name));
        std::setlocale(LC_ALL, cLocale);
        loaded_ = translator_.load(QLocale(), QStringLiteral("butterworth3-designer"),
                                   QStringLiteral("_"), QStringLiteral(":/i18n"));
        if (loaded_)
            QCoreApplication::installTranslator(&translator_);
    }
    ~Language()
    {
        QCoreApplication::removeTranslator(&translator_);
        std::setlocale(LC_ALL, "C");
        QLocale::setDefault(QLocale::c());
    }
    Language(const Language&) = delete;
    Language& operator=(const Language&) = delete;
    bool loaded() const { return loaded_; }

private:
    QTranslator translator_;
    bool loaded_ = false;
};

QString LabelOf(const DesignerWindow& window, design::Setting field)
{
    for (const QLabel* label : window.findChildren<QLabel*>())
        if (label->buddy() == window.fieldWidget(field))
            return label->text();
    return {};
}

QStringList GroupTitles(const DesignerWindow& window)
{
    QStringList titles;
    for (const QGroupBox* box : window.findChildren<QGroupBox*>())
        titles << box->title();
    return titles;
}

QStringList TabTexts(const DesignerWindow& window)
{
    const auto* tabs = window.findChild<QTabWidget*>();
    QStringList texts;
    for (int i = 0; i < tabs->count(); ++i)
        texts << tabs->tabText(i);
    return texts;
}

QStringList ActionTexts(const QList<QAction*>& actions)
{
    QStringList texts;
    for (const QAction* action : actions)
        if (!action->isSeparator())
            texts << action->text();
    return texts;
}

QStringList HeaderTexts(const QAbstractItemModel& model, int columns)
{
    QStringList texts;
    for (int c = 0; c < columns; ++c)
        texts << model.headerData(c, Qt::Horizontal).toString();
    return texts;
}

// Every word the window shows or names for a screen reader, in one fixed order.
QStringList Words(const DesignerWindow& window)
{
    QStringList words{window.windowTitle()};
    words << GroupTitles(window) << TabTexts(window);
    for (const QLabel* label : window.findChildren<QLabel*>())
        if (label->buddy())
            words << label->text();
    for (const QComboBox* box : window.findChildren<QComboBox*>())
        for (int i = 0; i < box->count(); ++i)
            words << box->itemText(i);
    for (const QToolBar* bar : window.findChildren<QToolBar*>())
        words << bar->windowTitle();
    words << ActionTexts(window.menuBar()->actions());
    for (const QAction* menu : window.menuBar()->actions())
        words << ActionTexts(menu->menu()->actions());
    const auto* parts = window.findChild<QTableWidget*>();
    words << parts->accessibleName() << HeaderTexts(*parts->model(), parts->columnCount());
    for (int row = 0; row < parts->rowCount(); ++row)
        words << parts->item(row, 0)->text();
    const auto* figures = window.findChild<QTreeWidget*>();
    words << figures->accessibleName() << HeaderTexts(*figures->model(), 2);
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(figures)); *it; ++it)
        words << (*it)->text(0) << (*it)->toolTip(0);
    words.removeAll(QString());  // a group's title has no tooltip
    return words;
}

// The numbers in the parts and the figures, in their order, with their signs and separators;
// the words around them may be in any language.
QStringList Numbers(const DesignerWindow& window)
{
    QStringList texts;
    const auto* parts = window.findChild<QTableWidget*>();
    for (int row = 0; row < parts->rowCount(); ++row)
        for (int column = 0; column < parts->columnCount(); ++column)
            texts << parts->item(row, column)->text();
    for (QTreeWidgetItemIterator it(window.findChild<QTreeWidget*>()); *it; ++it)
        texts << (*it)->text(0) << (*it)->text(1);
    static const QRegularExpression number(QStringLiteral("[-+\\x{2212}]?[0-9]+([.,][0-9]+)*"));
    QStringList numbers;
    for (auto match = number.globalMatch(texts.join(QLatin1Char('\n'))); match.hasNext();)
        numbers << match.next().captured();
    return numbers;
}

// The key that types `letter`: a Cyrillic letter is on the key of a Latin one (ЙЦУКЕН), and
// Alt with that key reaches a mnemonic on either, since Qt also tries the Latin letter.
QChar KeyOf(QChar letter)
{
    static const QString cyrillic = QStringLiteral("йцукенгшщзхъфывапролджэячсмитьбюё");
    static const QString latin = QStringLiteral("qwertyuiop[]asdfghjkl;'zxcvbnm,.`");
    const qsizetype at = cyrillic.indexOf(letter.toLower());
    return at < 0 ? letter.toLower() : latin[at];
}

// The character after a single '&'; none when the text has no mnemonic.
QChar Mnemonic(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] != u'&')
            return text[i + 1];
        ++i;
    }
    return {};
}

// A design that fills every column of the parts and every group of figures.
design::Settings FullDesign()
{
    design::Settings inputs;
    inputs.series = design::Series::E24;
    inputs.gbw = "1Meg";
    inputs.toleranceR = "1";
    inputs.toleranceC = "5";
    return inputs;
}

}  // namespace

class TestDesignerLanguage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void words_data();
    void words();
    void everyWordTranslated();
    void aKeyWithAltLeadsToOnePlace_data();
    void aKeyWithAltLeadsToOnePlace();
    void numbersUnchangedByLocale_data();
    void numbersUnchangedByLocale();
};

void TestDesignerLanguage::words_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("translated");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("labels");  // circuit, frequency, value, series, samples
    QTest::addColumn<QStringList>("groups");
    QTest::addColumn<QStringList>("tabs");
    QTest::addColumn<QStringList>("menus");
    QTest::addColumn<QStringList>("fileActions");
    QTest::addColumn<QString>("problem");  // of a frequency that does not read

    // clang-format off
    const QStringList englishGroups{"Filter", "Standard values", "Op-amp (empty: ideal)",
                                    "Tolerances (empty: none)"};
    const QStringList englishTabs{"Fig&ures", "&Bode plot", "Step and delay", "Sc&hematic",
                                  "To&lerance spread"};
    const QStringList englishFile{"Save &netlist…", "Save p&lot…", "&Save report…",
                                  "&Open report", "&Quit"};
    const QStringList englishLabels{"&Circuit", "Fre&quency", "Resis&tance", "&Series",
                                    "Samples"};
    for (const char* locale : {"C", "en_US", "de_DE"})
        QTest::newRow(locale) << locale << false << "Butterworth Filter Designer — Low-pass, Butterworth" << englishLabels
                              << englishGroups << englishTabs << QStringList{"&File", "&Edit"}
                              << englishFile
                              << "expected a frequency from 1e-30 to 1e30 Hz, such as 100, 2.5k or 1 kHz";
    QTest::newRow("ru_RU") << "ru_RU" << true << "Проектирование фильтров Баттерворта — Фильтр нижних частот, Баттерворта"
                           << QStringList{"&Тип фильтра", "&Частота", "Сопротив&ление", "Р&яд",
                                          "Объём &выборки"}
                           << QStringList{"Фильтр", "Стандартные номиналы",
                                          "Операционный усилитель (пусто: идеальный)",
                                          "Допуски (пусто: нет)"}
                           << QStringList{"Пока&затели", "Диаграмма &Боде", "Отклик",
                                          "Схе&ма", "&Разброс допусков"}
                           << QStringList{"&Файл", "&Правка"}
                           << QStringList{"Сохранить &список соединений…", "Сохранить &график…",
                                          "Сохранить &отчёт…", "От&крыть отчёт", "&Выход"}
                           << "нужна частота от 1e-30 до 1e30 Гц, например 100, 2,5k или 1 kHz";
    // clang-format on
}

void TestDesignerLanguage::words()
{
    QFETCH(QString, locale);
    QFETCH(bool, translated);
    QFETCH(QString, title);
    QFETCH(QStringList, labels);
    QFETCH(QStringList, groups);
    QFETCH(QStringList, tabs);
    QFETCH(QStringList, menus);
    QFETCH(QStringList, fileActions);
    QFETCH(QString, problem);

    const Language language(locale);
    QCOMPARE(language.loaded(), translated);
    const DesignerWindow window{design::Settings{}};
    QCOMPARE(window.windowTitle(), title);
    const QStringList shownLabels{
        LabelOf(window, design::Setting::Circuit), LabelOf(window, design::Setting::Frequency),
        LabelOf(window, design::Setting::Value), LabelOf(window, design::Setting::Series),
        LabelOf(window, design::Setting::Samples)};
    QCOMPARE(shownLabels, labels);
    QCOMPARE(GroupTitles(window), groups);
    QCOMPARE(TabTexts(window), tabs);
    QCOMPARE(ActionTexts(window.menuBar()->actions()), menus);
    QCOMPARE(ActionTexts(window.menuBar()->actions().first()->menu()->actions()), fileActions);

    design::Settings unread;
    unread.frequency = "x";
    const DesignerWindow refusing{unread};
    QCOMPARE(refusing.fieldWidget(design::Setting::Frequency)->accessibleDescription(), problem);
}

// The same window in English and in Russian: each word differs, but for the names that are
// the same in both languages. A text shown without tr(), or a tr() text without its Russian,
// stays English.
void TestDesignerLanguage::everyWordTranslated()
{
    const QRegularExpression sameInBoth(
        QStringLiteral("^(f3|&GBW|A&0|R&O|E[0-9]+|[CR][1-3]|[CR]a, [CR]b, [CR]c)$"));
    QStringList english;
    {
        const Language language(QStringLiteral("C"));
        english = Words(DesignerWindow(FullDesign()));
    }
    const Language language(QStringLiteral("ru_RU"));
    QVERIFY(language.loaded());
    const QStringList russian = Words(DesignerWindow(FullDesign()));
    QCOMPARE(russian.size(), english.size());
    QVERIFY2(english.size() > 60, qPrintable(english.join(QLatin1Char('|'))));
    for (qsizetype i = 0; i < english.size(); ++i)
        if (!sameInBoth.match(english[i]).hasMatch())
            QVERIFY2(russian[i] != english[i], qPrintable("not translated: " + english[i]));
}

// Alt and a key lead to one field, tab or menu of the whole window, never to two in turn;
// where letters run out a field has none. A mnemonic is a letter or digit of its words. In an
// open menu, a key to each item.
void TestDesignerLanguage::aKeyWithAltLeadsToOnePlace_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<design::Circuit>("circuit");
    QTest::addColumn<int>("atLeast");  // places with a mnemonic
    for (const auto circuit : {design::Circuit::LowPass, design::Circuit::HighPass}) {
        const char* name = circuit == design::Circuit::LowPass ? "low-pass" : "high-pass";
        QTest::addRow("C, %s", name) << "C" << circuit << 23;
        QTest::addRow("ru_RU, %s", name) << "ru_RU" << circuit << 29;
    }
}

void TestDesignerLanguage::aKeyWithAltLeadsToOnePlace()
{
    QFETCH(QString, locale);
    QFETCH(design::Circuit, circuit);
    QFETCH(int, atLeast);
    const Language language(locale);
    design::Settings inputs;
    inputs.circuit = circuit;
    const DesignerWindow window{inputs};
    QStringList problems;
    // Two texts on one key, or one on a sign; the number of texts with a mnemonic.
    const auto clashes = [&](const QStringList& texts) {
        QMap<QChar, QString> seen;
        for (const QString& text : texts) {
            const QChar mnemonic = Mnemonic(text);
            if (mnemonic.isNull())
                continue;
            if (!mnemonic.isLetterOrNumber())
                problems << QStringLiteral("\"%1\" has its mnemonic on a sign").arg(text);
            const QChar key = KeyOf(mnemonic);
            if (seen.contains(key))
                problems << QStringLiteral("\"%1\" and \"%2\" share the key %3")
                                .arg(seen[key], text, key);
            seen.insert(key, text);
        }
        return seen.size();
    };
    QStringList places = ActionTexts(window.menuBar()->actions()) + TabTexts(window);
    for (const QLabel* label : window.findChildren<QLabel*>())
        if (label->buddy())
            places << label->text();
    const int marked = clashes(places);
    // Within an open menu, every item has its own key.
    for (const QAction* menu : window.menuBar()->actions()) {
        const QStringList items = ActionTexts(menu->menu()->actions());
        if (clashes(items) != items.size())
            problems << menu->text() + QStringLiteral(": an item without a mnemonic");
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("; "))));
    QVERIFY2(marked >= atLeast,
             qPrintable(
                 QStringLiteral("%1 of %2 places have a mnemonic").arg(marked).arg(places.size())));
}

void TestDesignerLanguage::numbersUnchangedByLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("cLocale");  // built into LOCPATH by the test command

    QTest::newRow("Russian, Qt's locale only") << "ru_RU" << QByteArray("C");
    QTest::newRow("Russian, with a comma C library") << "ru_RU" << QByteArray("de_DE.UTF-8");
    QTest::newRow("German, with a comma C library") << "de_DE" << QByteArray("de_DE.UTF-8");
}

void TestDesignerLanguage::numbersUnchangedByLocale()
{
    QFETCH(QString, locale);
    QFETCH(QByteArray, cLocale);

    QStringList plain;
    {
        const Language language(QStringLiteral("C"));
        const DesignerWindow window{design::Settings{}};
        QCOMPARE(window.findChild<QTableWidget*>()->item(1, 1)->text(),
                 QStringLiteral("67.1656 nF"));
        plain = Numbers(DesignerWindow(FullDesign()));
    }
    const Language language(locale, cLocale.constData());
    QVERIFY2(QString::fromLatin1(std::localeconv()->decimal_point) == (cLocale == "C" ? "." : ","),
             "the comma locale did not load: is LOCPATH set to where the test command built it?");
    QVERIFY(QLocale().decimalPoint() == QStringLiteral(","));
    const DesignerWindow window{design::Settings{}};
    QCOMPARE(window.findChild<QTableWidget*>()->item(1, 1)->text(), QStringLiteral("67.1656 nF"));
    QCOMPARE(Numbers(DesignerWindow(FullDesign())), plain);
}

QTEST_MAIN(TestDesignerLanguage)
#include "tst_designer_language.moc"
