// SPDX-License-Identifier: MIT
// The program's messages are part of its contract: check an exception's exact text.
#pragma once

#include <gtest/gtest.h>

#include <string>

#define EXPECT_THROW_MSG(statement, expected)                                          \
    do {                                                                               \
        std::string zuvo_caught_;                                                      \
        try {                                                                          \
            statement;                                                                 \
        } catch (const std::exception& zuvo_e_) {                                      \
            zuvo_caught_ = zuvo_e_.what();                                             \
        }                                                                              \
        EXPECT_EQ(zuvo_caught_, std::string(expected)) << "from: " #statement;         \
    } while (false)
