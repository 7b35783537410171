// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Tells a screen reader that a result changed. Qt 6.4 has no announcement of its own, and its AT-SPI
// bridge sends a changed description without the new text, which a screen reader then cannot speak.
// So the text also shows, for assistive technology only, as a notification of the widget's window: an
// empty widget of the role Notification, named by the text, that shows anew, which AT-SPI reports as a
// notification that became showing.

#include <QString>

class QWidget;

namespace Announce {

// `text` becomes the widget's accessible description and is announced; an empty text announces
// nothing and gives the widget back the description its tooltip makes. The same text again is
// announced again.
void result(QWidget *widget, const QString &text);

}  // namespace Announce
