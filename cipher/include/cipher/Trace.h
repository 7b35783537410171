// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

// Where the digits of one character travel through the steps of the Bifid cipher. Places count from 0.
// The coordinates hold two digits per letter, row digit first; the fractionation deals coordinate digit
// p into row p mod depth at place p div depth; the cipher code is the rows one after another as they
// stand (a row edited by hand keeps its own length); each two code digits make one ciphertext letter.
namespace bifid {

enum class TraceField { Plaintext, Coordinates, Rows, CipherCode, Ciphertext };

// Whether a marked character carries the row digit or the column digit of the character the trace
// started from (a traced digit counts as the row or column digit of its plaintext letter).
enum class DigitRole { Row, Column };

struct TraceMark {
    TraceField field{};
    std::size_t index = 0;  // in the field; for TraceField::Rows, within the row
    DigitRole role{};
    int row = 0;  // for TraceField::Rows
    bool operator==(const TraceMark &) const = default;
};

class TraceMap {
public:
    // A text of `letters` letters whose rows the join reads with these lengths (one length per row).
    TraceMap(std::size_t letters, std::span<const std::size_t> rowLengths);
    // The rows as the fractionation dealt them.
    [[nodiscard]] static TraceMap dealt(std::size_t letters, int depth);

    [[nodiscard]] std::size_t letters() const { return m_letters; }
    [[nodiscard]] int depth() const { return int(m_rowStarts.size()) - 1; }
    [[nodiscard]] std::size_t codeLength() const { return m_rowStarts.back(); }

    // Everything the character at `index` of `field` (of `row` for TraceField::Rows) is connected
    // with, itself included; nothing for a place outside its field. At most ten marks.
    [[nodiscard]] std::vector<TraceMark> trace(TraceField field, std::size_t index, int row = 0) const;

    bool operator==(const TraceMap &) const = default;

private:
    struct RowPlace {
        int row;
        std::size_t index;
    };
    [[nodiscard]] std::optional<std::size_t> codeOf(RowPlace place) const;
    [[nodiscard]] std::optional<RowPlace> rowPlaceOfCode(std::size_t code) const;
    [[nodiscard]] std::optional<std::size_t> coordinateOf(RowPlace place) const;
    [[nodiscard]] RowPlace rowPlaceOfCoordinate(std::size_t coordinate) const;
    void markCoordinate(std::size_t coordinate, DigitRole role, std::vector<TraceMark> &marks) const;
    void markCode(std::size_t code, DigitRole role, std::vector<TraceMark> &marks) const;

    std::size_t m_letters;
    std::vector<std::size_t> m_rowStarts;  // where each row starts in the code, and the code's length last
};

// Where the character at `index` of a text stands once the text shows in groups of `groupSize`
// characters with one blank between groups (groupText).
[[nodiscard]] constexpr std::size_t groupedIndex(std::size_t index, std::size_t groupSize)
{
    return groupSize == 0 ? index : index + index / groupSize;
}

// The inverse: the character behind place `shown` of the grouped text, or nothing for a blank.
[[nodiscard]] constexpr std::optional<std::size_t> ungroupedIndex(std::size_t shown, std::size_t groupSize)
{
    if (groupSize == 0)
        return shown;
    if (shown % (groupSize + 1) == groupSize)
        return std::nullopt;
    return shown - shown / (groupSize + 1);
}

}  // namespace bifid
