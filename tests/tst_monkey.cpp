// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Seeded random user actions against the real window: clicks on any button, radio items, the up-downs
// at and beyond their ends, typed and pasted text of every kind in every field, keyword entries, the
// digits box and resets at any moment. After every action the window must still stand, every box must
// carry one of the program's own messages, both grids must hold a permutation of their alphabet, and a
// pass run in order without hand edits must leave a ciphertext that deciphers to the cleaned text.
//
// The sequences use the fixed seeds 1, 2, ..., so every run under CTest does the same; scripts/fuzz.sh
// draws random seeds and passes each as BIFID_MONKEY_SEED. BIFID_MONKEY_SEQUENCES and BIFID_MONKEY_ACTIONS
// raise the amount of work; BIFID_MONKEY_SEED replays the one sequence a failure names.

#include "TextCodec.h"
#include "WindowDriver.h"

#include <cipher/Coding.h>

#include <QCheckBox>
#include <QClipboard>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <bitset>
#include <deque>
#include <optional>
#include <random>

namespace {

using bifid::Dimension;

// The workflow buttons in the order a pass clicks them.
enum Step { Clean, TakeKeyword, CleanKeyword, Generate, Code, Fractionate, JoinRows, ReadBack, StepCount };
constexpr std::array<const char *, StepCount> kStepButtons
    = {"BitBtn1", "BitBtn7", "BitBtn5", "BitBtn8", "BitBtn10", "BitBtn11", "BitBtn13", "BitBtn9"};
// Every button but the one that closes the window.
constexpr std::array<const char *, 14> kButtons = {"BitBtn1", "BitBtn2", "BitBtn3", "BitBtn5", "BitBtn6", "BitBtn7",
    "BitBtn8", "BitBtn9", "BitBtn10", "BitBtn11", "BitBtn12", "BitBtn13", "BitBtn14", "BitBtn15"};

struct Settings {
    int sequences = 20;
    int actions = 500;
    std::optional<quint32> replayedSeed;
};

Settings settingsFromEnvironment()
{
    Settings settings;
    settings.sequences = std::max(settings.sequences, qEnvironmentVariableIntValue("BIFID_MONKEY_SEQUENCES"));
    settings.actions = std::max(settings.actions, qEnvironmentVariableIntValue("BIFID_MONKEY_ACTIONS"));
    bool isNumber = false;
    const quint32 seed = qEnvironmentVariable("BIFID_MONKEY_SEED").toUInt(&isNumber);
    if (isNumber) {
        settings.replayedSeed = seed;
        settings.sequences = 1;
    }
    return settings;
}

// The texts of the program's own boxes.
bool isOwnMessage(const SeenBox &box)
{
    static const QStringList arrangements = {
        QStringLiteral("6 X 6-Matrix, Fall 1, Keyword gerade - Restalphabet gerade!"),
        QStringLiteral("6 X 6-Matrix, Fall 2, Keyword revers - Restalphabet gerade!"),
        QStringLiteral("6 X 6-Matrix, Fall 3, Keyword gerade - Restalphabet revers!"),
        QStringLiteral("6 X 6-Matrix, Fall 4, Keyword revers - Restalphabet revers!"),
        QStringLiteral("5 X 5-Matrix, Fall 5, Keyword gerade - Restalphabet gerade!"),
        QStringLiteral("5 X 5-Matrix, Fall 6, Keyword revers - Restalphabet gerade!"),
        QStringLiteral("5 X 5-Matrix, Fall 7, Keyword gerade - Restalphabet revers!"),
        QStringLiteral("5 X 5-Matrix, Fall 8, Keyword revers - Restalphabet revers!"),
    };
    static const std::array<QRegularExpression, 4> errors = {
        QRegularExpression(QStringLiteral(R"(^'(.|Zeilenumbruch|Tabulator|Leerzeichen|geschütztes Leerzeichen|)"
                                          R"(bedingter Trennstrich|Steuerzeichen 0x[0-9A-F]{2})' ist kein gültiger )"
                                          R"(Integerwert\.$)")),
        QRegularExpression(QStringLiteral(R"(^Die Ziffer [0-9] an Stelle [1-9][0-9]* des Cipher-Codes bezeichnet )"
                                          R"(keine Zeile und keine Spalte der (6 X 6-Matrix; gültig sind nur die )"
                                          R"(Ziffern 1 bis 6|5 X 5-Matrix; gültig sind nur die Ziffern 1 bis 5)\.$)")),
        QRegularExpression(QStringLiteral(R"(^Der Cipher-Code hat eine ungerade Anzahl von Ziffern: der letzten )"
                                          R"(Ziffer fehlt die Spaltenziffer\.$)")),
        QRegularExpression(QStringLiteral(R"(^Das Zeichen '.' an Stelle [1-9][0-9]* des bereinigten Textes steht )"
                                          R"(nicht in der (6 X 6|5 X 5)-Matrix und kann nicht codiert werden\.$)"),
            QRegularExpression::DotMatchesEverythingOption),
    };
    if (box.icon == QMessageBox::Critical) {
        return box.title == QStringLiteral("tst_monkey")
            && std::any_of(errors.begin(), errors.end(),
                [&](const QRegularExpression &error) { return error.match(box.text).hasMatch(); });
    }
    if (box.icon != QMessageBox::NoIcon)
        return false;
    if (box.title == QStringLiteral("Achtung"))
        return box.text == QStringLiteral("Die Eingabeseite darf nicht leer sein!");
    return box.title == QStringLiteral("Aktueller Matrix-Generator") && arrangements.contains(box.text);
}

// Control characters, line breaks and code points outside the code page escaped, so a log line stays
// one readable line.
QString printable(const QString &text, qsizetype limit = 40)
{
    QString shown;
    for (const QChar unit : text.left(limit)) {
        if (unit.unicode() >= 0x20 && unit.unicode() < 0x7F && unit != u'\\')
            shown += unit;
        else
            shown += QStringLiteral("\\u%1").arg(unit.unicode(), 4, 16, QLatin1Char('0'));
    }
    if (text.size() > limit)
        shown += QStringLiteral("... (%1 characters)").arg(text.size());
    return shown;
}

// Clicks on disabled controls belong to the test, and QTest warns about every event a control ignores;
// the offscreen platform notes every window feature it lacks. Both would bury a failure.
QtMessageHandler previousMessageHandler = nullptr;

void dropExpectedWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg
        && (message.endsWith(QLatin1String("not accepted by receiving widget"))
            || message.startsWith(QLatin1String("This plugin does not support"))))
        return;
    previousMessageHandler(type, context, message);
}

