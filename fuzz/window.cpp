// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The whole window driven by a sequence of user actions: clicks on whatever button is open, any text
// typed into any open field, list choices, spinner steps, Enter, shortcuts and menu entries, in any order.
// Every modal box is answered at once, and must say something; any other modal dialog is cancelled.

#include "FuzzCheck.h"

#include "Startup.h"
#include "StoredSettings.h"
#include "TForm1.h"
#include "TUpDown.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

enum class Action {
    Click,
    TypeInMemo,
    TypeInEdit,
    TypeKeyword,
    ChooseKeyword,
    StepSpinner,
    PressEnter,
    TriggerAction,
    kMaxValue = TriggerAction,
};

constexpr std::size_t kMaxTyped = 300;

template <typename Widget> std::vector<Widget *> usable(const TForm1 &form)
{
    std::vector<Widget *> widgets;
    for (Widget *widget : form.findChildren<Widget *>()) {
        if (widget->isEnabled() && widget->isVisible())
            widgets.push_back(widget);
    }
    return widgets;
}

template <typename Widget> Widget *pick(FuzzedDataProvider &input, const std::vector<Widget *> &widgets)
{
    if (widgets.empty())
        return nullptr;
    return widgets[input.ConsumeIntegralInRange<std::size_t>(0, widgets.size() - 1)];
}

// Typed text: Latin-1 as most users type it, or any UTF-16 units as a paste may bring them.
QString typedText(FuzzedDataProvider &input)
{
    const std::string bytes = input.ConsumeRandomLengthString(kMaxTyped);
    if (input.ConsumeBool())
        return QString::fromLatin1(bytes);
    return QString(reinterpret_cast<const QChar *>(bytes.data()), qsizetype(bytes.size() / 2));
}

void perform(FuzzedDataProvider &input, TForm1 &form)
{
    switch (input.ConsumeEnum<Action>()) {
    case Action::Click:
        if (QAbstractButton *button = pick(input, usable<QAbstractButton>(form)))
            button->click();
        break;
    case Action::TypeInMemo:
        if (QPlainTextEdit *memo = pick(input, usable<QPlainTextEdit>(form)); memo && !memo->isReadOnly())
            memo->setPlainText(typedText(input));
        break;
    case Action::TypeInEdit:
        if (QLineEdit *edit = pick(input, usable<QLineEdit>(form)); edit && !edit->isReadOnly())
            edit->setText(typedText(input));
        break;
    case Action::TypeKeyword:
        if (QComboBox *list = pick(input, usable<QComboBox>(form)); list && list->isEditable())
            list->setEditText(typedText(input));
        break;
    case Action::ChooseKeyword:
        if (QComboBox *list = pick(input, usable<QComboBox>(form)); list && list->count() > 0)
            list->setCurrentIndex(input.ConsumeIntegralInRange(0, list->count() - 1));
        break;
    case Action::StepSpinner:
        if (TUpDown *spinner = pick(input, usable<TUpDown>(form))) {
            const bool up = input.ConsumeBool();
            QTest::mouseClick(
                spinner, Qt::LeftButton, {}, QPoint(spinner->width() / 2, up ? 2 : spinner->height() - 3));
        }
        break;
    case Action::PressEnter: QTest::keyClick(&form, Qt::Key_Return); break;
    case Action::TriggerAction:  // a shortcut or a menu entry
        if (QAction *action = pick(input, usable<QAction>(form)))
            action->trigger();
        break;
    }
}

QtMessageHandler defaultMessageHandler = nullptr;

// The offscreen platform names what it cannot do for every window shown; anything else Qt says is worth
// reading.
void quietMessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.startsWith(QLatin1String("This plugin does not support ")))
        defaultMessageHandler(type, context, message);
}

}  // namespace

// The signature is libFuzzer's.
extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)  // NOLINT(readability-non-const-parameter)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    defaultMessageHandler = qInstallMessageHandler(quietMessageHandler);
    // Never destroyed: at exit, Qt's own globals are gone before a static application would be.
    static auto *const application = new QApplication(*argc, *argv);
    // The zoom the fuzzer chooses stays out of the user's settings.
    QStandardPaths::setTestModeEnabled(true);
    Startup::setUpApplication(*application);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    storedSettings().clear();  // every input opens the window at the same zoom, so that it replays alike
    auto form = std::make_unique<TForm1>();
    form->show();

    // A box or dialog is modal: its own event loop runs this timer, which answers a box with OK and
    // cancels any other dialog (the lab's print preview).
    QTimer boxCloser;
    boxCloser.setInterval(0);
    QObject::connect(&boxCloser, &QTimer::timeout, [] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
            FUZZ_CHECK(!box->text().trimmed().isEmpty(), "a box says something");
            box->done(QMessageBox::Ok);
        } else {
            dialog->reject();
        }
    });
    boxCloser.start();

    while (input.remaining_bytes() > 0)
        perform(input, *form);

    form.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
