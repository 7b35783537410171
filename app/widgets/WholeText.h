// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Keeps short texts of fixed-size fields readable in full: a count field shrinks its font only as far as
// its number needs, and a caption label widens to the right like a label that sizes itself to its text.

#include <QtGlobal>

class QLabel;
class QLineEdit;

namespace WholeText {

// From now on the field shows every text whole: in its own font where the text fits, otherwise in the
// largest smaller size that fits.
void keepNumbersWhole(QLineEdit *field);
// From now on the field's own font is its designed font at this factor.
void setZoom(QLineEdit *field, qreal factor);

// Widens the label to its caption, never below its minimum width (its width as designed); the left
// edge, the top and the height stay.
void fitToCaption(QLabel *label);

}  // namespace WholeText
