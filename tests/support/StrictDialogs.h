#pragma once

// Scripted dialogs for GoogleTest programs whose unexpected questions fail the test.

#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace fotoplex::testing {

inline ScriptedDialogs strictDialogs(std::deque<Answer> script = {},
                                     Unscripted policy = Unscripted::Fail) {
    ScriptedDialogs dialogs(std::move(script), policy);
    dialogs.fail = [](const std::string& text) { ADD_FAILURE() << text; };
    return dialogs;
}

} // namespace fotoplex::testing
