// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Lets a memo wrap its lines at its blanks, so that groups of five or two and typed words stay whole at
// the line end, wherever that stays cheap: Qt's time to break a blank-free run at word boundaries grows
// with the square of its length, half a minute for a megabyte of digits. A text with such a run wraps
// anywhere, which Qt lays out in linear time.

class QPlainTextEdit;

namespace WrapByText {

// Blank-free runs up to this length wrap at blanks: Qt lays them out as fast as groups of five, and no
// memo of the window shows that many characters on one line.
constexpr int kLongestRun = 256;

// From now on the memo picks its wrap mode from its text whenever the text changes, before Qt lays the
// change out; an empty memo wraps anywhere. A change of mode lays the text out once more; a keystroke
// costs a look at the few hundred characters around it, and only an edit that breaks the long run known
// so far scans the whole text.
void follow(QPlainTextEdit *memo);

}  // namespace WrapByText
