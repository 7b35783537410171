// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TBitBtn.h"

#include <QIcon>
#include <QPainter>

namespace {

QString glyphPath(TBitBtn::Kind kind)
{
    switch (kind) {
    case TBitBtn::Kind::Yes: return QStringLiteral(":/glyphs/yes.svg");
    case TBitBtn::Kind::OK: return QStringLiteral(":/glyphs/ok.svg");
    case TBitBtn::Kind::All: return QStringLiteral(":/glyphs/all.svg");
    case TBitBtn::Kind::Abort: return QStringLiteral(":/glyphs/abort.svg");
    case TBitBtn::Kind::Retry: return QStringLiteral(":/glyphs/retry.svg");
    case TBitBtn::Kind::Close: return QStringLiteral(":/glyphs/close.svg");
    case TBitBtn::Kind::Custom: break;
    }
    return {};
}

}  // namespace

TBitBtn::TBitBtn(QWidget *parent)
    : QPushButton(parent)
{
    // Enter on a focused button clicks it, as in a dialog.
    setAutoDefault(true);
    connect(this, &QPushButton::clicked, this, [this] {
        if (m_kind == Kind::Close)
            window()->close();
    });
}

void TBitBtn::setKind(Kind kind)
{
    m_kind = kind;
    const QString path = glyphPath(kind);
    setIcon(path.isEmpty() ? QIcon() : QIcon(path));
}

// The style's dotted focus line is hard to see on a small button; a keyboard user needs to find the
// focus at a glance.
void TBitBtn::paintEvent(QPaintEvent *event)
{
    QPushButton::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.drawRect(QRectF(rect()).adjusted(2, 2, -2, -2));
}
