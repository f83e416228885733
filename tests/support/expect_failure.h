#pragma once

#include <gtest/gtest.h>

#include <string>

// Runs action; expects a Failure whose message is exactly message.
template <class Failure, class Action>
void expectFailure(const Action &action, const std::string &message)
{
    try {
        action();
        ADD_FAILURE() << "nothing was raised; expected " << message;
    } catch (const Failure &error) {
        EXPECT_EQ(std::string(error.what()), message);
    }
}
