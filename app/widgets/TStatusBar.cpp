#include "TStatusBar.h"

TStatusBar::TStatusBar(QWidget *parent)
    : QStatusBar(parent)
{
    setSizeGripEnabled(false);
    setFixedHeight(19);
}

void TStatusBar::addPanel(int width, const QString &text)
{
    auto *panel = new QLabel(text, this);
    panel->setObjectName(QStringLiteral("StatusPanel%1").arg(m_panels.size()));
    panel->setTextFormat(Qt::PlainText);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setIndent(2);
    panel->setFixedWidth(width);
    m_panels.append(panel);
    layoutPanels();
}

void TStatusBar::resizeEvent(QResizeEvent *event)
{
    QStatusBar::resizeEvent(event);
    layoutPanels();
}

void TStatusBar::layoutPanels()
{
    int left = 0;
    for (QLabel *panel : std::as_const(m_panels)) {
        panel->setGeometry(left, 1, panel->width(), height() - 1);
        left += panel->width();
    }
}
