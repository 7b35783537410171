// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Asks how many students a class set is for, and whether to look at it first or to save it as a PDF.

#include <QDialog>

class QSpinBox;

class ClassSetDialog : public QDialog {
    Q_OBJECT

public:
    enum class Output { Preview, Pdf };

    explicit ClassSetDialog(QWidget *parent);

    [[nodiscard]] int students() const;
    [[nodiscard]] Output output() const { return m_output; }

    static constexpr int kMaxStudents = 40;

private:
    QSpinBox *m_students;
    Output m_output = Output::Preview;
};