// Where the pass since the last reset stands, as the clicks the window received tell it.
struct Pass {
    int stepsDone = 0;  // workflow steps run in their order
    bool outOfOrder = false;
    std::bitset<StepCount> overwritten;  // steps whose memos were edited by hand since the step filled them
    int depth = 2;  // the depth the fractionation ran with
    qsizetype firstBox = 0;

    [[nodiscard]] bool checkable() const { return !outOfOrder && overwritten.none(); }
};

class Monkey {
public:
    explicit Monkey(quint32 seed)
        : m_random(seed)
    {
        for (int c = 0; c < TForm1::kCellCount; ++c)
            m_cells[std::size_t(c)] = m_window.cell(c);
        for (int step = 0; step < StepCount; ++step) {
            QObject::connect(m_window.button(QString::fromLatin1(kStepButtons[std::size_t(step)])),
                &QAbstractButton::clicked, [this, step] { stepRan(Step(step)); });
        }
        QObject::connect(m_window.button(QStringLiteral("BitBtn3")), &QAbstractButton::clicked, [this] {
            m_pass = Pass();
            m_pass.firstBox = m_window.boxes.size();
        });
        QObject::connect(m_window.button(QStringLiteral("BitBtn2")), &QAbstractButton::clicked, [this] {
            editedByHand(Clean);
            editedByHand(Code);
        });
        QObject::connect(m_window.upDown(QStringLiteral("UpDown2")), &TUpDown::clicked, [this] {
            if (m_pass.stepsDone == Fractionate + 1)  // the rows no longer match the depth the code joins
                m_pass.overwritten.set(Fractionate);
        });
    }

