// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPushButton>

// A push button with a kind that gives it its stock glyph. Kinds Yes and OK make it a default button
// of its window; kind Close closes its window when clicked.
class TBitBtn : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(Kind kind READ kind WRITE setKind)

public:
    enum class Kind { Custom, Yes, OK, All, Abort, Retry, Close };
    Q_ENUM(Kind)

    explicit TBitBtn(QWidget *parent = nullptr);

    [[nodiscard]] Kind kind() const { return m_kind; }
    void setKind(Kind kind);

    [[nodiscard]] bool isDefaultKind() const { return m_kind == Kind::Yes || m_kind == Kind::OK; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Kind m_kind = Kind::Custom;
};
