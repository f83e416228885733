#pragma once

#include <gtest/gtest.h>

#include <string>

// Runs action; expects a Failure whose message is exactly message, or with
// `part` only, one that contains it.
template <class Failure, class Action>
void expectFailure(const Action &action, const std::string &message, bool part = false)
{
    try {
        action();
        ADD_FAILURE() << "nothing was raised; expected " << message;
    } catch (const Failure &error) {
        if (part)
            EXPECT_NE(std::string(error.what()).find(message), std::string::npos) << error.what();
        else
            EXPECT_EQ(std::string(error.what()), message);
    }
}