    // Runs the actions and returns the first broken invariant with the actions that led to it, or
    // nothing when all held.
    QString run(int actions)
    {
        for (int action = 0; action < actions; ++action) {
            act(action == actions - 1);
            QCoreApplication::processEvents();
            if (QString broken = brokenInvariant(); !broken.isEmpty()) {
                return QStringLiteral("action %1: %2\nlast actions, newest last:\n  %3")
                    .arg(action + 1)
                    .arg(broken, QStringList(m_log.begin(), m_log.end()).join(QStringLiteral("\n  ")));
            }
        }
        return {};
    }

    [[nodiscard]] int checkedPasses() const { return m_checkedPasses; }

private:
    bool chance(int inEvery) { return std::uniform_int_distribution<int>(1, inEvery)(m_random) == 1; }
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    template <typename T> T pick(std::initializer_list<T> choices)
    {
        return choices.begin()[between(0, int(choices.size()) - 1)];
    }

    void log(const QString &action)
    {
        m_log.push_back(action);
        if (m_log.size() > 15)
            m_log.pop_front();
    }

    void act(bool last)
    {
        if (last && chance(4))
            return closeWindow();
        enum Action { Button, Radio, UpDown, Type, Paste, Erase, BigPaste, Entry, Digits };
        // Megabyte pastes cost seconds in the steps after them; this weight gives about 25 per default run.
        static const std::array<double, 9> weights = {40, 5, 5, 10, 7, 2, 0.2, 4, 2};
        switch (std::discrete_distribution<int>(weights.begin(), weights.end())(m_random)) {
        case Button: return clickButton();
        case Radio: return chooseRadioItem();
        case UpDown: return stepUpDown();
        case Type: {
            QWidget *field = pickField();
            // In a field holding megabytes every key lays the whole line out again; a few keys show that.
            return typeInto(field, randomText(between(0, lengthOf(field) > 100'000 ? 3 : 30)));
        }
        case Paste: {
            QWidget *field = pickField();
            return pasteInto(field, randomText(chance(5) ? between(0, 3000) : between(0, 60)));
        }
        case Erase: return erase(pickField());
        case BigPaste: {
            QWidget *field = chance(4) ? pickField() : m_window.memo(QStringLiteral("Memo1"));
            return pasteInto(field, bigText(between(1 << 20, 2 << 20)));
        }
        case Entry: return pickKeywordEntry();
        case Digits: {
            auto *digits = m_window.find<QCheckBox>(QStringLiteral("CheckBox1"));
            log(QStringLiteral("click CheckBox1"));
            QTest::mouseClick(digits, Qt::LeftButton, {}, QPoint(6, digits->height() / 2));
            return;
        }
        }
    }

    // Mostly an enabled button, the next step of the pass the most likely; now and then any button,
    // which the disabled ones must ignore.
    void clickButton()
    {
        const bool enabledOnly = !chance(5);
        const QString nextStep = m_pass.stepsDone < StepCount
            ? QString::fromLatin1(kStepButtons[std::size_t(m_pass.stepsDone)])
            : QString();
        // A user mostly enters a text before cleaning it.
        const bool awaitsInput = m_pass.stepsDone == 0 && m_window.memo(QStringLiteral("Memo1"))->document()->isEmpty();
        QList<QPushButton *> candidates;
        std::vector<double> weights;
        for (const char *name : kButtons) {
            QPushButton *button = m_window.button(QString::fromLatin1(name));
            if (enabledOnly && !button->isEnabled())
                continue;
            candidates << button;
            const bool isStep = std::find(kStepButtons.begin(), kStepButtons.end(), name) != kStepButtons.end();
            weights.push_back(button->objectName() == nextStep ? (awaitsInput ? 3 : 12) : isStep ? 2 : 1);
        }
        if (candidates.isEmpty())
            return log(QStringLiteral("no button enabled"));
        QPushButton *button = candidates[std::discrete_distribution<int>(weights.begin(), weights.end())(m_random)];
        log(QStringLiteral("click %1%2").arg(button->objectName(), button->isEnabled() ? "" : " (disabled)"));
        QTest::mouseClick(button, Qt::LeftButton);
    }

    void closeWindow()
    {
        log(QStringLiteral("click BitBtn4"));
        m_closed = true;
        QTest::mouseClick(m_window.button(QStringLiteral("BitBtn4")), Qt::LeftButton);
    }

    void chooseRadioItem()
    {
        const QString group = pick({"RadioGroup1", "RadioGroup2", "RadioGroup3"});
        const int item = between(0, 1);
        log(QStringLiteral("choose %1 item %2").arg(group).arg(item));
        m_window.chooseItem(group, item);
    }

    // Mostly a step or two, sometimes far past either end.
    void stepUpDown()
    {
        const QString name = pick({"UpDown1", "UpDown2"});
        const auto direction = pick({TUpDown::Button::Up, TUpDown::Button::Down});
        const int times = chance(4) ? between(5, 40) : between(1, 2);
        log(QStringLiteral("step %1 %2 x%3").arg(name, direction == TUpDown::Button::Up ? "up" : "down").arg(times));
        m_window.stepUpDown(name, direction, times);
    }

    void pickKeywordEntry()
    {
        auto *list = m_window.find<QComboBox>(QStringLiteral("ComboBox1"));
        if (!list->isEnabled())
            return;
        const Qt::Key key = pick({Qt::Key_Up, Qt::Key_Down});
        const int times = between(1, 30);
        log(QStringLiteral("press %1 x%2 in ComboBox1").arg(key == Qt::Key_Up ? "Up" : "Down").arg(times));
        list->setFocus();
        for (int i = 0; i < times; ++i)
            QTest::keyClick(list, key);
    }

    // Any field, the plaintext the most likely before the pass cleans it.
    QWidget *pickField()
    {
        const int index = between(m_pass.stepsDone == 0 ? -6 : 0, 12);
        if (index < 4)
            return m_window.memo(QStringLiteral("Memo%1").arg(std::max(index, 0) + 1));
        if (index < 9)
            return m_window.fractionMemo(index - 4);
        if (index < 12)
            return m_window.edit(pick({"Edit2", "Edit4", "Edit5"}));
        return m_window.find<QComboBox>(QStringLiteral("ComboBox1"))->lineEdit();
    }

    static qsizetype lengthOf(const QWidget *field)
    {
        if (const auto *memo = qobject_cast<const QPlainTextEdit *>(field))
            return memo->document()->characterCount();
        return qobject_cast<const QLineEdit *>(field)->text().size();
    }

    static QString nameOf(const QWidget *field)
    {
        return field->objectName().isEmpty() ? QStringLiteral("the keyword field") : field->objectName();
    }

    // A user reaches only fields that show and take input.
    static bool reachable(const QWidget *field) { return field->isVisible() && field->isEnabled(); }

    // Clicks into the field and moves the caret: all selected, to the start, to the end or where it was.
    void placeCaret(QWidget *field)
    {
        field->setFocus(Qt::MouseFocusReason);
        const bool isMemo = qobject_cast<QPlainTextEdit *>(field) != nullptr;
        switch (between(0, 3)) {
        case 0: QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier); break;
        case 1: QTest::keyClick(field, Qt::Key_Home, isMemo ? Qt::ControlModifier : Qt::NoModifier); break;
        case 2: QTest::keyClick(field, Qt::Key_End, isMemo ? Qt::ControlModifier : Qt::NoModifier); break;
        default: break;
        }
    }

    // Key by key; a line break is the Enter key, a tab the Tab key, and control characters reach the
    // field as the text of a key event, which fields refuse.
    void typeInto(QWidget *field, const QString &text)
    {
        if (!reachable(field))
            return;
        log(QStringLiteral("type into %1: \"%2\"").arg(nameOf(field), printable(text)));
        placeCaret(field);
        editedByHand(field);
        for (qsizetype i = 0; i < text.size() && reachable(field); ++i) {
            const QChar unit = text[i];
            if (unit == u'\n' || unit == u'\r') {
                QTest::keyClick(field, Qt::Key_Return);
            } else if (unit == u'\t') {
                QTest::keyClick(field, Qt::Key_Tab);
            } else {
                const bool pair = unit.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
                QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, text.mid(i, pair ? 2 : 1), Qt::NoModifier);
                i += pair ? 1 : 0;
            }
        }
    }

    void pasteInto(QWidget *field, const QString &text)
    {
        if (!reachable(field))
            return;
        log(QStringLiteral("paste into %1: \"%2\"").arg(nameOf(field), printable(text)));
        QGuiApplication::clipboard()->setText(text);
        placeCaret(field);
        editedByHand(field);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    }

    void erase(QWidget *field)
    {
        if (!reachable(field))
            return;
        log(QStringLiteral("erase %1").arg(nameOf(field)));
        field->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        editedByHand(field);
        QTest::keyClick(field, Qt::Key_Delete);
    }

    // Runs of one kind of character: letters, digits (mostly square coordinates), German and code page
    // characters, code points the code page lacks (outside the basic plane and lone surrogates
    // included), control characters and line breaks.
    QString randomText(int length)
    {
        static const QString german = QStringLiteral("ÄÖÜäöüßéÉçñ");
        static const QString codePage = QStringLiteral("€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ¡¿«»°±µ×÷ÿ");
        static const QString foreign = QStringLiteral("ĀāΔЖאب中文字한\u2028\u2029\uFEFF\uFFFD\uFFFF");
        QString text;
        while (text.size() < length) {
            const int run = between(1, 8);
            const int kind = between(0, 9);
            for (int i = 0; i < run; ++i) {
                switch (kind) {
                case 0:
                case 1: text += QChar(u'A' + between(0, 25)); break;
                case 2: text += QChar(u'a' + between(0, 25)); break;
                case 3:
                case 4: text += QChar(u'0' + (chance(5) ? between(0, 9) : between(1, 6))); break;
                case 5: text += german[between(0, int(german.size()) - 1)]; break;
                case 6: text += codePage[between(0, int(codePage.size()) - 1)]; break;
                case 7:
                    if (chance(3)) {
                        const char32_t beyondBasicPlane = pick({U'\U0001F600', U'\U0001D11E', U'\U00020000'});
                        text += QString::fromUcs4(&beyondBasicPlane, 1);
                    } else if (chance(8)) {
                        text += QChar(char16_t(pick({0xD800, 0xDBFF, 0xDC00, 0xDFFF})));
                    } else {
                        text += foreign[between(0, int(foreign.size()) - 1)];
                    }
                    break;
                case 8:
                    text += QChar(char16_t(chance(3) ? between(0x80, 0x9F) : pick({between(0, 0x1F), 0x7F})));
                    break;
                default:
                    text += pick({QStringLiteral(" "), QStringLiteral("\t"), QStringLiteral("\r"), QStringLiteral("\n"),
                        QStringLiteral("\r\n")});
                    break;
                }
            }
        }
        return text.left(length);
    }

    // Megabytes of German-looking prose, in lines or as one endless line.
    QString bigText(int length)
    {
        static const QString alphabet
            = QStringLiteral("abcdefghijklmnopqrstuvwxyzeeennrstäöüßABCDEFGHIJKLMNOPQRSTUVWXYZ"
                             "0123456789 .,\u20AC\u4E2D");
        const bool lines = !chance(3);
        QString text(length, Qt::Uninitialized);
        for (int i = 0; i < length; ++i)
            text[i] = lines && i % 73 == 72 ? QChar(u'\n') : alphabet[between(0, int(alphabet.size()) - 1)];
        return text;
    }

    void editedByHand(QWidget *field)
    {
        const QString name = field->objectName();
        if (name == QStringLiteral("Memo1"))
            editedByHand(Clean);
        else if (name == QStringLiteral("Memo2"))
            editedByHand(Code);
        else if (name.startsWith(QStringLiteral("FractionMemo")))
            editedByHand(Fractionate);
        else if (name == QStringLiteral("Memo4"))
            editedByHand(JoinRows);
    }

    void editedByHand(Step filledBy)
    {
        if (m_pass.stepsDone > filledBy)
            m_pass.overwritten.set(filledBy);
    }

    // Runs after the window's own handler of the click.
    void stepRan(Step step)
    {
        const bool cleanedAgain = step == Clean && m_pass.stepsDone == 1;  // allowed while the input was empty
        if (step == m_pass.stepsDone || cleanedAgain) {
            m_pass.stepsDone = step + 1;
            m_pass.overwritten.reset(step);
        } else {
            m_pass.outOfOrder = true;
        }
        if (step == Fractionate)
            m_pass.depth = m_window.upDown(QStringLiteral("UpDown2"))->position();
        // Enter in a field can run several steps in one action; the first failure counts.
        if (step == Generate && m_stepFailure.isEmpty())
            m_stepFailure = arrangementFailure();
        if (step == ReadBack && m_pass.stepsDone == StepCount && m_pass.checkable() && m_stepFailure.isEmpty())
            m_stepFailure = decipherFailure();
    }

    // The generator's box names the arrangement the radio items chose.
    QString arrangementFailure() const
    {
        const int dimension = m_window.radioGroup(QStringLiteral("RadioGroup3"))->itemIndex();
        const int keyword = m_window.radioGroup(QStringLiteral("RadioGroup1"))->itemIndex();
        const int rest = m_window.radioGroup(QStringLiteral("RadioGroup2"))->itemIndex();
        const QString expected = QStringLiteral("%1-Matrix, Fall %2, Keyword %3 - Restalphabet %4!")
                                     .arg(dimension == 0 ? "6 X 6" : "5 X 5")
                                     .arg(1 + 4 * dimension + keyword + 2 * rest)
                                     .arg(keyword == 0 ? "gerade" : "revers", rest == 0 ? "gerade" : "revers");
        const QString shown = m_window.boxes.isEmpty() ? QString() : m_window.boxes.last().text;
        if (shown == expected)
            return {};
        return QStringLiteral("the generator announced \"%1\" for the chosen \"%2\"").arg(shown, expected);
    }

    [[nodiscard]] Dimension shownDimension() const
    {
        return m_window.radioGroup(QStringLiteral("RadioGroup3"))->itemIndex() == 0 ? Dimension::Six : Dimension::Five;
    }

    [[nodiscard]] QString cellsOf(Dimension dimension) const
    {
        const int first = dimension == Dimension::Six ? 0 : 36;
        QString cells;
        for (int c = first; c < first + bifid::cellCountOf(dimension); ++c)
            cells += m_cells[std::size_t(c)]->text();
        return cells;
    }

    QString decipherFailure()
    {
        ++m_checkedPasses;
        for (qsizetype b = m_pass.firstBox; b < m_window.boxes.size(); ++b) {
            if (m_window.boxes[b].icon == QMessageBox::Critical)
                return QStringLiteral("a pass run in order showed the error \"%1\"").arg(m_window.boxes[b].text);
        }
        const Dimension dimension = shownDimension();
        const std::string square = TextCodec::toCodePage(cellsOf(dimension));
        const QString ciphertext = m_window.memo(QStringLiteral("Memo3"))->toPlainText();
        const auto deciphered
            = bifid::decipher(TextCodec::toCodePage(ciphertext), bifid::Square(dimension, square), m_pass.depth);
        const std::string &cleanText = m_window.form->workbench().CleanText;
        if (deciphered.ok() && deciphered.value.plaintext == cleanText)
            return {};
        return QStringLiteral("the ciphertext \"%1\" (square %2, depth %3) does not decipher to the cleaned text "
                              "\"%4\" but to \"%5\"")
            .arg(printable(ciphertext), QString::fromStdString(square))
            .arg(m_pass.depth)
            .arg(printable(TextCodec::fromCodePage(cleanText)),
                deciphered.ok() ? printable(TextCodec::fromCodePage(deciphered.value.plaintext))
                                : QStringLiteral("an error"));
    }

    QString brokenInvariant()
    {
        if (m_window.form->isVisible() == m_closed)
            return m_closed ? QStringLiteral("the close button left the window open")
                            : QStringLiteral("the window closed");
        for (; m_boxesSeen < m_window.boxes.size(); ++m_boxesSeen) {
            const SeenBox &box = m_window.boxes[m_boxesSeen];
            if (!isOwnMessage(box))
                return QStringLiteral("a box titled \"%1\" with icon %2 said \"%3\"")
                    .arg(box.title)
                    .arg(box.icon)
                    .arg(box.text);
        }
        for (const Dimension dimension : {Dimension::Six, Dimension::Five}) {
            QString cells = cellsOf(dimension);
            const QString grid = cells;
            QString alphabet = QString::fromLatin1(bifid::baseAlphabet(dimension));
            std::sort(cells.begin(), cells.end());
            std::sort(alphabet.begin(), alphabet.end());
            if (cells != alphabet)
                return QStringLiteral("the grid shows \"%1\", no permutation of its alphabet").arg(printable(grid));
        }
        return std::exchange(m_stepFailure, QString());
    }

    WindowDriver m_window;
    std::array<QLabel *, TForm1::kCellCount> m_cells{};
    std::mt19937 m_random;
    Pass m_pass;
    bool m_closed = false;
    qsizetype m_boxesSeen = 0;
    int m_checkedPasses = 0;
    QString m_stepFailure;
    std::deque<QString> m_log;
};

}  // namespace

