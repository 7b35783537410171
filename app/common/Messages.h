// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLocale>
#include <QString>

#include <cstddef>

#include <stdexcept>

class QWidget;

// The one error path of the window: a handler throws StepError, the window catches it at the edge
// of the handler and shows it in an error box.
class StepError : public std::runtime_error {
public:
    explicit StepError(const QString &message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {
    }
    [[nodiscard]] const QString &message() const { return m_message; }

private:
    QString m_message;
};

namespace Messages {

// The program file's name without folder and from its first full stop on, first character kept,
// the rest in lower case.
[[nodiscard]] QString titleOfProgramFile(const QString &path);
[[nodiscard]] QString applicationTitle();

// Appends a full stop when the last character sorts after the full stop in the code page.
[[nodiscard]] QString withFinalFullStop(const QString &message);

// "1 Buchstabe", "2 Buchstaben": the count, written as `locale` writes numbers, and the noun that agrees
// with it.
[[nodiscard]] QString counted(
    std::size_t count, const char *one, const char *many, const QLocale &locale = QLocale::c());

// A modal box with one OK button and no icon.
void showMessage(QWidget *parent, const QString &caption, const QString &text);

// A modal error box with the critical icon, titled with the application title.
void showError(QWidget *parent, const QString &message);

}  // namespace Messages
