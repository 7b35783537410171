// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdio>
#include <cstdlib>

// A broken property ends the run like a crash, so that libFuzzer keeps the input that broke it.
// A macro for the place: clang 14 has no std::source_location.
#define FUZZ_CHECK(holds, property) checkAt((holds), (property), __FILE__, __LINE__)

inline void checkAt(bool holds, const char *property, const char *file, int line)
{
    if (holds)
        return;
    (void)std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, property);
    std::abort();
}