class TestMonkey : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void randomActionsKeepTheWindowConsistent_data();
    void randomActionsKeepTheWindowConsistent();
    void cleanupTestCase();

private:
    Settings m_settings;
    int m_checkedPasses = 0;
};

void TestMonkey::initTestCase()
{
    previousMessageHandler = qInstallMessageHandler(dropExpectedWarnings);
    m_settings = settingsFromEnvironment();
}

// One row per sequence, named by its seed, so that a failure or a crash names the seed that replays it.
void TestMonkey::randomActionsKeepTheWindowConsistent_data()
{
    QTest::addColumn<quint32>("seed");
    for (int sequence = 1; sequence <= m_settings.sequences; ++sequence) {
        const quint32 seed = m_settings.replayedSeed.value_or(quint32(sequence));
        QTest::addRow("sequence %d, BIFID_MONKEY_SEED=%u", sequence, seed) << seed;
    }
}

void TestMonkey::randomActionsKeepTheWindowConsistent()
{
    QFETCH(quint32, seed);
    Monkey monkey(seed);
    const QString failure = monkey.run(m_settings.actions);
    m_checkedPasses += monkey.checkedPasses();
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

void TestMonkey::cleanupTestCase()
{
    qInstallMessageHandler(previousMessageHandler);
    qInfo("%d passes deciphered", m_checkedPasses);
    // A replayed sequence may lack a whole pass; twenty sequences without one mean the mix of actions
    // no longer reaches the double coding.
    if (!m_settings.replayedSeed)
        QVERIFY2(m_checkedPasses > 0, "no pass ran in order through the double coding, so no ciphertext was checked");
}

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
