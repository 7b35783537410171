// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ClassSetDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

ClassSetDialog::ClassSetDialog(QWidget *parent)
    : QDialog(parent)
    , m_students(new QSpinBox(this))
{
    setObjectName(QStringLiteral("LabClassSetDialog"));
    setWindowTitle(QStringLiteral("Klassensatz"));
    m_students->setObjectName(QStringLiteral("LabClassSetStudents"));
    m_students->setRange(1, kMaxStudents);
    m_students->setValue(30);
    auto *explanation = new QLabel(
        QStringLiteral("Jede Schülerin und jeder Schüler bekommt ein Arbeitsblatt mit eigenem Aufgabencode und "
                       "denselben Einstellungen, das erste mit der gezeigten Aufgabe. Am Ende folgen die Lösungen "
                       "aller Aufgaben in einer Tabelle."),
        this);
    explanation->setWordWrap(true);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Anzahl der Arbeitsblätter:"), m_students);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    QPushButton *preview = buttons->addButton(QStringLiteral("&Vorschau …"), QDialogButtonBox::AcceptRole);
    preview->setObjectName(QStringLiteral("LabClassSetPreview"));
    preview->setDefault(true);
    QPushButton *pdf = buttons->addButton(QStringLiteral("Als &PDF speichern …"), QDialogButtonBox::AcceptRole);
    pdf->setObjectName(QStringLiteral("LabClassSetPdf"));
    connect(preview, &QPushButton::clicked, this, [this] { m_output = Output::Preview; });
    connect(pdf, &QPushButton::clicked, this, [this] { m_output = Output::Pdf; });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

int ClassSetDialog::students() const
{
    return m_students->value();
}
