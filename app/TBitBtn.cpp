#include "TBitBtn.h"

#include <QIcon>

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
