// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Drives the real main window as a user would: clicks, key strokes, typed text, and real modal boxes
// that are found as the active modal widget and answered with OK.

#include "Startup.h"
#include "StoredSettings.h"
#include "TForm1.h"
#include "TRadioGroup.h"
#include "TStatusBar.h"
#include "TUpDown.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Every window opens as for a new user; no test reads or writes the user's own settings, nor those of a
// test running beside it.
inline void startAsNewUser()
{
    QStandardPaths::setTestModeEnabled(true);
    static const QTemporaryDir settingsOfThisProcess;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsOfThisProcess.path());
    storedSettings().clear();
    Startup::setUpApplication(*qApp);
}

class WindowDriver {
public:
    WindowDriver()
        : form((startAsNewUser(), std::make_unique<TForm1>()))
    {
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get()))
            qFatal("The window did not appear");
        // Every modal box that opens is recorded and answered with OK.
        boxCloser.setInterval(5);
        QObject::connect(&boxCloser, &QTimer::timeout, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            boxes.append({box->windowTitle(), box->text(), box->icon()});
            box->button(QMessageBox::Ok)->click();
        });
        boxCloser.start();
    }

    template <typename T = QWidget> T *find(const QString &name) const
    {
        T *widget = form->findChild<T *>(name);
        if (!widget)
            qFatal("The window has no %s named %s", T::staticMetaObject.className(), qPrintable(name));
        return widget;
    }

    QPushButton *button(const QString &name) const { return find<QPushButton>(name); }
    QLineEdit *edit(const QString &name) const { return find<QLineEdit>(name); }
    QPlainTextEdit *memo(const QString &name) const { return find<QPlainTextEdit>(name); }
    QLabel *label(const QString &name) const { return find<QLabel>(name); }
    QLabel *cell(int index) const { return label(QStringLiteral("MatrixCell%1").arg(index)); }
    QPlainTextEdit *fractionMemo(int index) const { return memo(QStringLiteral("FractionMemo%1").arg(index)); }
    TUpDown *upDown(const QString &name) const { return find<TUpDown>(name); }
    TRadioGroup *radioGroup(const QString &name) const { return find<TRadioGroup>(name); }
    QString panel(int index) const { return label(QStringLiteral("StatusPanel%1").arg(index))->text(); }

    // A mouse click where a user would click; a disabled button ignores it as it ignores a user.
    void click(const QString &buttonName) const { QTest::mouseClick(button(buttonName), Qt::LeftButton); }

    void chooseItem(const QString &groupName, int item) const
    {
        auto *radio = find<QRadioButton>(QStringLiteral("%1Item%2").arg(groupName).arg(item));
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
    }

    void stepUpDown(const QString &name, TUpDown::Button direction, int times = 1) const
    {
        TUpDown *spinner = upDown(name);
        const QPoint arrow(spinner->width() / 2, direction == TUpDown::Button::Up ? 2 : spinner->height() - 3);
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(spinner, Qt::LeftButton, {}, arrow);
    }

    void setUpDownTo(const QString &name, int position) const
    {
        const int steps = position - upDown(name)->position();
        stepUpDown(name, steps > 0 ? TUpDown::Button::Up : TUpDown::Button::Down, std::abs(steps));
    }

    void replaceText(QPlainTextEdit *memo, const QString &text) const
    {
        memo->setFocus();
        memo->selectAll();
        if (text.isEmpty())
            QTest::keyClick(memo, Qt::Key_Delete);
        else
            memo->insertPlainText(text);  // as a paste; typing long texts key by key would only be slower
    }

    void setKeyword(const QString &text) const
    {
        QLineEdit *field = find<QComboBox>(QStringLiteral("ComboBox1"))->lineEdit();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
    }

    // Everything a user can see of the main window itself (a dialog left out), to compare two states.
    QStringList visibleState() const
    {
        QStringList state;
        for (QWidget *widget : form->findChildren<QWidget *>()) {
            if (widget->objectName().isEmpty() || widget->window() != form.get())
                continue;
            QString text;
            if (auto *label = qobject_cast<QLabel *>(widget))
                text = label->text();
            else if (auto *field = qobject_cast<QLineEdit *>(widget))
                text = field->text();
            else if (auto *clickable = qobject_cast<QAbstractButton *>(widget))
                text = clickable->text() + (clickable->isChecked() ? "[x]" : "[ ]");
            else if (auto *textField = qobject_cast<QPlainTextEdit *>(widget))
                text = textField->toPlainText();
            else if (auto *spinner = qobject_cast<TUpDown *>(widget))
                text = QStringLiteral("%1 in %2..%3").arg(spinner->position()).arg(spinner->min()).arg(spinner->max());
            const QRect place = widget->geometry();
            state << QStringLiteral("%1 %2 %3,%4 %5x%6 %7 %8")
                         .arg(widget->objectName(), text)
                         .arg(place.x())
                         .arg(place.y())
                         .arg(place.width())
                         .arg(place.height())
                         .arg(widget->isEnabled())
                         .arg(widget->isVisibleTo(form.get()));
        }
        const Workbench &bench = form->workbench();
        state << QString::fromStdString(bench.CleanText + "|" + bench.CoordText + "|" + bench.CipherCode);
        return state;
    }

    // Cleans the plaintext, takes and cleans the keyword and generates the square.
    void prepareSquare(const QString &plaintext, const QString &keyword) const
    {
        replaceText(memo(QStringLiteral("Memo1")), plaintext);
        setKeyword(keyword);
        for (const char *step : {"BitBtn1", "BitBtn7", "BitBtn5", "BitBtn8"})
            click(QString::fromLatin1(step));
    }

    void runCoding() const
    {
        for (const char *step : {"BitBtn10", "BitBtn11", "BitBtn13", "BitBtn9"})
            click(QString::fromLatin1(step));
    }

    std::unique_ptr<TForm1> form;
    QList<SeenBox> boxes;

private:
    QTimer boxCloser;
};
