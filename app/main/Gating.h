// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The workflow of the main window as data: which controls each step opens and closes, and where the
// focus goes next, in the order the step makes the changes. A step makes its changes in stages around
// its own work (before it reads its input, after it wrote a result, ...); each stage is a run of rows.

namespace Gating {

enum class Stage {
    CleaningStarts,  // "Eingabetext bereinigen", before the input is read
    InputCounted,  // after the input's length is shown
    EmptyInputRejected,  // after the box about an empty input
    InputCleaned,  // after the cleaned text is shown
    KeywordTaken,  // "Keyword setzen", after the keyword's length is shown
    ReferenceSquareShown,  // "Keyword bereinigen", after the unkeyed square and the keyword are shown
    SquareGenerationStarts,  // "Matrix generieren", before the square is built
    CodingStarts,  // "Codierung", before the coordinates are built
    RowsCleared,  // "Fraktionierung", after the rows are emptied
    CipherCodeCleared,  // "Cipher-Code", after the code and the ciphertext are emptied
    CiphertextCleared,  // "doppelt Codieren", after the ciphertext is emptied
    DimensionChosen,  // the dimension switch, before the square's size changes
    ResetOpensTheChoices,  // "Wiederholen", before the counts show "???"
    ResetClosesTheSteps,  // "Wiederholen", after the counts show "???"
};

enum class Control {
    BitBtn1,
    BitBtn2,
    BitBtn3,
    BitBtn5,
    BitBtn6,
    BitBtn7,
    BitBtn8,
    BitBtn9,
    BitBtn10,
    BitBtn11,
    BitBtn12,
    BitBtn13,
    BitBtn14,
    BitBtn15,
    RadioGroup1,
    RadioGroup2,
    RadioGroup3,
    ComboBox1,
    UpDown1,
    UpDown2,
    Label5,
    Timer1,
};

enum class Change { Enable, Disable, Show, Hide, Start, Stop, Focus, Caption };

struct ControlChange {
    Stage stage{};
    Control control{};
    Change change{};
    const char *caption = nullptr;  // UTF-8, for Change::Caption
};

using enum Stage;
using enum Control;
using enum Change;

// The focus moves to the next step once the step is open, never into a memo, where Enter would break
// the pass; before "Keyword setzen" the keyword list takes it, where Enter takes the keyword.
inline constexpr ControlChange kChanges[] = {
    {CleaningStarts, RadioGroup3, Disable},
    {InputCounted, BitBtn1, Disable},
    {InputCounted, BitBtn2, Disable},
    {InputCounted, BitBtn6, Enable},
    {InputCounted, BitBtn7, Enable},
    {InputCounted, ComboBox1, Focus},
    {EmptyInputRejected, BitBtn1, Enable},
    {EmptyInputRejected, BitBtn1, Focus},
    {InputCleaned, Timer1, Stop},
    {InputCleaned, Label5, Hide},

    {KeywordTaken, BitBtn5, Enable},
    {KeywordTaken, BitBtn7, Disable},
    {KeywordTaken, ComboBox1, Disable},
    {KeywordTaken, BitBtn5, Focus},
    {ReferenceSquareShown, BitBtn5, Disable},
    {ReferenceSquareShown, BitBtn8, Enable},
    {ReferenceSquareShown, RadioGroup1, Enable},
    {ReferenceSquareShown, RadioGroup2, Enable},
    {ReferenceSquareShown, RadioGroup3, Disable},
    {ReferenceSquareShown, BitBtn8, Focus},
    {SquareGenerationStarts, BitBtn8, Disable},
    {SquareGenerationStarts, RadioGroup1, Disable},
    {SquareGenerationStarts, RadioGroup2, Disable},
    {SquareGenerationStarts, BitBtn10, Enable},
    {SquareGenerationStarts, UpDown1, Disable},
    {SquareGenerationStarts, UpDown2, Enable},
    {SquareGenerationStarts, BitBtn10, Focus},

    {CodingStarts, BitBtn10, Disable},
    {CodingStarts, BitBtn11, Enable},
    {CodingStarts, BitBtn12, Enable},
    {CodingStarts, BitBtn11, Focus},
    {RowsCleared, BitBtn11, Disable},
    {RowsCleared, BitBtn13, Enable},
    {RowsCleared, BitBtn13, Focus},
    {CipherCodeCleared, BitBtn9, Enable},
    {CipherCodeCleared, BitBtn13, Disable},
    {CipherCodeCleared, BitBtn14, Enable},
    {CipherCodeCleared, BitBtn9, Focus},
    {CiphertextCleared, BitBtn9, Disable},
    {CiphertextCleared, BitBtn3, Focus},  // the pass is over; the next step is a new one

    {DimensionChosen, Timer1, Stop},
    {DimensionChosen, Label5, Hide},

    {ResetOpensTheChoices, Timer1, Start},
    {ResetOpensTheChoices, Label5, Show},
    {ResetOpensTheChoices, UpDown1, Enable},
    {ResetOpensTheChoices, RadioGroup1, Disable},
    {ResetOpensTheChoices, RadioGroup2, Disable},
    {ResetOpensTheChoices, RadioGroup3, Enable},
    {ResetOpensTheChoices, ComboBox1, Enable},
    {ResetClosesTheSteps, BitBtn1, Enable},
    {ResetClosesTheSteps, BitBtn2, Enable},
    {ResetClosesTheSteps, BitBtn5, Disable},
    {ResetClosesTheSteps, BitBtn6, Disable},
    {ResetClosesTheSteps, BitBtn6, Caption, "Fünfer-Gruppen"},
    {ResetClosesTheSteps, BitBtn7, Disable},
    // "Matrix generieren" closes too: a square from the last pass's keyword would open the coding of an
    // empty text.
    {ResetClosesTheSteps, BitBtn8, Disable},
    {ResetClosesTheSteps, BitBtn9, Disable},
    {ResetClosesTheSteps, BitBtn10, Disable},
    {ResetClosesTheSteps, BitBtn11, Disable},
    {ResetClosesTheSteps, BitBtn12, Caption, "Zweier-Gruppen"},
    {ResetClosesTheSteps, BitBtn12, Disable},
    {ResetClosesTheSteps, BitBtn13, Disable},
    {ResetClosesTheSteps, BitBtn14, Disable},
    {ResetClosesTheSteps, BitBtn14, Caption, "Zweier-Gruppen"},
    {ResetClosesTheSteps, BitBtn15, Disable},
    {ResetClosesTheSteps, BitBtn15, Caption, "Fünfer-Gruppen für Ciphertext"},
};

}  // namespace Gating
