// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Tells a screen reader that a result changed. The platform's bridge of this Qt knows no announcement
// of its own; a changed accessible description reaches it as a property change of the widget, which a
// screen reader speaks for the control it stands on.

#include <QString>

class QWidget;

namespace Announce {

// `text` becomes the widget's accessible description and is announced; an empty text gives the
// widget back the description its tooltip makes. The same text again is announced again.
void result(QWidget *widget, const QString &text);

}  // namespace Announce
