// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The letters of an exercise's given text above its coordinates field: each letter stands centred over
// the pair of digits that the answer writes for it ("11 23 45"), in the field's font, and scrolls
// sideways with the field, which does not wrap.

#include <QString>
#include <QWidget>

class QPlainTextEdit;

class PairLetters : public QWidget {
    Q_OBJECT

public:
    PairLetters(QPlainTextEdit *field, QWidget *parent);

    void setLetters(const QString &letters);
    [[nodiscard]] const QString &letters() const { return m_letters; }
    // Where the middle of letter `index`'s pair stands, in this widget's coordinates.
    [[nodiscard]] qreal pairCentre(qsizetype index) const;

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPlainTextEdit *m_field;
    QString m_letters;
};
